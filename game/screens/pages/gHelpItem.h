#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/util/KS_POINT.h"
#include "engine/windows/G_PAGES_ITEM.h"

namespace game {

// One help page: a translated widget tree from the page file's "GUI" child,
// hung under the page's cell, of "size" ("w h"). It only shows: it takes
// no input.
class gHelpItem : public KEL::G_PAGES_ITEM {
public:
    gHelpItem(const void* owner, const pugi::xml_node& element);

    KEL::KC_GUI_ROOT* fGetGui() const { return mGui.get(); }

protected:
    int32_t fGetWidth() override { return mSize.x; }
    int32_t fGetHeight() override { return mSize.y; }
    void fReloadResources() override;
    void fReleaseResources() override;
    void fDraw() override;

private:
    KEL::KS_POINT mSize;
    std::unique_ptr<KEL::KC_GUI_ROOT> mGui;
};

}  // namespace game
