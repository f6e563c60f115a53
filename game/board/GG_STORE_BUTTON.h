#pragma once

#include <cstdint>

#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/util/Closure.h"
#include "engine/util/KS_VEC2.h"
#include "game/board/GG_BASE_CONTROL.h"

namespace game {

// The store button ("store_button.xml", or "store_button_empty.xml" in
// editions without it): one "BUTTON5" that stands in view while the player
// holds no hint (so more can be bought) and slides its own height down, out
// of view, while hints are held. A press while it is in view opens the shop.
class GG_STORE_BUTTON : public GG_BASE_CONTROL {
public:
    static constexpr const char* kFILE = "store_button.xml";
    static constexpr const char* kEMPTY_FILE = "store_button_empty.xml";

    GG_STORE_BUTTON();
    ~GG_STORE_BUTTON() override;

    // "speed" (seconds of a slide), "delay" and the "BUTTON5".
    bool fLoad(const pugi::xml_node& node) override;
    void fDraw() override;
    void fUpdate() override;
    KEL::KS_MOUSE_RESULT fOnMouseMove() override;
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;
    void fLoadResources() override;
    void fReleaseResources() override;

    // The hints held: in view at 0, out of view above 0.
    void fSetCount(int32_t count);
    void fSetOnStore(KEL::Closure<void()> onStore) { mOnStore = onStore; }

    bool fIsInView() const { return mCount == 0; }
    KEL::KC_GUI_ROOT& fGetWidgets() { return mWidgets; }

private:
    void fSlide(bool animate);

    float mSpeed = 0.3f;
    float mDelay = 0.0f;
    KEL::KC_GUI_ROOT mWidgets;
    KEL::KS_VEC2 mPlace;
    int32_t mCount = 0;
    KEL::Closure<void()> mOnStore;
    KEL::KC_BOT_MANAGER mBots;
};

}  // namespace game
