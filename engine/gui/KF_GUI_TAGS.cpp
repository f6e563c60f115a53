#include "engine/gui/KF_GUI_TAGS.h"

#include "engine/gui/KF_GUI_CREATORS.h"

namespace KEL {

namespace {

// One row per tag. Tags compare without regard to case; a tag missing here
// is unknown to the reader, which skips its elements.
const KS_GUI_TAG kTAGS[] = {
    {"LABEL", &fReadGuiLabel},
    {"IMAGE", &fReadGuiImage},
    {"BUTTON5", &fReadGuiButton5},
    {"BUTTON2", &fReadGuiButton2},
    {"PANEL", &fReadGuiPanel},
    {"PANEL9", &fReadGuiPanel9},
    {"CHECKBOX", &fReadGuiCheckbox},
    {"CHECKBOX_IOS", &fReadGuiCheckboxIos},
};

}  // namespace

std::span<const KS_GUI_TAG> fGuiTags() { return kTAGS; }

}  // namespace KEL
