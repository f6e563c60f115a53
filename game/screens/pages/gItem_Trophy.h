#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/resources/KC_FONT_DESC.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/KS_VEC2.h"
#include "engine/windows/G_PAGES_ITEM.h"

namespace game {

// One trophy of the gallery: its open picture once won, else its closed
// picture with the bonus it gives (a picture and the number); then its
// title and description. The entry is drawn in three passes over a page,
// so that every picture lies under every text.
//
// Page file: "name_tr" names the trophy (without it nothing else is read);
// "sunime" is the bonus picture (sprite keys); "fontTitle", "fontDescr"
// and "fontSunime" are font descriptions, each with an optional "shift"
// ("x y") from the entry's centre.
class gItem_Trophy : public KEL::G_PAGES_ITEM {
public:
    // The drawing passes after the base messages.
    static constexpr int32_t kMSG_DRAW_PICTURE = 57;
    static constexpr int32_t kMSG_DRAW_BONUS_PICTURE = 58;
    static constexpr int32_t kMSG_DRAW_TEXTS = 59;

    gItem_Trophy(const void* owner, const pugi::xml_node& element);

    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override;

    bool fIsUnlocked() const { return mUnlocked; }
    const std::string& fGetTrophyName() const { return mName; }
    const std::wstring& fGetTitle() const { return mTitle; }
    const std::wstring& fGetDescription() const { return mDescription; }
    int32_t fGetBonus() const { return mBonus; }

protected:
    int32_t fGetWidth() override;
    int32_t fGetHeight() override;
    void fReloadResources() override;
    void fReleaseResources() override;
    // The three passes at once, for a single entry.
    void fDraw() override;
    void fRefresh() override;

private:
    struct KS_TEXT_STYLE {
        KEL::KC_FONT_DESC mFont;
        KEL::KS_VEC2 mShift{0.0f, 0.0f};
    };
    static void fReadStyle(KS_TEXT_STYLE& style, const pugi::xml_node& element);
    void fDrawText(const KS_TEXT_STYLE& style, const std::wstring& text) const;
    void fDrawPicture();
    void fDrawBonusPicture();
    void fDrawTexts() const;

    bool mUnlocked = false;
    std::string mName;
    std::wstring mTitle;
    std::wstring mDescription;
    int32_t mBonus = 0;
    KS_TEXT_STYLE mTitleStyle;
    KS_TEXT_STYLE mDescriptionStyle;
    KS_TEXT_STYLE mBonusStyle;
    KEL::G_SPRITE mClosed;
    KEL::G_SPRITE mOpen;
    KEL::G_SPRITE mBonusPicture;
};

}  // namespace game
