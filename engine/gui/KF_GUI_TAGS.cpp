#include "engine/gui/KF_GUI_TAGS.h"

#include "engine/gui/KF_GUI_CREATORS.h"
#include "engine/gui/KF_GUI_INPUT_CREATORS.h"

namespace KEL {

namespace {

// One row per tag. Tags compare without regard to case; a tag missing here
// is unknown to the reader, which skips its elements.
const KS_GUI_TAG kTAGS[] = {
    {"LABEL", &fReadGuiLabel},
    {"WLABEL", &fReadGuiWLabel},
    {"IMAGE", &fReadGuiImage},
    {"BUTTON5", &fReadGuiButton5},
    {"BUTTON2", &fReadGuiButton2},
    {"PANEL", &fReadGuiPanel},
    {"PANEL9", &fReadGuiPanel9},
    {"CHECKBOX", &fReadGuiCheckbox},
    {"CHECKBOX_IOS", &fReadGuiCheckboxIos},
    {"LINEBOX", &fReadGuiLinebox},
    {"LISTBOX", &fReadGuiListbox},
    {"PROGRESS_BAR", &fReadGuiProgressBar},
    {"ANIMATION_BAR", &fReadGuiAnimationBar},
    {"SLIDER12", &fReadGuiSlider12},
    {"SLIDER13", &fReadGuiSlider13},
    {"SIMPLESLIDER", &fReadGuiSimpleSlider},
};

}  // namespace

std::span<const KS_GUI_TAG> fGuiTags() { return kTAGS; }

}  // namespace KEL
