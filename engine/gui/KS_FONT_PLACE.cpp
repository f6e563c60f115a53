#include "engine/gui/KS_FONT_PLACE.h"

#include "engine/resources/KC_FONT.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

KS_FONT_PLACE::KS_FONT_PLACE(KC_FONT& font, const KS_TRANSFORM3& at, int32_t anchor) : mFont(font) {
    mSavedAnchor = font.fGetAnchor();
    font.fSetAnchor(anchor);
    KC_QUAD* quad = font.fGetQuad();
    mOwn = quad ? quad->fGetTransform() : nullptr;
    if (!mOwn) return;
    at.fGetAbsolute(mAbsolute);
    mAbsolute.mParent = nullptr;  // the chain is folded in already
    mSavedParent = mOwn->mParent;
    mOwn->mParent = &mAbsolute;
}

KS_FONT_PLACE::~KS_FONT_PLACE() {
    if (mOwn) mOwn->mParent = mSavedParent;
    mFont.fSetAnchor(mSavedAnchor);
}

}  // namespace KEL
