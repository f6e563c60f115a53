#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"

namespace game {

class GG_PLAYER;

// "Options": the current player's sound and music volumes, the game's own
// cursor and full screen. Every change applies at once; "keep" saves, and
// "cancel" puts back what the player had when the window opened. Also
// leads to "Help" and "Credits".
//
// Widgets: 3 keep, 4 cancel, 5 help, 6 credits, 7 full-screen box, 8
// cursor box, 9 sound slider, 10 music slider, 11 the full-screen caption.
class GG_WINDOW_OPTIONS : public KEL::G_WINDOW {
public:
    static constexpr int32_t kKEEP = 3;
    static constexpr int32_t kCANCEL = 4;
    static constexpr int32_t kHELP = 5;
    static constexpr int32_t kCREDITS = 6;
    static constexpr int32_t kFULLSCREEN = 7;
    static constexpr int32_t kCURSOR = 8;
    static constexpr int32_t kSOUND = 9;
    static constexpr int32_t kMUSIC = 10;
    static constexpr int32_t kFULLSCREEN_CAPTION = 11;
    // The credits window's own close button.
    static constexpr int32_t kCREDITS_CLOSE = 1;
    // Volumes are percent; sliders run from 0 to 1.
    static constexpr float kVOLUME_SCALE = 100.0f;
    // A smaller desktop is always full screen, so the box is not offered.
    static constexpr int32_t kMIN_DESKTOP_WIDTH = 1024;
    static constexpr int32_t kMIN_DESKTOP_HEIGHT = 768;

    explicit GG_WINDOW_OPTIONS(const pugi::xml_node& node);
    ~GG_WINDOW_OPTIONS() override;

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseMove() override;

    // The player's settings from the widgets, applied at once.
    void fApply();
    // The settings of the latest show, applied again.
    void fRestore();
    // The "Credits" window's click: its close button closes it.
    void fOnCreditsButton(int32_t widgetId);

    const GG_PLAYER* fGetBackup() const { return mBackup.get(); }

private:
    void fFillWidgets();

    GG_PLAYER* mPlayer = nullptr;  // not owned; taken at every show
    std::unique_ptr<GG_PLAYER> mBackup;
    bool mFullscreen = false;
};

}  // namespace game
