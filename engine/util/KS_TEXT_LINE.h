#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// One line of text with its measure, built by the game frame.
struct KS_TEXT_LINE {
    float mWidth = 0.0f;
    uint32_t mWord = 0;
    uint32_t mSecond = 0;
    std::wstring mText;
};

}  // namespace KEL
