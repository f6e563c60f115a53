#pragma once

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"

namespace KEL {

// A window whose clicks do nothing: full-screen fades, titles and other
// windows that need no code of their own. Its callbacks and click handler
// still run, so a caller may react to its show, hide and clicks.
class G_WINDOW_SIMPLE : public G_WINDOW {
public:
    explicit G_WINDOW_SIMPLE(const pugi::xml_node& node) : G_WINDOW(node) {}

    void fOnClick(int32_t) override {}
};

}  // namespace KEL
