#pragma once

#include <memory>

#include <pugixml.hpp>

// Creators of the layout tags of the text, list, progress and slider
// widgets. Each tests its required keys, constructs the widget, and applies
// its own keys around the common ones (see KF_GUI_READER.h).
namespace KEL {

class KC_GUI_OBJECT;

// WLABEL: ID, FONT, FONT_TEXTURE; TEXT (UTF-8), TEXT_ID (no effect), and
// before the common keys LETTER_SPACE, LINE_SPACE, HOT_SPOT (0..8),
// FONT_COLOR (hex); after them FONT_SCALE.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiWLabel(const pugi::xml_node& node);
// LINEBOX: ID, TEXTURE, FONT_TEXTURE, FONT; after the common keys MAXLEN,
// TEXT, CARRY_BLINK_TIME, FONT_COLOR (argb), ALIGNMENT, INPUT_AREA (margins
// left top right bottom).
std::unique_ptr<KC_GUI_OBJECT> fReadGuiLinebox(const pugi::xml_node& node);
// LISTBOX: ID, LIST_TEXTURE, PANEL_TEXTURE, SLIDER12_TEXTURE, FONT_TEXTURE,
// FONT (SLIDER_BTN_DIST accepted); after the common keys ITEMS,
// VISIBLE_COUNT, LEFT_MARGIN, UPPER_MARGIN, FONT_COLOR, FONT_SELECTED_COLOR,
// SLIDER_DISTANCE (no effect), ROW_TEXTURE with DRAW_COUNT, MAX_ROW.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiListbox(const pugi::xml_node& node);
// PROGRESS_BAR: ID, TEXTURE; script FILLED.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiProgressBar(const pugi::xml_node& node);
// ANIMATION_BAR: ID, TEXTURE, COLUMNS, ROWS, FRAMES (each at least 1);
// script FILLED.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiAnimationBar(const pugi::xml_node& node);
// SLIDER12: ID, TEXTURE, START, END; RADIUS, BTN_DISTANCE, MIN, MAX, STEP,
// VALUE.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiSlider12(const pugi::xml_node& node);
// SLIDER13: as SLIDER12; script VALUE_CHANGED (exact case).
std::unique_ptr<KC_GUI_OBJECT> fReadGuiSlider13(const pugi::xml_node& node);
// SIMPLESLIDER: ID, PROGRESS (bar), RUNNER.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiSimpleSlider(const pugi::xml_node& node);

}  // namespace KEL
