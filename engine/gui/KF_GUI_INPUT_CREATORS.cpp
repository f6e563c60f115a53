#include "engine/gui/KF_GUI_INPUT_CREATORS.h"

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <strings.h>

#include "engine/gui/KC_GUI_ANIMATION_BAR.h"
#include "engine/gui/KC_GUI_LINEBOX.h"
#include "engine/gui/KC_GUI_LISTBOX.h"
#include "engine/gui/KC_GUI_PROGRESS_BAR.h"
#include "engine/gui/KC_GUI_SIMPLE_SLIDER.h"
#include "engine/gui/KC_GUI_SLIDER12.h"
#include "engine/gui/KC_GUI_SLIDER13.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/util/KF_UTF8.h"

namespace KEL {

namespace {

// A frame sheet has at most this many frames a side.
constexpr int32_t kMAX_FRAME_GRID = 1024;

bool fHasKeys(const pugi::xml_node& node, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        if (!fGuiHas(node, key)) return false;
    return true;
}

const char* fValue(const pugi::xml_node& node, const char* key) { return node.attribute(key).value(); }
int32_t fIdOf(const pugi::xml_node& node) { return fGuiInt(fValue(node, "ID")); }
float fFloatOr(const pugi::xml_node& node, const char* key, float fallback) {
    return fGuiHas(node, key) ? fGuiFloat(fValue(node, key)) : fallback;
}

bool fCommon(KC_GUI_OBJECT& widget, const pugi::xml_node& node) { return fReadGuiObject(widget, node); }

void fReadFilledScript(KC_BASEPROGRESS& bar, const pugi::xml_node& node) {
    fGuiForEachScript(node, [&bar](const char* event, const char* script) {
        if (strcasecmp(event, "FILLED") == 0) bar.fSetFilledScript(fGuiScriptRecord(script, &bar));
    });
}

// Slider numbers beyond this are refused: no screen or value range needs
// them, and whole-pixel sizes must stay within integers.
constexpr float kMAX_SLIDER_NUMBER = 1.0e6f;
bool fSane(float number) { return std::isfinite(number) && std::fabs(number) <= kMAX_SLIDER_NUMBER; }

// The numbers of a track slider: the track ends (required) and the value
// range (optional); false when an end is missing or a number not finite.
struct KS_SLIDER_KEYS {
    KS_VEC2 mStart;
    KS_VEC2 mEnd;
    float mNumbers[6] = {
        KC_BASESLIDER::kDEFAULT_RADIUS, KC_BASESLIDER::kDEFAULT_BUTTON_DISTANCE, 0.0f, 100.0f, 5.0f, 0.0f};

    bool fRead(const pugi::xml_node& node) {
        if (!fGuiVec2(fValue(node, "START"), mStart) || !fGuiVec2(fValue(node, "END"), mEnd)) return false;
        static const char* const kKEYS[6] = {"RADIUS", "BTN_DISTANCE", "MIN", "MAX", "STEP", "VALUE"};
        for (int32_t i = 0; i < 6; ++i) mNumbers[i] = fFloatOr(node, kKEYS[i], mNumbers[i]);
        bool sane = fSane(mStart.x) && fSane(mStart.y) && fSane(mEnd.x) && fSane(mEnd.y);
        for (float number : mNumbers) sane = sane && fSane(number);
        if (!sane) fGuiRefuse(node, "a slider number is not finite or out of range");
        return sane;
    }
};

template <class T>
std::unique_ptr<T> fMakeSlider(const pugi::xml_node& node) {
    if (!fHasKeys(node, {"ID", "TEXTURE", "START", "END"})) return nullptr;
    KS_SLIDER_KEYS keys;
    if (!keys.fRead(node)) return nullptr;
    const float* n = keys.mNumbers;
    return std::make_unique<T>(fIdOf(node), fValue(node, "TEXTURE"), keys.mStart, keys.mEnd, n[0], n[1], n[2], n[3],
                               n[4], n[5]);
}

void fReadLineboxKeys(KC_GUI_LINEBOX& box, const pugi::xml_node& node) {
    if (fGuiHas(node, "MAXLEN")) box.fSetMaxChars(fGuiUint(fValue(node, "MAXLEN")));
    if (fGuiHas(node, "TEXT")) {
        // One character per byte; the box takes text only once built.
        const std::string bytes = fValue(node, "TEXT");
        box.fSetText(std::wstring(bytes.begin(), bytes.end()));
    }
    if (fGuiHas(node, "CARRY_BLINK_TIME")) box.fSetBlinkTime(fGuiFloat(fValue(node, "CARRY_BLINK_TIME")));
    uint32_t color = 0;
    if (fGuiArgb(fValue(node, "FONT_COLOR"), color)) box.fSetTextColor(color);
    if (fGuiHas(node, "ALIGNMENT")) {
        const std::string alignment = fValue(node, "ALIGNMENT");
        box.fSetAlignment(alignment == "RIGHT"    ? KC_GUI_LINEBOX::kALIGN_RIGHT
                          : alignment == "CENTER" ? KC_GUI_LINEBOX::kALIGN_CENTRE
                                                  : KC_GUI_LINEBOX::kALIGN_LEFT);
    }
    if (node.child("INPUT_AREA")) {
        const std::vector<std::string> margins = fGuiNumbers(fGuiChildText(node, "INPUT_AREA"));
        if (margins.size() >= 4)
            box.fSetMargins(fGuiFloat(margins[0].c_str()), fGuiFloat(margins[1].c_str()), fGuiFloat(margins[2].c_str()),
                            fGuiFloat(margins[3].c_str()));
    }
}

void fReadListboxKeys(KC_GUI_LISTBOX& list, const pugi::xml_node& node) {
    for (const pugi::xml_node& item : node.child("ITEMS").children())
        if (item.type() == pugi::node_element) list.fAddItem(item.child_value());
    if (fGuiHas(node, "VISIBLE_COUNT"))
        list.fSetVisibleRows(static_cast<int32_t>(fGuiUint(fValue(node, "VISIBLE_COUNT"))));
    if (fGuiHas(node, "LEFT_MARGIN")) list.fSetLeftMargin(fGuiInt(fValue(node, "LEFT_MARGIN")));
    if (fGuiHas(node, "UPPER_MARGIN")) list.fSetUpperMargin(fGuiInt(fValue(node, "UPPER_MARGIN")));
    uint32_t color = 0;
    if (fGuiArgb(fValue(node, "FONT_COLOR"), color)) list.fSetColor(color);
    if (fGuiArgb(fValue(node, "FONT_SELECTED_COLOR"), color)) list.fSetSelectedColor(color);
    if (fGuiHas(node, "SLIDER_DISTANCE")) list.fSetSliderDistance(fGuiInt(fValue(node, "SLIDER_DISTANCE")));
    if (fHasKeys(node, {"ROW_TEXTURE", "DRAW_COUNT"}))
        list.fSetRowTexture(fValue(node, "ROW_TEXTURE"), fGuiInt(fValue(node, "DRAW_COUNT")));
    if (fGuiHas(node, "MAX_ROW")) list.fSetMaxRows(fGuiUint(fValue(node, "MAX_ROW")));
}

}  // namespace

std::unique_ptr<KC_GUI_OBJECT> fReadGuiWLabel(const pugi::xml_node& node) {
    if (!fHasKeys(node, {"ID", "FONT", "FONT_TEXTURE"})) return nullptr;
    auto label = std::make_unique<KC_GUI_WLABEL>(fIdOf(node), fValue(node, "FONT"), fValue(node, "FONT_TEXTURE"),
                                                 fFromUtf8(fValue(node, "TEXT")));
    if (fGuiHas(node, "LETTER_SPACE")) label->fSetLetterSpace(fGuiInt(fValue(node, "LETTER_SPACE")));
    if (fGuiHas(node, "LINE_SPACE")) label->fSetLineSpace(fGuiInt(fValue(node, "LINE_SPACE")));
    if (fGuiHas(node, "HOT_SPOT")) label->fSetAnchor(fGuiInt(fValue(node, "HOT_SPOT")));
    if (fGuiHas(node, "FONT_COLOR")) label->fSetColor(fGuiHexColor(fValue(node, "FONT_COLOR")));
    if (!fCommon(*label, node)) return nullptr;
    if (fGuiHas(node, "FONT_SCALE")) label->fSetScale(fGuiFloat(fValue(node, "FONT_SCALE")));
    return label;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiLinebox(const pugi::xml_node& node) {
    if (!fHasKeys(node, {"ID", "TEXTURE", "FONT_TEXTURE", "FONT"})) return nullptr;
    auto box = std::make_unique<KC_GUI_LINEBOX>(fIdOf(node), fValue(node, "TEXTURE"), fValue(node, "FONT_TEXTURE"),
                                                fValue(node, "FONT"));
    if (!fCommon(*box, node)) return nullptr;
    fReadLineboxKeys(*box, node);
    return box;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiListbox(const pugi::xml_node& node) {
    if (!fHasKeys(node, {"ID", "LIST_TEXTURE", "PANEL_TEXTURE", "SLIDER12_TEXTURE", "FONT_TEXTURE", "FONT"}))
        return nullptr;
    auto list = std::make_unique<KC_GUI_LISTBOX>(fIdOf(node), fValue(node, "LIST_TEXTURE"),
                                                 fValue(node, "PANEL_TEXTURE"), fValue(node, "SLIDER12_TEXTURE"),
                                                 fValue(node, "FONT_TEXTURE"), fValue(node, "FONT"));
    if (!fCommon(*list, node)) return nullptr;
    fReadListboxKeys(*list, node);
    return list;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiProgressBar(const pugi::xml_node& node) {
    if (!fHasKeys(node, {"ID", "TEXTURE"})) return nullptr;
    auto bar = std::make_unique<KC_GUI_PROGRESS_BAR>(fIdOf(node), fValue(node, "TEXTURE"));
    if (!fCommon(*bar, node)) return nullptr;
    fReadFilledScript(*bar, node);
    return bar;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiAnimationBar(const pugi::xml_node& node) {
    if (!fHasKeys(node, {"ID", "TEXTURE", "COLUMNS", "ROWS", "FRAMES"})) return nullptr;
    const int32_t columns = fGuiInt(fValue(node, "COLUMNS"));
    const int32_t rows = fGuiInt(fValue(node, "ROWS"));
    const int32_t frames = fGuiInt(fValue(node, "FRAMES"));
    if (columns < 1 || rows < 1 || frames < 1) {
        fGuiRefuse(node, "COLUMNS, ROWS and FRAMES must be at least 1");
        return nullptr;
    }
    if (columns > kMAX_FRAME_GRID || rows > kMAX_FRAME_GRID) {
        fGuiRefuse(node, "COLUMNS and ROWS must be at most " + std::to_string(kMAX_FRAME_GRID));
        return nullptr;
    }
    auto bar = std::make_unique<KC_GUI_ANIMATION_BAR>(fIdOf(node), fValue(node, "TEXTURE"), columns, rows, frames);
    if (!fCommon(*bar, node)) return nullptr;
    fReadFilledScript(*bar, node);
    return bar;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiSlider12(const pugi::xml_node& node) {
    std::unique_ptr<KC_GUI_SLIDER12> slider = fMakeSlider<KC_GUI_SLIDER12>(node);
    if (!slider || !fCommon(*slider, node)) return nullptr;
    return slider;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiSlider13(const pugi::xml_node& node) {
    std::unique_ptr<KC_GUI_SLIDER13> slider = fMakeSlider<KC_GUI_SLIDER13>(node);
    if (!slider || !fCommon(*slider, node)) return nullptr;
    KC_GUI_SLIDER13* target = slider.get();
    fGuiForEachScript(node, [target](const char* event, const char* script) {
        if (std::strcmp(event, "VALUE_CHANGED") == 0) target->fSetValueChangedScript(fGuiScriptRecord(script, target));
    });
    return slider;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiSimpleSlider(const pugi::xml_node& node) {
    if (!fHasKeys(node, {"ID", "PROGRESS", "RUNNER"})) return nullptr;
    auto slider = std::make_unique<KC_GUI_SIMPLE_SLIDER>(fIdOf(node), fValue(node, "PROGRESS"), fValue(node, "RUNNER"));
    if (!fCommon(*slider, node)) return nullptr;
    return slider;
}

}  // namespace KEL
