#pragma once

#include <string>

#include "engine/bots/KC_BASE.h"

namespace KEL {

// Holds two texts and a number and is done at its first frame.
class KC_BOT_CHART_BOOST : public KC_BASE {
public:
    KC_BOT_CHART_BOOST(std::string first, std::string second, int32_t number)
        : mFirst(std::move(first)), mSecond(std::move(second)), mNumber(number) {}

    int32_t fMessage(int32_t message, float, float, float, void*) override {
        return message == kMSG_UPDATE ? kANSWER_FINISHED : 0;
    }

    std::string mFirst;
    std::string mSecond;
    int32_t mNumber;
};

}  // namespace KEL
