#include "engine/gui/KF_GUI_READER.h"

#include <cmath>
#include <cstdlib>
#include <strings.h>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KF_GUI_TAGS.h"

namespace KEL {

namespace {

// Widgets nested deeper than this are refused: a hostile layout must not
// exhaust the stack.
constexpr int32_t kMAX_DEPTH = 64;
// Sizes beyond this (or negative) are refused.
constexpr int32_t kMAX_SIZE = 16384;
constexpr size_t kTRANSFORM_NUMBERS = 12;

thread_local int32_t tDepth = 0;

struct KS_DEPTH_GUARD {
    KS_DEPTH_GUARD() { ++tDepth; }
    ~KS_DEPTH_GUARD() { --tDepth; }
};

bool fIsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Position assigned, pivot added to what the widget set, rotation and scale
// assigned; the parent link stays. False for numbers that are not finite.
bool fApplyTransform(KS_TRANSFORM3& t, const std::vector<std::string>& pieces) {
    float v[kTRANSFORM_NUMBERS];
    for (size_t i = 0; i < kTRANSFORM_NUMBERS; ++i) {
        v[i] = static_cast<float>(std::strtod(pieces[i].c_str(), nullptr));
        if (!std::isfinite(v[i])) return false;
    }
    t.mPosition.fSet(v[0], v[1], v[2]);
    t.mPivot.fSet(t.mPivot.x + v[3], t.mPivot.y + v[4], t.mPivot.z + v[5]);
    t.mRotation.fSet(v[6], v[7], v[8]);
    t.mScale.fSet(v[9], v[10], v[11]);
    return true;
}

void fReadContext(KC_GUI_OBJECT& widget, const pugi::xml_node& node) {
    for (const pugi::xml_node& child : node.child("CONTEXT").children()) widget.fAddChild(fCreateGuiObject(child));
}

void fReadCommonScripts(KC_GUI_OBJECT& widget, const pugi::xml_node& node) {
    fGuiForEachScript(node, [&widget](const char* event, const char* script) {
        static const std::pair<const char*, KC_GUI_OBJECT::KE_SCRIPT> kSLOTS[] = {
            {"DOWN", KC_GUI_OBJECT::KE_SCRIPT::kDOWN},
            {"UP", KC_GUI_OBJECT::KE_SCRIPT::kUP},
            {"ENTER", KC_GUI_OBJECT::KE_SCRIPT::kENTER},
            {"LEAVE", KC_GUI_OBJECT::KE_SCRIPT::kLEAVE},
        };
        for (const auto& [name, slot] : kSLOTS)
            if (strcasecmp(event, name) == 0) widget.fSetScript(slot, fGuiScriptRecord(script, &widget));
    });
}

}  // namespace

void fReadGuiLayout(KC_GUI_ROOT& root, const pugi::xml_node& node, const char* name) {
    pugi::xml_node source = node;
    if (name) {
        source = node.first_child();
        for (const pugi::xml_node& child : node.children())
            if (strcasecmp(child.attribute("NAME").value(), name) == 0 && child.attribute("NAME")) {
                source = child;
                break;
            }
    }
    root.fClear();
    for (const pugi::xml_node& child : source.children())
        if (std::unique_ptr<KC_GUI_OBJECT> widget = fCreateGuiObject(child)) root.fAddChild(std::move(widget));
}

std::unique_ptr<KC_GUI_OBJECT> fCreateGuiObject(const pugi::xml_node& node) {
    if (node.type() != pugi::node_element) return nullptr;
    if (tDepth >= kMAX_DEPTH) {
        fGuiRefuse(node, "widgets nested too deep");
        return nullptr;
    }
    KS_DEPTH_GUARD depth;
    for (const KS_GUI_TAG& tag : fGuiTags())
        if (strcasecmp(node.name(), tag.mName) == 0) return tag.mCreate(node);
    return nullptr;
}

bool fReadGuiObject(KC_GUI_OBJECT& widget, const pugi::xml_node& node) {
    if (fGuiHas(node, "ENABLE")) widget.fSetEnabled(fGuiBool(node.attribute("ENABLE").value()));
    if (fGuiHas(node, "VISIBLE")) widget.fSetVisible(fGuiBool(node.attribute("VISIBLE").value()));
    if (node.child("TRANSFORM")) {
        const std::vector<std::string> pieces = fGuiNumbers(fGuiChildText(node, "TRANSFORM"));
        if (pieces.size() >= kTRANSFORM_NUMBERS && !fApplyTransform(widget.fGetTransform(), pieces)) {
            fGuiRefuse(node, "a TRANSFORM number is not finite");
            return false;
        }
    }
    if (node.child("SIZE")) {
        const KS_POINT size = fGuiPoint(fGuiChildText(node, "SIZE"));
        if (size.x < 0 || size.y < 0 || size.x > kMAX_SIZE || size.y > kMAX_SIZE) {
            fGuiRefuse(node, "SIZE out of range");
            return false;
        }
        widget.fSetSize(size.x, size.y);
    }
    if (node.child("POSITION")) {
        const KS_POINT at = fGuiPoint(fGuiChildText(node, "POSITION"));
        widget.fSetPosition(static_cast<float>(at.x), static_cast<float>(at.y), 0.0f);
    }
    fReadContext(widget, node);
    fReadCommonScripts(widget, node);
    return true;
}

int32_t fHotSpotFromString(const char* text) {
    static const char* const kNAMES[] = {"HS_UL", "HS_MU", "HS_UR", "HS_ML", "HS_MID",
                                         "HS_MR", "HS_DL", "HS_MD", "HS_DR"};
    for (int32_t i = 0; i < 9; ++i)
        if (text && std::string(text) == kNAMES[i]) return i;
    return 4;
}

bool fGuiHas(const pugi::xml_node& node, const char* key) { return !node.attribute(key).empty(); }

int32_t fGuiInt(const char* text) { return text ? static_cast<int32_t>(std::strtol(text, nullptr, 10)) : 0; }

uint32_t fGuiUint(const char* text) { return text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : 0; }

float fGuiFloat(const char* text) { return text ? static_cast<float>(std::strtod(text, nullptr)) : 0.0f; }

bool fGuiBool(const char* text) {
    if (!text) return false;
    const char c = text[0];
    return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}

std::vector<std::string> fGuiNumbers(const char* text) {
    std::vector<std::string> pieces;
    if (!text) return pieces;
    std::string piece;
    for (const char* p = text;; ++p) {
        if (*p == '\0' || fIsBlank(*p)) {
            if (!piece.empty()) pieces.push_back(std::move(piece));
            piece.clear();
            if (*p == '\0') break;
        } else {
            piece += *p;
        }
    }
    return pieces;
}

bool fGuiArgb(const char* text, uint32_t& out) {
    const std::vector<std::string> pieces = fGuiNumbers(text);
    if (pieces.size() < 4) return false;
    uint32_t packed = 0;
    for (size_t i = 0; i < 4; ++i) packed = packed << 8 | static_cast<uint8_t>(fGuiInt(pieces[i].c_str()));
    out = packed;
    return true;
}

uint32_t fGuiHexColor(const char* text) { return text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 16)) : 0; }

KS_POINT fGuiPoint(const char* text) {
    const std::vector<std::string> pieces = fGuiNumbers(text);
    if (pieces.size() < 2) return {};
    return {std::atoi(pieces[0].c_str()), std::atoi(pieces[1].c_str())};
}

bool fGuiVec2(const char* text, KS_VEC2& out) {
    const std::vector<std::string> pieces = fGuiNumbers(text);
    if (pieces.size() < 2) return false;
    out.fSet(static_cast<float>(std::atof(pieces[0].c_str())), static_cast<float>(std::atof(pieces[1].c_str())));
    return true;
}

const char* fGuiChildText(const pugi::xml_node& node, const char* child) { return node.child(child).child_value(); }

void fGuiForEachScript(const pugi::xml_node& node,
                       const std::function<void(const char* event, const char* script)>& visit) {
    for (const pugi::xml_node& child : node.child("SCRIPTS").children()) {
        const pugi::xml_attribute event = child.attribute("EVENT");
        if (event) visit(event.value(), child.child_value());
    }
}

std::unique_ptr<KC_CALLBACK> fGuiScriptRecord(const char* script, KC_GUI_OBJECT* widget) {
    return std::make_unique<KC_CALLBACK>(nullptr, script ? script : "", widget);
}

void fGuiRefuse(const pugi::xml_node& node, const std::string& why) {
    fRaiseError(std::string("Layout element ") + node.name() + " (ID " + node.attribute("ID").value() + "): " + why);
}

}  // namespace KEL
