#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"

namespace KEL {
class KC_GUI_WLABEL;
}

namespace game {

// The hearts counter: label 1 shows the hearts, label 2 the time to the
// next heart, or while none is coming the text of the key label 2 holds in
// the layout. It refreshes every second. Any click shows "FeedBack_Heart",
// which goes as soon as it is shown.
class GG_WINDOW_HEALTH : public KEL::G_WINDOW {
public:
    static constexpr int32_t kCOUNT = 1;
    static constexpr int32_t kCOUNTDOWN = 2;
    static constexpr float kREFRESH = 1.0f;

    // Before the tree is translated: label 2 still holds its key.
    explicit GG_WINDOW_HEALTH(const pugi::xml_node& node);

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override { fUpdateCounter(); }
    void fOnFrame() override;

    void fUpdateCounter();
    void fOnFeedbackShown();
    const std::wstring& fGetIdleText() const { return mIdleText; }

private:
    float mAccumulator = 0.0f;
    std::wstring mIdleText;
    KEL::KC_GUI_WLABEL* mCountdown = nullptr;  // in the widget tree; may be null
    KEL::KC_GUI_WLABEL* mCount = nullptr;
};

}  // namespace game
