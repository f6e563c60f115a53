#include "engine/render/KS_MATERIAL.h"

#include <algorithm>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"

namespace KEL {

void KS_MATERIAL::fApply() const {
    if (!kcRENDER) return;
    host::GMaterial material;
    std::copy(mDiffuse, mDiffuse + 4, material.diffuse);
    std::copy(mAmbient, mAmbient + 4, material.ambient);
    std::copy(mSpecular, mSpecular + 4, material.specular);
    std::copy(mEmissive, mEmissive + 4, material.emissive);
    kcRENDER->fSetMaterial(material);
}

}  // namespace KEL
