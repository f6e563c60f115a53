#include "game/screens/pages/gPackItem.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/platform/KC_INPUT.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

gPackItem::gPackItem(const void* owner, const pugi::xml_node& element, int32_t ordinal)
    : G_PAGES_ITEM(owner), mOrdinal(ordinal) {
    const KEL::KS_VEC2 size = fReadPair(element.attribute("size"));
    mSize = {int32_t(size.x), int32_t(size.y)};
    const pugi::xml_node gui = element.child("GUI");
    if (!gui) return;
    mGui = std::make_unique<KEL::KC_GUI_ROOT>();
    KEL::fReadGuiLayout(*mGui, gui);
    mGui->fGetRootWidget().fGetTransform().mParent = &mTransform;
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) game->fLocalize(&mGui->fGetRootWidget());
    for (int32_t id : {kNEWEST_MARK, kLOCK, kOPEN_MARK, kHIDDEN_MARK}) fShowWidget(id, false);
}

void gPackItem::fShowWidget(int32_t id, bool visible) {
    if (!mGui) return;
    if (KEL::KC_GUI_OBJECT* widget = mGui->fFindChild(id)) widget->fSetVisible(visible);
}

void gPackItem::fReloadResources() {
    if (mGui) mGui->fReloadResources();
}

void gPackItem::fReleaseResources() {
    if (mGui) mGui->fReleaseResources();
}

void gPackItem::fDraw() {
    if (mGui) mGui->fDraw();
}

void gPackItem::fUpdate() {
    if (mGui) mGui->fPollEvent();
}

int32_t gPackItem::fOnMouseUp(int32_t) {
    if (!mGui || !KEL::kcINPUT) return KEL::KS_RESULT::kNOTHING;
    const KEL::KS_TRANSFORM3 place = mGui->fGetRootWidget().fGetTransform().fGetAbsolute();
    const float halfW = float(mSize.x / 2), halfH = float(mSize.y / 2);
    const float x = float(KEL::kcINPUT->fGetMousePosition().x), y = float(KEL::kcINPUT->fGetMousePosition().y);
    const bool inside = x >= place.mPosition.x - halfW && x <= place.mPosition.x + halfW &&
                        y >= place.mPosition.y - halfH && y <= place.mPosition.y + halfH;
    return inside ? KEL::KS_RESULT::kSTOP : KEL::KS_RESULT::kNOTHING;
}

}  // namespace game
