#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/windows/G_PAGES_DOTS.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/gPages.h"

namespace game {

// What the pack and level screens share: a paged list read from the page
// file the "gPages" child names, dots under it ("settings" "page_number"
// names their texture and "pos" places them), both hung under the window
// so they slide with it; arrows 1 (previous) and 2 (next); and a title
// window opened and closed with the screen.
class GG_WINDOW_PAGED : public KEL::G_WINDOW {
public:
    static constexpr int32_t kPREVIOUS = 1;
    static constexpr int32_t kNEXT = 2;

    GG_WINDOW_PAGED(const pugi::xml_node& node, const char* titleWindow);

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

    KEL::gPages* fGetPages() const { return mPages.get(); }
    KEL::G_PAGES_DOTS* fGetDots() const { return mDots.get(); }
    // Arrows hidden with one page; each enabled only where a page lies.
    void fUpdateArrows();
    // The list, its dots and arrows back at the first page (a turn under
    // way is dropped).
    void fToFirstPage();

protected:
    // Reads the page file into the page set (made by the screen) and the
    // dots; without a "gPages" child the screen has no list.
    void fBuild(const pugi::xml_node& node, std::unique_ptr<KEL::gPages> pages);

    std::unique_ptr<KEL::gPages> mPages;
    std::unique_ptr<KEL::G_PAGES_DOTS> mDots;

private:
    std::string mTitleWindow;
};

}  // namespace game
