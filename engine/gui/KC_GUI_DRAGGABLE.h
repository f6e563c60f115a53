#pragma once

#include <cstdint>
#include <memory>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/util/KS_POINT.h"

namespace KEL {

// The pointer handling both panels share: enter and leave as the pointer
// crosses the hit area, a left press over the panel grabs it, moves drag a
// movable panel along with the pointer (code 9 and the GRAB script), a left
// release ends the grab with a click.
class KC_GUI_DRAGGABLE : public KC_GUI_OBJECT {
public:
    KC_GUI_DRAGGABLE(int32_t id, bool movable) : KC_GUI_OBJECT(id), mMovable(movable ? 1 : 0) {}

    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;

    void fSetMovable(bool movable) { mMovable = movable ? 1 : 0; }
    bool fIsMovable() const { return mMovable != 0; }
    bool fIsGrabbed() const { return mGrabbed != 0; }
    // A new record replaces (and deletes) the old one.
    void fSetGrabScript(std::unique_ptr<KC_CALLBACK> callback) { mGrabScript = std::move(callback); }
    const KC_CALLBACK* fGetGrabScript() const { return mGrabScript.get(); }

protected:
    KS_HIT_AREA mHitArea;

private:
    uint8_t mMovable;
    uint8_t mHovered = 0;
    uint8_t mGrabbed = 0;
    KS_POINT mGrabOffset;
    std::unique_ptr<KC_CALLBACK> mGrabScript;
};

}  // namespace KEL
