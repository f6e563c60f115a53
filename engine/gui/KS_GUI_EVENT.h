#pragma once

#include <cstdint>

namespace KEL {

// The event record of every widget: its id and the code of the event it
// reported last (0 none, 3 entered, 4 left, 7 pressed, 8 click, 9 drag,
// 10 value changed, 11 focus lock). Owners keep copies, never pointers.
struct KS_GUI_EVENT {
    int32_t mId = 0;
    int32_t mCode = 0;

    static constexpr int32_t kNONE = 0;
    static constexpr int32_t kACTIVATE = 2;
    static constexpr int32_t kENTERED = 3;
    static constexpr int32_t kLEFT = 4;
    static constexpr int32_t kPRESSED = 7;
    static constexpr int32_t kCLICK = 8;
    static constexpr int32_t kDRAG = 9;
    static constexpr int32_t kVALUE_CHANGED = 10;
    static constexpr int32_t kFOCUS_LOCK = 11;

    bool operator==(const KS_GUI_EVENT&) const = default;
};

}  // namespace KEL
