#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/G_PAGES_DOTS.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/gPages.h"

namespace game {

// A window that holds a paged list: the packs, the levels, the trophy
// gallery, the help and the shop. The list is read from the page file the
// "gPages" child names (placed by its "pos_x" and "pos_y" when both are
// given); dots under it come from "settings" "page_number" (their texture)
// and "pos", or from an "IOS_PAGE_NUMBER" element. List and dots hang
// under the window, so they slide with it. The arrows turn a page only
// while no turn runs, the dots following each turn taken; a title window,
// when the screen has one, opens and closes with it.
class GG_WINDOW_PAGED : public KEL::G_WINDOW {
public:
    static constexpr int32_t kNO_ARROW = -1;
    // The arrows of the pack, level and trophy screens.
    static constexpr int32_t kPREVIOUS = 1;
    static constexpr int32_t kNEXT = 2;

    // How a screen's list is turned and heard.
    struct KS_PAGING {
        int32_t mPrevious = kNO_ARROW;
        int32_t mNext = kNO_ARROW;
        // Opened and closed with the screen; null for none.
        const char* mTitleWindow = nullptr;
        // With a single page the arrows are hidden rather than greyed.
        bool mHideArrowsOnOnePage = false;
        // The list hears the mouse the window did not take.
        bool mListTakesMouse = true;
    };

    GG_WINDOW_PAGED(const pugi::xml_node& node, const KS_PAGING& paging);
    ~GG_WINDOW_PAGED() override;

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;
    void fOnHideStart() override;
    void fOnDraw() override;
    void fOnFrame() override;
    void fOnLoad() override;
    void fOnUnload() override;
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseMove() override;
    // Not while a turn slides the list: the page it ends on is what lies
    // under the pointer.
    bool fIsAtRest() const override;

    KEL::gPages* fGetPages() const { return mPages.get(); }
    KEL::G_PAGES_DOTS* fGetDots() const { return mDots.get(); }
    // Next enabled where a next page lies, previous where a previous one
    // lies, each lit again if the pointer rests on it.
    void fUpdateArrows();
    // The list, its dots and arrows back at the first page (a turn under
    // way is dropped).
    void fToFirstPage();

protected:
    // Reads the page file into the page set the screen made; without a
    // "gPages" child the screen has no list.
    void fBuild(const pugi::xml_node& node, std::unique_ptr<KEL::gPages> pages);

    std::unique_ptr<KEL::gPages> mPages;
    std::unique_ptr<KEL::G_PAGES_DOTS> mDots;

private:
    void fBuildDots(const pugi::xml_node& node);

    KS_PAGING mPaging;
};

}  // namespace game
