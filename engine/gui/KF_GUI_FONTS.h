#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace KEL {

class KC_FONT;
class KC_TEXTURE;

// Builds a widget's own font from the "font" element of the named font
// description in the repository and the page texture; the description is
// handed back at once. Null when the description is missing or holds no
// "font" element.
std::unique_ptr<KC_FONT> fBuildGuiFont(const std::string& descriptionName, KC_TEXTURE* texture, uint32_t capacity);

}  // namespace KEL
