#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/gui/KS_MOUSE_RESULT.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KS_TRANSFORM3_AUTO.h"

namespace game {

// A button beside the board, read from its own file in the board's folder:
// a place on the screen (the child "TRANSFORM", whose "auto_x" / "auto_y"
// give it as fractions of the screen) and an optional "background" sprite
// hung under it. The tutorial may block a control; a blocked control takes
// no press, so presses meant for the others still reach them.
// Read on the loader thread (names only); used on the main thread.
class GG_BASE_CONTROL {
public:
    static constexpr const char* kFOLDER = "data/share/main/GameProcess";

    GG_BASE_CONTROL();
    GG_BASE_CONTROL(const GG_BASE_CONTROL&) = delete;
    GG_BASE_CONTROL& operator=(const GG_BASE_CONTROL&) = delete;
    virtual ~GG_BASE_CONTROL();

    virtual void fSetBlocked(bool blocked) { mBlocked = blocked ? 1 : 0; }
    virtual void fDraw();
    virtual void fUpdate() {}
    // Mouse passes answer taken when the control used the event.
    virtual KEL::KS_MOUSE_RESULT fOnMouseMove() { return KEL::KS_MOUSE_RESULT::fNotTaken(); }
    virtual KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button);
    virtual KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button);
    // Places the control again from its screen fractions.
    virtual void fOnResize();
    virtual void fLoadResources();
    virtual void fReleaseResources();

    // Reads the background and the place from the control's element.
    virtual bool fLoad(const pugi::xml_node& node);
    // The control's file from the repository; false when it is missing or
    // does not read. The error text names the file.
    bool fLoadFile(const char* file);

    bool fIsBlocked() const { return mBlocked != 0; }
    KEL::KS_TRANSFORM3_AUTO& fGetTransform() { return mTransform; }
    const KEL::G_SPRITE* fGetBackground() const { return mBackground.get(); }

protected:
    // Hangs a sprite read from the control's file under its place.
    void fAttach(KEL::G_SPRITE& sprite);

    uint8_t mBlocked = 0;
    KEL::KS_TRANSFORM3_AUTO mTransform;
    uint8_t mHasAuto = 0;
    std::unique_ptr<KEL::G_SPRITE> mBackground;
    uint8_t mResourcesLoaded = 0;
};

}  // namespace game
