#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/resources/KC_FONT.h"
#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

// One piece of wide text drawn with a bitmap font of its own: the label of
// every translated text and of texts set at run time (names, counters,
// prices). The font is built on the first reload from a font description
// and a page texture, both known by name; later release and reload passes
// only swap the page texture. Without its description the label stays
// fontless: it draws nothing and measures 0 x 0.
//
// The text is drawn as it is, never read as a format, so a name or a
// translation holding "%s" shows those characters.
class KC_GUI_WLABEL : public KC_GUI_OBJECT {
public:
    static constexpr uint32_t kWHITE = 0xFFFFFFFFu;

    explicit KC_GUI_WLABEL(int32_t id);
    KC_GUI_WLABEL(int32_t id, const std::string& fontName, const std::string& fontTextureName,
                  const std::wstring& text);

    void fDraw() override;
    // The font's width of the text (first line) and its line height.
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;

    void fSetText(const std::wstring& text) { mText = text; }
    const std::wstring& fGetText() const { return mText; }
    bool fIsEmpty() const { return mText.empty(); }
    // Each setter stores the value and gives it to the font once it exists;
    // stored values reach the font when it is built.
    void fSetColor(uint32_t argb);
    uint32_t fGetColor() const { return mColor; }
    void fSetLetterSpace(int32_t pixels);
    int32_t fGetLetterSpace() const { return mLetterSpace; }
    void fSetLineSpace(int32_t pixels);
    void fSetScale(float scale);
    float fGetScale() const { return mScale; }
    void fSetAnchor(int32_t anchor) { mAnchor = anchor; }
    int32_t fGetAnchor() const { return mAnchor; }
    // Null before the first reload or without a description.
    KC_FONT* fGetFont() const { return mFont.get(); }

private:
    void fBuildFont(KC_TEXTURE* texture);

    std::wstring mText;
    std::string mFontName;
    KC_GUI_TEXTURE mTexture;
    uint32_t mColor = kWHITE;
    int32_t mAnchor = kANCHOR_CENTRE;
    std::unique_ptr<KC_FONT> mFont;
    float mScale = 1.0f;
    int32_t mLetterSpace = 0;
    int32_t mLineSpace = 0;
};

}  // namespace KEL
