#pragma once

#include <cstdint>

#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/util/Closure.h"
#include "game/board/GG_BASE_CONTROL.h"

namespace game {

// The drop target that cancels a drag ("reset_selection.xml"). A press on
// the board arms it: its sprite fades from "begin_color" to "mid_color";
// the pointer over it lights it ("end_color") and plays its animation; a
// release there cancels the drag (the reset closure). A release over it
// while no drag is held asks for the feedback window instead. Every fade
// takes "time" seconds.
class GG_RESET_SELECTION : public GG_BASE_CONTROL {
public:
    static constexpr const char* kFILE = "reset_selection.xml";

    GG_RESET_SELECTION();
    ~GG_RESET_SELECTION() override;

    bool fLoad(const pugi::xml_node& node) override;
    void fDraw() override;
    void fUpdate() override;
    KEL::KS_MOUSE_RESULT fOnMouseMove() override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;
    void fLoadResources() override;
    void fReleaseResources() override;

    // A drag on the board began: armed.
    void fArm();
    // The drag ended or was cancelled: back at rest.
    void fDisarm();

    void fSetOnReset(KEL::Closure<void()> onReset) { mOnReset = onReset; }
    void fSetOnFeedback(KEL::Closure<void()> onFeedback) { mOnFeedback = onFeedback; }

    bool fIsArmed() const { return mArmed != 0; }
    bool fIsHovered() const { return mHovered != 0; }
    const KEL::G_ANIMATION& fGetSprite() const { return mSprite; }

private:
    void fFadeTo(uint32_t color);

    float mTime = 0.2f;
    uint32_t mBeginColor = 0xFFFFFFFFu;
    uint32_t mMidColor = 0xFFFFFFFFu;
    uint32_t mEndColor = 0xFFFFFFFFu;
    KEL::G_ANIMATION mSprite;
    uint8_t mArmed = 0;
    uint8_t mHovered = 0;
    KEL::Closure<void()> mOnReset;
    KEL::Closure<void()> mOnFeedback;
    KEL::KC_BOT_MANAGER mBots;
};

}  // namespace game
