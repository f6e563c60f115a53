#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/G_PAGES_DOTS.h"
#include "engine/windows/G_WINDOW.h"

namespace game {

class gPages_Trophy;

// "Trophy": the gallery of every trophy, a paged list read from the page
// file the "gPages" child names, with dots under it ("settings"
// "page_number" names their texture and "pos" places them), both hung
// under the window. Arrows 1 (previous) and 2 (next) turn a page only while
// no turn runs.
class GG_WINDOW_TROPHY : public KEL::G_WINDOW {
public:
    static constexpr int32_t kPREVIOUS = 1;
    static constexpr int32_t kNEXT = 2;

    explicit GG_WINDOW_TROPHY(const pugi::xml_node& node);
    ~GG_WINDOW_TROPHY() override;

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;
    void fOnRefresh() override;
    void fOnFrame() override;
    void fOnDraw() override;
    void fOnLoad() override;
    void fOnUnload() override;
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button) override;
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button) override;

    gPages_Trophy* fGetPages() const { return mPages.get(); }
    KEL::G_PAGES_DOTS* fGetDots() const { return mDots.get(); }

private:
    std::unique_ptr<gPages_Trophy> mPages;
    std::unique_ptr<KEL::G_PAGES_DOTS> mDots;
};

}  // namespace game
