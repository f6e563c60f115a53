// The options apply every change at once; cancel puts back the settings
// of the latest show, keep saves them.
#include <gtest/gtest.h>

#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"
#include "engine/windows/G_WINDOW_SIMPLE.h"
#include "game/screens/GG_WINDOW_OPTIONS.h"
#include "tests/game/screens/WindowsFromTextFixture.h"

using game::GG_WINDOW_OPTIONS;

namespace {

// One pixel of the track as a share of it.
constexpr float kPIXEL = 1.0f / 284.0f;

const std::string kSLIDER = "<SIMPLESLIDER ID='%' PROGRESS='data bar.png' RUNNER='data knob.png'/>";

std::string fSlider(int id) {
    std::string text = kSLIDER;
    return text.replace(text.find('%'), 1, std::to_string(id));
}

class OptionsTest : public windowsfromtexttest::WindowsFromTextTest {
protected:
    GG_WINDOW_OPTIONS& fMake(bool withSound = true) {
        // A track of 284 pixels: volumes land on whole pixels.
        fWrite("bar.png", "640 24");
        fWrite("knob.png", "36 36");
        fMount();
        const std::string gui = (withSound ? fSlider(9) : std::string()) + fSlider(10) +
                                "<CHECKBOX ID='7' TEXTURE='box.png'/><CHECKBOX ID='8' TEXTURE='box.png'/>"
                                "<WLABEL ID='11' FONT='f.xml' FONT_TEXTURE='f.png' TEXT='fullscreen'/>"
                                "<BUTTON5 ID='3' TEXTURE='b.png'/><BUTTON5 ID='4' TEXTURE='b.png'/>";
        mOptions = static_cast<GG_WINDOW_OPTIONS*>(mManager.fAddWindow(std::make_unique<GG_WINDOW_OPTIONS>(
            fNode("<window _type='GG_WINDOW_OPTIONS' _name='Options' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL' "
                  "_modal='1'><GUI>" +
                  gui + "</GUI></window>"))));
        return *mOptions;
    }
    KEL::KC_GUI_SIMPLE_SLIDER* fSliderOf(int32_t id) {
        return dynamic_cast<KEL::KC_GUI_SIMPLE_SLIDER*>(mOptions->fGetGui()->fFindChild(id));
    }
    KEL::KC_GUI_CHECKBOX_INTERFACE* fBox(int32_t id) {
        return dynamic_cast<KEL::KC_GUI_CHECKBOX_INTERFACE*>(mOptions->fGetGui()->fFindChild(id));
    }
    void fShow() {
        mManager.fShowWindow("Options");
        fFrames(1);
    }
    // A slider moved and let go where the player left it.
    void fMove(int32_t id, float value) {
        fSliderOf(id)->fSetValue(value);
        mOptions->fOnClick(id);
    }

    GG_WINDOW_OPTIONS* mOptions = nullptr;
};

}  // namespace

TEST_F(OptionsTest, TheWidgetsShowThePlayersSettings) {
    fMake();
    mGame.mFullscreen = true;
    fShow();
    EXPECT_NEAR(fSliderOf(9)->fGetValue(), 0.4, kPIXEL);
    EXPECT_NEAR(fSliderOf(10)->fGetValue(), 0.6, kPIXEL);
    EXPECT_TRUE(fBox(7)->fIsChecked());
    EXPECT_TRUE(fBox(8)->fIsChecked());
}

TEST_F(OptionsTest, CancelUndoesBothSlidersTheBoxesAndTheScreenMode) {
    fMake();
    fShow();
    fMove(9, 0.1f);
    fMove(10, 1.0f);
    fBox(7)->fSetChecked(true, true);
    fBox(8)->fSetChecked(false, true);
    mOptions->fOnClick(GG_WINDOW_OPTIONS::kFULLSCREEN);
    EXPECT_NEAR(mPlayer.fGetSoundVolume(), 10.0, 100 * kPIXEL);
    EXPECT_NEAR(mPlayer.fGetMusicVolume(), 100.0, 100 * kPIXEL);
    EXPECT_TRUE(mGame.mFullscreen);
    EXPECT_FALSE(mPlayer.fGetGameCursor());
    const int applied = mGame.mApplied;
    EXPECT_EQ(applied, 3) << "every change applies at once";

    mOptions->fOnClick(GG_WINDOW_OPTIONS::kCANCEL);
    fFrames(1);
    EXPECT_NEAR(mPlayer.fGetSoundVolume(), 40.0, 100 * kPIXEL);
    EXPECT_NEAR(mPlayer.fGetMusicVolume(), 60.0, 100 * kPIXEL);
    EXPECT_FALSE(mGame.mFullscreen);
    EXPECT_TRUE(mPlayer.fGetGameCursor());
    EXPECT_EQ(mGame.mApplied, applied + 1);
    EXPECT_EQ(mGame.mSaves, 0) << "cancel does not save";
    EXPECT_FALSE(mManager.fIsOpen("Options"));
}

TEST_F(OptionsTest, KeepSavesAndTheNextShowIsTheNewUndo) {
    fMake();
    fShow();
    fMove(10, 1.0f);
    mOptions->fOnClick(GG_WINDOW_OPTIONS::kKEEP);
    fFrames(1);
    EXPECT_EQ(mGame.mSaves, 1);
    EXPECT_NEAR(mPlayer.fGetMusicVolume(), 100.0, 100 * kPIXEL);

    fShow();
    fMove(10, 0.25f);
    mOptions->fOnClick(GG_WINDOW_OPTIONS::kCANCEL);
    EXPECT_NEAR(mPlayer.fGetMusicVolume(), 100.0, 100 * kPIXEL);
}

TEST_F(OptionsTest, AMissingSliderSilencesItsVolumeAndCancelStillRestoresIt) {
    fMake(false);
    fShow();
    fMove(10, 0.5f);
    EXPECT_NEAR(mPlayer.fGetSoundVolume(), 0.0, 100 * kPIXEL);
    EXPECT_NEAR(mPlayer.fGetMusicVolume(), 50.0, 100 * kPIXEL);
    mOptions->fOnClick(GG_WINDOW_OPTIONS::kCANCEL);
    EXPECT_NEAR(mPlayer.fGetSoundVolume(), 40.0, 100 * kPIXEL);
    EXPECT_NEAR(mPlayer.fGetMusicVolume(), 60.0, 100 * kPIXEL);
}

TEST_F(OptionsTest, ASmallDesktopHidesTheFullScreenBox) {
    fMake();
    mGame.mDesktop = {1000, 700};
    fShow();
    EXPECT_FALSE(fBox(7)->fIsVisible());
    EXPECT_FALSE(fBox(7)->fIsEnabled());
    EXPECT_FALSE(mOptions->fGetGui()->fFindChild(GG_WINDOW_OPTIONS::kFULLSCREEN_CAPTION)->fIsVisible());
}

TEST_F(OptionsTest, OnAMobilePlatformTheBoxesAreLeftAlone) {
    fMake();
    mGame.mMobile = true;
    mGame.mFullscreen = true;
    fShow();
    EXPECT_FALSE(fBox(7)->fIsChecked());
    fMove(9, 0.5f);
    EXPECT_TRUE(mGame.mFullscreen);
    EXPECT_TRUE(mPlayer.fGetGameCursor());
}

TEST_F(OptionsTest, WithoutAPlayerNothingChanges) {
    fMake();
    mGame.mPlayer = nullptr;
    fShow();
    fMove(9, 0.9f);
    mOptions->fOnClick(GG_WINDOW_OPTIONS::kCANCEL);
    EXPECT_EQ(mGame.mApplied, 0);
    EXPECT_NEAR(mPlayer.fGetSoundVolume(), 40.0, 100 * kPIXEL);
}

TEST_F(OptionsTest, CreditsCloseOnTheirOwnButton) {
    fMake();
    mManager.fAddWindow(std::make_unique<KEL::G_WINDOW_SIMPLE>(
        fNode("<window _type='G_WINDOW_SIMPLE' _name='Credits' _typeOpen='SH_MOMENTAL' _typeClose='SH_MOMENTAL'/>")));
    fShow();
    mOptions->fOnClick(GG_WINDOW_OPTIONS::kCREDITS);
    fFrames(1);
    ASSERT_TRUE(mManager.fIsOpen("Credits"));
    mOptions->fOnCreditsButton(2);
    EXPECT_TRUE(mManager.fIsOpen("Credits"));
    mOptions->fOnCreditsButton(GG_WINDOW_OPTIONS::kCREDITS_CLOSE);
    fFrames(1);
    EXPECT_FALSE(mManager.fIsOpen("Credits"));
}
