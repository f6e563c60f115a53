#include "engine/gui/KC_GUI_LABEL.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

namespace {
constexpr uint32_t kCAPACITY = 600;
}  // namespace

KC_GUI_LABEL::KC_GUI_LABEL(int32_t id, const pugi::xml_node& font, KC_TEXTURE* pageTexture, const std::string& text)
    : KC_GUI_OBJECT(id),
      mText(text),
      mFont(std::make_unique<KC_FONT>(font, pageTexture, kCAPACITY)),
      mPageTexture(pageTexture) {
    mType = kTYPE_LABEL;
    mFont->fSetAnchor(kANCHOR_CENTRE);
}

KC_GUI_LABEL::~KC_GUI_LABEL() {
    if (!mPageTexture || mPageTexture == fSceneDefaultTexture()) return;
    // The game's release slot frees by key; without one, the repository
    // takes the use back directly.
    if (KC_CALLBACK::fCall(kcbRELEASE_RESOURCE, mPageTexture) == KS_RESULT::kMISSING) fGiveBackTexture(mPageTexture);
}

void KC_GUI_LABEL::fDraw() {
    const KS_TRANSFORM3 absolute = mTransform.fGetAbsolute();
    mFont->fDraw(static_cast<float>(static_cast<int32_t>(absolute.mPosition.x)),
                 static_cast<float>(static_cast<int32_t>(absolute.mPosition.y)), mText.c_str());
}

}  // namespace KEL
