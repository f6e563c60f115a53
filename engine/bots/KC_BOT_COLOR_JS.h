#pragma once

#include "engine/bots/KC_BOT_COLOR.h"

namespace KEL {

// As KC_BOT_COLOR, on a packed colour word 0xAARRGGBB.
class KC_BOT_COLOR_JS : public KC_BOT_COLOR {
public:
    KC_BOT_COLOR_JS(uint32_t* target, float duration, uint32_t endColor, float delay);

protected:
    uint32_t fRead() const override { return mWord ? *mWord : 0; }
    void fWrite(uint32_t color) override {
        if (mWord) *mWord = color;
    }
    void fApplyEnd() override;

    uint32_t* mWord;
};

KC_BOT_COLOR_JS* fCreateBotColorJs(uint32_t* target, float duration, uint32_t endColor, float delay);

}  // namespace KEL
