#include "game/board/GG_RESET_SELECTION.h"

#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "game/board/GG_AMBIENT_READER.h"

namespace game {

namespace {

constexpr float kMAX_TIME = 60.0f;
constexpr float kSHORTEST = 0.001f;

uint32_t fColorOf(const pugi::xml_node& node, const char* name, uint32_t fallback) {
    const pugi::xml_attribute attribute = node.attribute(name);
    return attribute ? GG_AMBIENT_READER::fColor(attribute.as_string()).fGetARGB() : fallback;
}

}  // namespace

GG_RESET_SELECTION::GG_RESET_SELECTION() = default;

GG_RESET_SELECTION::~GG_RESET_SELECTION() { mBots.fDeleteAll(); }

bool GG_RESET_SELECTION::fLoad(const pugi::xml_node& node) {
    if (!GG_BASE_CONTROL::fLoad(node) || !node.child("sprite")) return false;
    if (!GG_AMBIENT_READER::fFloat(node, "time", 0.0f, kMAX_TIME, mTime)) return false;
    mBeginColor = fColorOf(node, "begin_color", mBeginColor);
    mMidColor = fColorOf(node, "mid_color", mMidColor);
    mEndColor = fColorOf(node, "end_color", mEndColor);
    mSprite = KEL::G_ANIMATION(node.child("sprite"));
    fAttach(mSprite);
    mSprite.fStop();
    mSprite.fSetColor(mBeginColor);
    return true;
}

void GG_RESET_SELECTION::fDraw() {
    if (mBlocked) return;
    GG_BASE_CONTROL::fDraw();
    mSprite.fDrawWith();
}

void GG_RESET_SELECTION::fUpdate() {
    mBots.fUpdate();
    mSprite.fUpdate();
}

KEL::KS_MOUSE_RESULT GG_RESET_SELECTION::fOnMouseMove() {
    if (!mArmed || mBlocked) return KEL::KS_MOUSE_RESULT::fNotTaken();
    const bool over = mSprite.fHitTest();
    if (over && !mHovered) {
        mHovered = 1;
        fFadeTo(mEndColor);
        mSprite.fPlay(0.0f);
    } else if (!over && mHovered) {
        mHovered = 0;
        fFadeTo(mMidColor);
    }
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

KEL::KS_MOUSE_RESULT GG_RESET_SELECTION::fOnMouseUp(int32_t) {
    if (mBlocked) return KEL::KS_MOUSE_RESULT::fNotTaken();
    if (mArmed && mHovered) {
        const KEL::Closure<void()> onReset = mOnReset;
        onReset();
        return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    }
    if (!mArmed && mSprite.fHitTest()) {
        const KEL::Closure<void()> onFeedback = mOnFeedback;
        onFeedback();
    }
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

void GG_RESET_SELECTION::fLoadResources() {
    if (!mResourcesLoaded) {
        mSprite.fReloadTexture();
        mSprite.fShowFrame(0);
    }
    GG_BASE_CONTROL::fLoadResources();
}

void GG_RESET_SELECTION::fReleaseResources() {
    mSprite.fUnloadTexture();
    GG_BASE_CONTROL::fReleaseResources();
}

void GG_RESET_SELECTION::fArm() {
    mArmed = 1;
    mHovered = 0;
    fFadeTo(mMidColor);
}

void GG_RESET_SELECTION::fDisarm() {
    if (!mArmed && !mHovered) return;
    mArmed = 0;
    mHovered = 0;
    fFadeTo(mBeginColor);
}

void GG_RESET_SELECTION::fFadeTo(uint32_t color) {
    mBots.fDeleteAll();
    mBots.fAdd(KEL::fCreateBotColor(&mSprite, mTime > kSHORTEST ? mTime : kSHORTEST, color, 0.0f));
}

}  // namespace game
