#include "engine/render/KS_LIGHT.h"

#include <algorithm>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"

namespace KEL {

void KS_LIGHT::fApply() const {
    if (!kcRENDER) return;
    host::GLight light;
    light.type = static_cast<uint32_t>(mType);
    std::copy(mDiffuse, mDiffuse + 4, light.diffuse);
    std::copy(mSpecular, mSpecular + 4, light.specular);
    std::copy(mAmbient, mAmbient + 4, light.ambient);
    std::copy(mPosition, mPosition + 3, light.position);
    std::copy(mDirection, mDirection + 3, light.direction);
    light.range = mRange;
    light.falloff = mFalloff;
    light.attenuation0 = mAttenuation[0];
    light.attenuation1 = mAttenuation[1];
    light.attenuation2 = mAttenuation[2];
    light.theta = mTheta;
    light.phi = mPhi;
    kcRENDER->fSetLight(mIndex, light);
}

void KS_LIGHT::fEnable(bool on) const {
    if (kcRENDER) kcRENDER->fEnableLight(mIndex, on);
}

}  // namespace KEL
