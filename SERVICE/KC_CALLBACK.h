#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// A callback function: takes one untyped argument, answers a result code.
using KF_CALLBACK = int32_t (*)(void* argument);

// A (function, user argument, name) record. Engine objects keep owned
// pointers to these and free them in their destructors.
class KC_CALLBACK {
public:
    KC_CALLBACK(KF_CALLBACK function, std::string name, void* user);

    // A new heap record.
    static KC_CALLBACK* fCreate(KF_CALLBACK function, const char* name, void* user);

    // -108 for a null record, 0 for a record without a function, else the
    // function's result. A null argument passes the record's user argument.
    static int32_t fCall(const KC_CALLBACK* record, void* argument = nullptr);

    void* mUser = nullptr;
    std::string mName;
    KF_CALLBACK mFunction = nullptr;
};

}  // namespace KEL
