#include <gtest/gtest.h>

#include "SERVICE/KC_CALLBACK.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"

using KEL::KC_CALLBACK;

namespace {
int32_t fEcho(void* argument) { return argument ? *static_cast<int32_t*>(argument) : -1; }
}  // namespace

TEST(KC_CALLBACK, CallRulesForMissingRecordFunctionAndArguments) {
    EXPECT_EQ(KC_CALLBACK::fCall(nullptr), -108);

    KC_CALLBACK empty(nullptr, "empty", nullptr);
    EXPECT_EQ(KC_CALLBACK::fCall(&empty), 0);

    int32_t user = 7, given = 9;
    KC_CALLBACK* record = KC_CALLBACK::fCreate(&fEcho, "echo", &user);
    EXPECT_EQ(record->mName, "echo");
    EXPECT_EQ(KC_CALLBACK::fCall(record), 7) << "a null argument passes the user argument";
    EXPECT_EQ(KC_CALLBACK::fCall(record, &given), 9) << "a given argument replaces it";
    delete record;
}

TEST(KC_CALLBACK, RaisingTheEmptyErrorSlotKeepsTheText) {
    KEL::kcbERROR = nullptr;
    EXPECT_EQ(KEL::fRaiseError("Cant load res "), -108);
    EXPECT_EQ(KEL::fErrorText(), "Cant load res ");
}
