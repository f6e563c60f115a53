#include "game/screens/GG_WINDOW_OPTIONS.h"

#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

GG_WINDOW_OPTIONS::GG_WINDOW_OPTIONS(const pugi::xml_node& node) : G_WINDOW(node) {}

GG_WINDOW_OPTIONS::~GG_WINDOW_OPTIONS() = default;

// A fresh copy of the player at every show is the one undo there is.
void GG_WINDOW_OPTIONS::fOnShowStart() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    mPlayer = game ? game->fGetCurrentPlayer() : nullptr;
    if (!mPlayer) return;
    mBackup = std::make_unique<GG_PLAYER>(*mPlayer);
    mFullscreen = game->fIsFullscreen();
    fFillWidgets();
}

void GG_WINDOW_OPTIONS::fFillWidgets() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (auto* music = fFindWidget<KEL::KC_GUI_SIMPLE_SLIDER>(*this, kMUSIC))
        music->fSetValue(mPlayer->fGetMusicVolume() / kVOLUME_SCALE);
    if (auto* sound = fFindWidget<KEL::KC_GUI_SIMPLE_SLIDER>(*this, kSOUND))
        sound->fSetValue(mPlayer->fGetSoundVolume() / kVOLUME_SCALE);
    if (game->fIsMobilePlatform()) return;
    if (auto* cursor = fFindWidget<KEL::KC_GUI_CHECKBOX_INTERFACE>(*this, kCURSOR))
        cursor->fSetChecked(mPlayer->fGetGameCursor(), true);
    auto* fullscreen = fFindWidget<KEL::KC_GUI_CHECKBOX_INTERFACE>(*this, kFULLSCREEN);
    const KEL::KS_POINT desktop = game->fGetDesktopSize();
    if (desktop.x >= kMIN_DESKTOP_WIDTH && desktop.y >= kMIN_DESKTOP_HEIGHT) {
        if (fullscreen) fullscreen->fSetChecked(mFullscreen, true);
        return;
    }
    auto* caption = fFindWidget<KEL::KC_GUI_WLABEL>(*this, kFULLSCREEN_CAPTION);
    if (!fullscreen || !caption) return;
    fullscreen->fSetEnabled(false);
    fullscreen->fSetVisible(false);
    caption->fSetVisible(false);
}

void GG_WINDOW_OPTIONS::fApply() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!mPlayer || !game) return;
    if (!game->fIsMobilePlatform()) {
        auto* cursor = fFindWidget<KEL::KC_GUI_CHECKBOX_INTERFACE>(*this, kCURSOR);
        auto* fullscreen = fFindWidget<KEL::KC_GUI_CHECKBOX_INTERFACE>(*this, kFULLSCREEN);
        mPlayer->fSetGameCursor(cursor && cursor->fIsChecked());
        game->fSetFullscreen(fullscreen && fullscreen->fIsChecked());
    }
    auto* music = fFindWidget<KEL::KC_GUI_SIMPLE_SLIDER>(*this, kMUSIC);
    auto* sound = fFindWidget<KEL::KC_GUI_SIMPLE_SLIDER>(*this, kSOUND);
    mPlayer->fSetMusicVolume(music ? kVOLUME_SCALE * music->fGetValue() : 0.0f);
    mPlayer->fSetSoundVolume(sound ? kVOLUME_SCALE * sound->fGetValue() : 0.0f);
    game->fSetCurrentPlayer(mPlayer);
}

void GG_WINDOW_OPTIONS::fRestore() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!mPlayer || !mBackup || !game) return;
    if (!game->fIsMobilePlatform()) {
        mPlayer->fSetGameCursor(mBackup->fGetGameCursor());
        game->fSetFullscreen(mFullscreen);
    }
    mPlayer->fSetMusicVolume(mBackup->fGetMusicVolume());
    mPlayer->fSetSoundVolume(mBackup->fGetSoundVolume());
    game->fSetCurrentPlayer(mPlayer);
}

void GG_WINDOW_OPTIONS::fOnClick(int32_t widgetId) {
    switch (widgetId) {
        case kKEEP:
            if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) game->fSave();
            if (mManager) mManager->fHideWindow(mName);
            break;
        case kCANCEL:
            fRestore();
            if (mManager) mManager->fHideWindow(mName);
            break;
        case kHELP:
            if (mManager) mManager->fShowWindow(GG_WINDOW_NAME::kHELP);
            break;
        case kCREDITS:
            if (KEL::G_WINDOW* credits = mManager ? mManager->fShowWindow(GG_WINDOW_NAME::kCREDITS) : nullptr)
                credits->fSetEventHandler(KEL::KS_GUI_EVENT::kCLICK,
                                          KEL::Closure<void()>::fBind<&GG_WINDOW_OPTIONS::fOnCreditsButton>(this));
            break;
        case kFULLSCREEN:
        case kCURSOR:
        case kSOUND:
        case kMUSIC: fApply(); break;
        default: break;
    }
}

void GG_WINDOW_OPTIONS::fOnCreditsButton(int32_t widgetId) {
    if (widgetId == kCREDITS_CLOSE && mManager) mManager->fHideWindow(GG_WINDOW_NAME::kCREDITS);
}

// The window stays out of the way of windows behind it; "Options" is made
// modal by its file.
KEL::KS_MOUSE_RESULT GG_WINDOW_OPTIONS::fOnMouseDown(int32_t button) {
    G_WINDOW::fOnMouseDown(button);
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

KEL::KS_MOUSE_RESULT GG_WINDOW_OPTIONS::fOnMouseUp(int32_t button) {
    G_WINDOW::fOnMouseUp(button);
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

// A slider being dragged changes the volume while it moves.
KEL::KS_MOUSE_RESULT GG_WINDOW_OPTIONS::fOnMouseMove() {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseMove();
    const int32_t id = result.mEvent.mId;
    if (result.fHasEvent() && (id == kSOUND || id == kMUSIC) && result.mEvent.mCode != KEL::KS_GUI_EVENT::kNONE)
        fApply();
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

}  // namespace game
