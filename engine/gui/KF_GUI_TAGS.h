#pragma once

#include <span>

#include "engine/gui/KF_GUI_READER.h"

namespace KEL {

struct KS_GUI_TAG {
    const char* mName;
    KF_GUI_CREATOR mCreate;
};

// Every tag the layout reader knows, in match order.
std::span<const KS_GUI_TAG> fGuiTags();

}  // namespace KEL
