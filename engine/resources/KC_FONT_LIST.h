#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <pugixml.hpp>

namespace KEL {

class KC_FONT;

// The fonts by name, read from a font list ("fonts" with one child per font:
// "name", "texture" and "xml", each a repository name).
class KC_FONT_LIST {
public:
    KC_FONT_LIST() = default;
    ~KC_FONT_LIST();
    KC_FONT_LIST(const KC_FONT_LIST&) = delete;
    KC_FONT_LIST& operator=(const KC_FONT_LIST&) = delete;

    // The result of fReadFont, or 0 when the document or its "fonts" is missing.
    int32_t fRead(const std::string& resource);
    // Builds every listed font not yet known; 1.
    int32_t fReadFont(const pugi::xml_node& fonts);
    KC_FONT* fGet(const std::string& name) const;
    bool fHas(const std::string& name) const;
    // Gives every page texture back to the repository and sweeps it; the
    // fonts are left on the default texture.
    void fUnload();
    void fDeleteAll();

    size_t fGetCount() const { return mFonts.size(); }

private:
    std::map<std::string, KC_FONT*> mFonts;
};

}  // namespace KEL
