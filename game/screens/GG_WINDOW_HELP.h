#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/windows/G_PAGES_DOTS.h"
#include "engine/windows/G_WINDOW.h"

namespace game {

class gPages_Help;

// "Help": the rules as pages of pictures and texts, read from the page file
// the "gPages" child names (placed by its "pos_x" and "pos_y"), with dots
// from the "IOS_PAGE_NUMBER" element. Buttons 3 and 4 turn back and on, 2
// closes. The pages take no input; the window steps them every frame so
// that a sliding turn runs to its end.
class GG_WINDOW_HELP : public KEL::G_WINDOW {
public:
    static constexpr int32_t kCLOSE = 2;
    static constexpr int32_t kPREVIOUS = 3;
    static constexpr int32_t kNEXT = 4;

    explicit GG_WINDOW_HELP(const pugi::xml_node& node);
    ~GG_WINDOW_HELP() override;

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override;
    void fOnFrame() override;
    void fOnDraw() override;
    void fOnLoad() override;
    void fOnUnload() override;

    gPages_Help* fGetPages() const { return mPages.get(); }
    KEL::G_PAGES_DOTS* fGetDots() const { return mDots.get(); }

private:
    std::unique_ptr<gPages_Help> mPages;
    std::unique_ptr<KEL::G_PAGES_DOTS> mDots;
};

}  // namespace game
