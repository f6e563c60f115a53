#include "engine/bots/KC_BOT.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT::KC_BOT() {
    mSortKey = 3.4e38f;
    mDrawable = 0;
}

void KC_BOT::fFinish() {
    if (mFinished) return;
    mFinished = true;
    fApplyEnd();
    KC_CALLBACK::fCall(&mCallback);
}

int32_t KC_BOT::fMessage(int32_t message, float, float, float, void* data) {
    switch (message) {
        case kMSG_UPDATE:
            if (mFinished) return kANSWER_FINISHED;
            return fStep(kfFRAME_DELTA);
        case kMSG_SET_CALLBACK:
            if (data) mCallback = *static_cast<const KC_CALLBACK*>(data);
            return KS_RESULT::kNOTHING;
        case kMSG_FINISH:
            if (fHandlesFinish()) fFinish();
            return KS_RESULT::kNOTHING;
        default: return KS_RESULT::kNOTHING;
    }
}

void KC_BOT::fResolveTiming(float length, float& duration, float& speed) {
    if (duration == 0.0f && speed == 0.0f) {
        duration = 1.0f;
        speed = length;
    } else if (duration == 0.0f) {
        duration = length / speed;
    } else if (speed == 0.0f) {
        speed = length / duration;
    }
}

}  // namespace KEL
