#include "game/screens/pages/gHelpItem.h"

#include "engine/gui/KF_GUI_READER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

gHelpItem::gHelpItem(const void* owner, const pugi::xml_node& element) : G_PAGES_ITEM(owner) {
    const KEL::KS_VEC2 size = fReadPair(element.attribute("size"));
    mSize = {int32_t(size.x), int32_t(size.y)};
    const pugi::xml_node gui = element.child("GUI");
    if (!gui) return;
    mGui = std::make_unique<KEL::KC_GUI_ROOT>();
    KEL::fReadGuiLayout(*mGui, gui);
    mGui->fGetRootWidget().fGetTransform().mParent = &mTransform;
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) game->fLocalize(&mGui->fGetRootWidget());
}

void gHelpItem::fReloadResources() {
    if (mGui) mGui->fReloadResources();
}

void gHelpItem::fReleaseResources() {
    if (mGui) mGui->fReleaseResources();
}

void gHelpItem::fDraw() {
    if (mGui) mGui->fDraw();
}

}  // namespace game
