// Fixed US English key-to-text table.
// Provides: host::fKeyToText over the caller's key-state bytes (the shift
// key's byte by its high bit, caps lock's by its low bit, control's by its
// high bit).
// Does not provide: other layouts, dead keys, input methods, AltGr.
#include "host/IKeyboard.h"

#include "host/VirtualKeys.h"

namespace host {

namespace {

// Unshifted and shifted characters of the punctuation keys (VK_OEM_*).
struct OemKey {
    uint32_t mVk;
    wchar_t mPlain;
    wchar_t mShifted;
};

constexpr OemKey kOemKeys[] = {
    {vk::kSEMICOLON, L';', L':'},     {vk::kEQUALS, L'=', L'+'},       {vk::kCOMMA, L',', L'<'},
    {vk::kMINUS, L'-', L'_'},         {vk::kPERIOD, L'.', L'>'},       {vk::kSLASH, L'/', L'?'},
    {vk::kGRAVE, L'`', L'~'},         {vk::kLEFT_BRACKET, L'[', L'{'}, {vk::kBACKSLASH, L'\\', L'|'},
    {vk::kRIGHT_BRACKET, L']', L'}'}, {vk::kQUOTE, L'\'', L'"'},
};

constexpr wchar_t kShiftedDigits[] = L")!@#$%^&*(";

wchar_t fCharOf(uint32_t key, bool shift, bool caps, bool control) {
    if (key >= 'A' && key <= 'Z') {
        if (control) return static_cast<wchar_t>(key - 'A' + 1);
        return (shift != caps) ? static_cast<wchar_t>(key) : static_cast<wchar_t>(key - 'A' + 'a');
    }
    switch (key) {
        case vk::kBACKSPACE: return 0x08;
        case vk::kTAB: return control ? 0 : L'\t';
        case vk::kENTER: return L'\r';
        case vk::kESCAPE: return 0x1B;
        case vk::kSPACE: return L' ';
        case vk::kKEYPAD_MULTIPLY: return L'*';
        case vk::kKEYPAD_PLUS: return L'+';
        case vk::kKEYPAD_MINUS: return L'-';
        case vk::kKEYPAD_PERIOD: return L'.';
        case vk::kKEYPAD_DIVIDE: return L'/';
        default: break;
    }
    if (control) return 0;
    if (key >= '0' && key <= '9') return shift ? kShiftedDigits[key - '0'] : static_cast<wchar_t>(key);
    if (key >= vk::kKEYPAD_0 && key <= vk::kKEYPAD_9) return static_cast<wchar_t>(L'0' + (key - vk::kKEYPAD_0));
    for (const OemKey& oem : kOemKeys) {
        if (oem.mVk == key) return shift ? oem.mShifted : oem.mPlain;
    }
    return 0;
}

}  // namespace

int32_t fKeyToText(uint32_t key, const uint8_t states[256], wchar_t* out, int32_t size) {
    if (!out || size <= 0 || !states || key > 255) return 0;
    const bool shift = (states[vk::kSHIFT] & 0x80) != 0;
    const bool caps = (states[vk::kCAPS_LOCK] & 0x01) != 0;
    const bool control = (states[vk::kCONTROL] & 0x80) != 0;
    const wchar_t c = fCharOf(key, shift, caps, control);
    if (!c) return 0;
    out[0] = c;
    if (size > 1) out[1] = 0;
    return 1;
}

}  // namespace host
