#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/util/KS_POINT.h"
#include "engine/windows/G_PAGES_ITEM.h"

namespace game {

// A pack card: a translated widget tree from the page file's "GUI" child,
// hung under the card's cell, and a click area of "size" ("w h") centred on
// it. Widgets the pack list sets: 1 newest-pack mark, 2 lock, 3 pack name,
// 4 open-pack decoration, 5 stars, 7 a mark kept hidden; 1, 2, 4 and 7
// start hidden.
class gPackItem : public KEL::G_PAGES_ITEM {
public:
    static constexpr int32_t kNEWEST_MARK = 1;
    static constexpr int32_t kLOCK = 2;
    static constexpr int32_t kNAME = 3;
    static constexpr int32_t kOPEN_MARK = 4;
    static constexpr int32_t kSTARS = 5;
    static constexpr int32_t kHIDDEN_MARK = 7;

    gPackItem(const void* owner, const pugi::xml_node& element, int32_t ordinal);

    int32_t fGetOrdinal() const { return mOrdinal; }
    bool fIsOpen() const { return mOpen; }
    void fSetOpen(bool open) { mOpen = open; }
    KEL::KC_GUI_ROOT* fGetGui() const { return mGui.get(); }
    const KEL::KS_POINT& fGetSize() const { return mSize; }
    // Shows or hides a widget of the card; a missing one is skipped.
    void fShowWidget(int32_t id, bool visible);

protected:
    int32_t fGetWidth() override { return mSize.x; }
    int32_t fGetHeight() override { return mSize.y; }
    void fReloadResources() override;
    void fReleaseResources() override;
    void fDraw() override;
    void fUpdate() override;
    int32_t fOnMouseUp(int32_t button) override;

private:
    int32_t mOrdinal;
    KEL::KS_POINT mSize;
    std::unique_ptr<KEL::KC_GUI_ROOT> mGui;
    bool mOpen = false;
};

}  // namespace game
