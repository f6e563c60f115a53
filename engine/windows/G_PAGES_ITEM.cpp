#include "engine/windows/G_PAGES_ITEM.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

G_PAGES_ITEM::G_PAGES_ITEM(const void* owner) { mId = fTag(owner); }

int32_t G_PAGES_ITEM::fMessage(int32_t message, float a, float b, float, void* data) {
    const int32_t value = static_cast<int32_t>(fValueOf(data));
    switch (message) {
        case kMSG_UPDATE: fUpdate(); return KS_RESULT::kNOTHING;
        case kMSG_DRAW: fDraw(); return KS_RESULT::kNOTHING;
        case kMSG_POSITION: mTransform.fSetPos(a, b, 0.0f); return KS_RESULT::kOK;
        case kMSG_WIDTH: return fGetWidth();
        case kMSG_HEIGHT: return fGetHeight();
        case kMSG_PARENT: mTransform.mParent = static_cast<KS_TRANSFORM3*>(data); return KS_RESULT::kNOTHING;
        case kMSG_MOUSE_DOWN: return fOnMouseDown(value);
        case kMSG_MOUSE_UP: return fOnMouseUp(value);
        case kMSG_MOUSE_MOVE: return fOnMouseMove();
        case kMSG_RELOAD: fReloadResources(); return KS_RESULT::kOK;
        case kMSG_RELEASE: fReleaseResources(); return KS_RESULT::kOK;
        case kMSG_REFRESH: fRefresh(); return KS_RESULT::kOK;
        default: return KS_RESULT::kNOTHING;
    }
}

}  // namespace KEL
