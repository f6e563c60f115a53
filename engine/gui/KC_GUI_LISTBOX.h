#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_PANEL.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/resources/KC_FONT.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// A list of wide-text rows over a background panel. One row is selected:
// it is drawn over a highlight sprite in a second colour. A left click on a
// row selects it (code 7); releasing Up or Down moves the selection without
// a report. Only the first rows (as many as the drawn-row count) are drawn:
// the list does not scroll, though the selection may move past them.
//
// The selection index is kept as set, -1 meaning none, but the selected
// text is only ever read from an existing row.
class KC_GUI_LISTBOX : public KC_GUI_OBJECT {
public:
    static constexpr uint32_t kNO_LIMIT = 0xFFFFFFFFu;
    static constexpr int32_t kDEFAULT_ROWS = 3;
    static constexpr int32_t kALL_ROWS = 99999;
    static constexpr uint32_t kBLACK = 0xFF000000u;
    static constexpr int32_t kPANEL_ID = 1;

    // sliderTextureName is accepted for the layout's sake: this list has no
    // scroller.
    KC_GUI_LISTBOX(int32_t id, const std::string& listTextureName, const std::string& panelTextureName,
                   const std::string& sliderTextureName, const std::string& fontTextureName,
                   const std::string& fontName);

    KS_MOUSE_RESULT fGetEvent() override { return KS_MOUSE_RESULT::fNotTaken(); }
    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;
    void fDraw() override;
    void fSetSize(int32_t width, int32_t height) override;
    void fReloadResources() override;
    void fReleaseResources() override;

    // Appended while fewer rows than the maximum exist; the narrow form is
    // UTF-8.
    void fAddItem(const std::string& utf8);
    void fAddItemW(const std::wstring& text);
    // Removes every row; nothing is selected.
    void fClear();
    int32_t fGetCount() const { return static_cast<int32_t>(mRows.size()); }
    // The selected row's text; null when the selection is no existing row.
    const std::wstring* fGetSelected() const;
    int32_t fGetSelection() const { return mSelection; }
    // Row i's text; empty past the rows.
    std::wstring fGetItem(int32_t index) const;
    // Selects the last row equal to text; no change when none is.
    void fSelectText(const std::wstring& text);
    void fSetVisibleRows(int32_t count);
    int32_t fGetVisibleRows() const { return mDrawnRows; }
    // A sprite behind every drawn row; a count of 0 draws every row.
    void fSetRowTexture(const std::string& name, int32_t count);
    // Both the normal and the selected text colour.
    void fSetColor(uint32_t argb);
    void fSetSelectedColor(uint32_t argb) { mSelectedColor = argb; }
    void fSetLeftMargin(int32_t pixels) { mLeftMargin = pixels; }
    void fSetUpperMargin(int32_t pixels) { mUpperMargin = pixels; }
    void fSetSliderDistance(int32_t) {}
    void fSetMaxRows(uint32_t count) { mMaxRows = count; }
    int32_t fGetRowHeight() const { return mRowHeight; }

    bool fIsBuilt() const { return mBuilt != 0; }
    KC_FONT* fGetFont() const { return mFont.get(); }
    const KC_GUI_PANEL& fGetPanel() const { return *mPanel; }

private:
    void fBuild();
    void fSetRowHeight(float panelHeight);
    void fPlaceRowSprites(float width);
    void fDrawRow(int32_t index, float x0, float y0, int32_t halfHeight);

    KC_GUI_TEXTURE mRowTexture;
    KC_GUI_TEXTURE mListTexture;
    KC_GUI_TEXTURE mFontTexture;
    std::string mSliderTextureName;
    std::string mFontName;
    KS_HIT_AREA mHitArea;
    uint32_t mMaxRows = kNO_LIMIT;
    uint8_t mBuilt = 0;
    int32_t mDrawnRows = kDEFAULT_ROWS;
    int32_t mSelection = 0;
    int32_t mIndentDivisor = 20;
    int32_t mRowHeight = 1;
    std::unique_ptr<KC_GUI_PANEL> mPanel;
    std::unique_ptr<KC_FONT> mFont;
    uint32_t mNormalColor = kBLACK;
    uint32_t mSelectedColor = kBLACK;
    std::unique_ptr<KC_QUAD> mSelectedSprite;
    std::unique_ptr<KC_QUAD> mRowSprite;
    std::vector<std::wstring> mRows;
    int32_t mLeftMargin = 0;
    int32_t mUpperMargin = 0;
};

}  // namespace KEL
