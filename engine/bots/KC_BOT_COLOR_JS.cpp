#include "engine/bots/KC_BOT_COLOR_JS.h"

namespace KEL {

KC_BOT_COLOR_JS::KC_BOT_COLOR_JS(uint32_t* target, float duration, uint32_t endColor, float delay)
    : KC_BOT_COLOR(nullptr, duration, endColor, delay), mWord(target) {}

void KC_BOT_COLOR_JS::fApplyEnd() {
    KC_BOT_COLOR::fApplyEnd();
    mWord = nullptr;
}

KC_BOT_COLOR_JS* fCreateBotColorJs(uint32_t* target, float duration, uint32_t endColor, float delay) {
    auto* bot = new KC_BOT_COLOR_JS(target, duration, endColor, delay);
    bot->fStart();
    return bot;
}

}  // namespace KEL
