#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SERVICE/KS_RESULT.h"

namespace KEL {

// Base of every bot (animator) and page item: names, an id tag, a sort key,
// two filter bytes and one message handler. Messages: 1 advance a frame,
// 2 draw, 38 set the completion callback (data = KC_CALLBACK*, copied),
// 45 finish at once. Answers: -113 finished (the manager deletes the object),
// KS_RESULT::kSTOP stop the manager's pass, anything else keep going.
class KC_BASE {
public:
    // The tag of an object nobody claimed: the characters "noid".
    static constexpr uintptr_t kNO_ID = uintptr_t('n') | uintptr_t('o') << 8 | uintptr_t('i') << 16 |
                                        uintptr_t('d') << 24;
    // Owners tag their objects with their own address; the tag is wide
    // enough to hold a whole pointer.
    static uintptr_t fTag(const void* owner) { return reinterpret_cast<uintptr_t>(owner); }

    static constexpr int32_t kMSG_UPDATE = 1;
    static constexpr int32_t kMSG_DRAW = 2;
    static constexpr int32_t kMSG_SET_CALLBACK = 38;
    static constexpr int32_t kMSG_FINISH = 45;
    static constexpr int32_t kANSWER_FINISHED = KS_RESULT::kFINISHED;

    KC_BASE() = default;
    KC_BASE(const KC_BASE&) = default;
    KC_BASE& operator=(const KC_BASE&) = default;
    virtual ~KC_BASE() = default;

    virtual int32_t fMessage(int32_t message, float a, float b, float c, void* data) = 0;

    std::string mName = "nonamed";
    std::string mLastName = "nolastname";
    std::vector<uint32_t> mValues;
    uintptr_t mId = kNO_ID;
    float mSortKey = 0.0f;
    uint8_t mActive = 1;
    uint8_t mDrawable = 1;
};

}  // namespace KEL
