#include "game/board/GG_PAUSE.h"

#include <cstring>

#include "SERVICE/KS_RESULT.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/gui/KS_GUI_EVENT.h"
#include "engine/platform/KC_INPUT.h"

namespace game {

bool fLoadControlButton(KEL::KC_GUI_ROOT& root, const pugi::xml_node& node, KEL::KS_TRANSFORM3& place) {
    root.fClear();
    root.fGetRootWidget().fGetTransform().mParent = &place;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || strcasecmp(child.name(), "BUTTON5") != 0) continue;
        std::unique_ptr<KEL::KC_GUI_OBJECT> button = KEL::fCreateGuiObject(child);
        if (!button) return false;
        root.fAddChild(std::move(button));
        return true;
    }
    return false;
}

bool GG_PAUSE::fLoad(const pugi::xml_node& node) {
    return GG_BASE_CONTROL::fLoad(node) && fLoadControlButton(mWidgets, node, mTransform);
}

void GG_PAUSE::fDraw() {
    GG_BASE_CONTROL::fDraw();
    mWidgets.fDraw();
}

KEL::KS_MOUSE_RESULT GG_PAUSE::fOnMouseMove() { return mWidgets.fMouseMove().fEventOnly(); }

KEL::KS_MOUSE_RESULT GG_PAUSE::fOnMouseDown(int32_t button) {
    if (button != KEL::KC_INPUT::kMOUSE_LEFT || mBlocked) return KEL::KS_MOUSE_RESULT::fNotTaken();
    return mWidgets.fMouseDown().fEventOnly();
}

KEL::KS_MOUSE_RESULT GG_PAUSE::fOnMouseUp(int32_t button) {
    if (button != KEL::KC_INPUT::kMOUSE_LEFT || mBlocked) return KEL::KS_MOUSE_RESULT::fNotTaken();
    const KEL::KS_MOUSE_RESULT result = mWidgets.fMouseUp();
    if (!result.fHasEvent() || result.mEvent.mCode != KEL::KS_GUI_EVENT::kCLICK)
        return KEL::KS_MOUSE_RESULT::fNotTaken();
    const KEL::Closure<void()> onPause = mOnPause;
    onPause();
    return result;
}

void GG_PAUSE::fLoadResources() {
    if (!mResourcesLoaded) mWidgets.fReloadResources();
    GG_BASE_CONTROL::fLoadResources();
}

void GG_PAUSE::fReleaseResources() {
    mWidgets.fReleaseResources();
    GG_BASE_CONTROL::fReleaseResources();
}

}  // namespace game
