#pragma once

#include <memory>

#include <pugixml.hpp>

// Creators of the layout tags of the basic widgets. Each tests its
// required keys, constructs the widget, and applies its own keys around
// the common ones (see KF_GUI_READER.h).
namespace KEL {

class KC_GUI_OBJECT;

// LABEL: ID, TEXTURE (font page), FONT (BMFont XML); TEXT, FONT_COLOR.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiLabel(const pugi::xml_node& node);
// IMAGE: ID, TEXTURE; HOT_SPOT (anchor name).
std::unique_ptr<KC_GUI_OBJECT> fReadGuiImage(const pugi::xml_node& node);
// BUTTON5: ID, TEXTURE; an ENABLE of false also shows it disabled.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiButton5(const pugi::xml_node& node);
// BUTTON2: ID, TEXTURE.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiButton2(const pugi::xml_node& node);
// PANEL: ID, TEXTURE; MOVABLE (default true); script GRAB.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiPanel(const pugi::xml_node& node);
// PANEL9: ID; TX_1_1 ... TX_3_3; MOVABLE (default false); script GRAB.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiPanel9(const pugi::xml_node& node);
// CHECKBOX: ID, TEXTURE.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiCheckbox(const pugi::xml_node& node);
// CHECKBOX_IOS: ID, TX_PANEL, TX_BTN.
std::unique_ptr<KC_GUI_OBJECT> fReadGuiCheckboxIos(const pugi::xml_node& node);

}  // namespace KEL
