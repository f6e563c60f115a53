#pragma once

#include <cstdint>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/util/Closure.h"
#include "game/board/GG_BASE_CONTROL.h"

namespace game {

// The pause button ("pause.xml"): one "BUTTON5" widget under the control's
// place. Clicking it (press and release over it) calls the pause closure:
// the level pauses and the in-level menu opens.
class GG_PAUSE : public GG_BASE_CONTROL {
public:
    static constexpr const char* kFILE = "pause.xml";

    bool fLoad(const pugi::xml_node& node) override;
    void fDraw() override;
    KEL::KS_MOUSE_RESULT fOnMouseMove() override;
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;
    void fLoadResources() override;
    void fReleaseResources() override;

    void fSetOnPause(KEL::Closure<void()> onPause) { mOnPause = onPause; }
    KEL::KC_GUI_ROOT& fGetWidgets() { return mWidgets; }

private:
    KEL::KC_GUI_ROOT mWidgets;
    KEL::Closure<void()> mOnPause;
};

// Builds the first "BUTTON5" child of a control's element into the root,
// hung under the control's place; false when there is none.
bool fLoadControlButton(KEL::KC_GUI_ROOT& root, const pugi::xml_node& node, KEL::KS_TRANSFORM3& place);

}  // namespace game
