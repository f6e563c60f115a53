#include "engine/gui/KF_GUI_CREATORS.h"

#include <initializer_list>
#include <string>
#include <strings.h>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_BUTTON2.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_CHECKBOX5.h"
#include "engine/gui/KC_GUI_CHECKBOX_IOS.h"
#include "engine/gui/KC_GUI_IMAGE.h"
#include "engine/gui/KC_GUI_LABEL.h"
#include "engine/gui/KC_GUI_PANEL.h"
#include "engine/gui/KC_GUI_PANEL9.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

namespace {

bool fHasAll(const pugi::xml_node& node, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        if (!fGuiHas(node, key)) return false;
    return true;
}

int32_t fId(const pugi::xml_node& node) { return fGuiInt(node.attribute("ID").value()); }
std::string fText(const pugi::xml_node& node, const char* key) { return node.attribute(key).value(); }

// The common keys; the widget is dropped when they are refused.
template <class T>
std::unique_ptr<KC_GUI_OBJECT> fFinish(std::unique_ptr<T> widget, const pugi::xml_node& node) {
    if (!fReadGuiObject(*widget, node)) return nullptr;
    return widget;
}

// The page texture and the "font" element of the font's document, which is
// given back once the label has read it.
std::unique_ptr<KC_GUI_LABEL> fMakeLabel(const pugi::xml_node& node) {
    KC_TEXTURE* page = fAcquireTexture(fText(node, "TEXTURE"));
    pugi::xml_document* font = kcREPOSITORY ? kcREPOSITORY->fGetXml(fText(node, "FONT")) : nullptr;
    auto label = std::make_unique<KC_GUI_LABEL>(fId(node), font ? font->child("font") : pugi::xml_node(), page,
                                                fText(node, "TEXT"));
    if (font) kcREPOSITORY->fReleaseXml(font);
    return label;
}

void fReadGrabScript(KC_GUI_DRAGGABLE& panel, const pugi::xml_node& node) {
    fGuiForEachScript(node, [&panel](const char* event, const char* script) {
        if (strcasecmp(event, "GRAB") == 0) panel.fSetGrabScript(fGuiScriptRecord(script, &panel));
    });
}

}  // namespace

std::unique_ptr<KC_GUI_OBJECT> fReadGuiLabel(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID", "TEXTURE", "FONT"})) return nullptr;
    std::unique_ptr<KC_GUI_LABEL> label = fMakeLabel(node);
    uint32_t color = 0;
    if (fGuiArgb(node.attribute("FONT_COLOR").value(), color)) label->fGetFont()->fSetColor(color);
    return fFinish(std::move(label), node);
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiImage(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID", "TEXTURE"})) return nullptr;
    auto image = std::make_unique<KC_GUI_IMAGE>(fId(node), fText(node, "TEXTURE"));
    if (fGuiHas(node, "HOT_SPOT")) image->fSetAnchor(fHotSpotFromString(node.attribute("HOT_SPOT").value()));
    return fFinish(std::move(image), node);
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiButton5(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID", "TEXTURE"})) return nullptr;
    auto button = std::make_unique<KC_GUI_BUTTON5>(fId(node), fText(node, "TEXTURE"));
    if (!fReadGuiObject(*button, node)) return nullptr;
    if (fGuiHas(node, "ENABLE") && !fGuiBool(node.attribute("ENABLE").value())) button->fSetDisabled();
    return button;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiButton2(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID", "TEXTURE"})) return nullptr;
    return fFinish(std::make_unique<KC_GUI_BUTTON2>(fId(node), fText(node, "TEXTURE")), node);
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiPanel(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID", "TEXTURE"})) return nullptr;
    auto panel = std::make_unique<KC_GUI_PANEL>(fId(node), fText(node, "TEXTURE"));
    if (fGuiHas(node, "MOVABLE")) panel->fSetMovable(fGuiBool(node.attribute("MOVABLE").value()));
    if (!fReadGuiObject(*panel, node)) return nullptr;
    fReadGrabScript(*panel, node);
    return panel;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiPanel9(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID"})) return nullptr;
    static const char* const kKEYS[KC_GUI_PANEL9::kPIECES] = {"TX_1_1", "TX_1_2", "TX_1_3", "TX_2_1", "TX_2_2",
                                                              "TX_2_3", "TX_3_1", "TX_3_2", "TX_3_3"};
    KC_GUI_PANEL9::KS_NAMES names;
    for (int32_t i = 0; i < KC_GUI_PANEL9::kPIECES; ++i) names[i] = fText(node, kKEYS[i]);
    auto panel = std::make_unique<KC_GUI_PANEL9>(fId(node), names);
    if (fGuiHas(node, "MOVABLE")) panel->fSetMovable(fGuiBool(node.attribute("MOVABLE").value()));
    if (!fReadGuiObject(*panel, node)) return nullptr;
    fReadGrabScript(*panel, node);
    return panel;
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiCheckbox(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID", "TEXTURE"})) return nullptr;
    return fFinish(std::make_unique<KC_GUI_CHECKBOX5>(fId(node), fText(node, "TEXTURE")), node);
}

std::unique_ptr<KC_GUI_OBJECT> fReadGuiCheckboxIos(const pugi::xml_node& node) {
    if (!fHasAll(node, {"ID", "TX_PANEL", "TX_BTN"})) return nullptr;
    return fFinish(std::make_unique<KC_GUI_CHECKBOX_IOS>(fId(node), fText(node, "TX_PANEL"), fText(node, "TX_BTN")),
                   node);
}

}  // namespace KEL
