#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

// A scroll bar drawn from the twelve-cell slider strip: a button at each
// end of a track and a thumb at its middle, each a round hit area that
// shows its idle, hovered and pressed cell. It holds no value; it reports
// entering and leaving a part (3, 4), pressing it (7) and releasing it (8).
// Built on the first reload. No layout tag creates it.
class KC_GUI_SCROLL_BAR12 : public KC_GUI_OBJECT {
public:
    static constexpr int32_t kCELLS = 12;
    static constexpr float kBUTTON_RADIUS = 15.0f;
    enum KE_PART : int32_t { kSTART_BUTTON, kEND_BUTTON, kTHUMB, kPART_COUNT };

    KC_GUI_SCROLL_BAR12(int32_t id, const std::string& textureName, const KS_VEC2& start, const KS_VEC2& end);

    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;
    void fDraw() override;
    void fReloadResources() override;
    void fReleaseResources() override;

    int32_t fGetState(KE_PART part) const { return mStates[part]; }

private:
    void fShowStates();

    KC_GUI_TEXTURE mTexture;
    KS_TRANSFORM3 mParts[kPART_COUNT];
    KS_HIT_AREA mAreas[kPART_COUNT];
    int32_t mStates[kPART_COUNT] = {};
    float mTrackLength = 0.0f;
    float mAngle = 0.0f;
    std::array<std::unique_ptr<KC_QUAD>, 6> mSprites;
};

}  // namespace KEL
