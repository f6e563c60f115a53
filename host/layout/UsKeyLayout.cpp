// Fixed US English key-to-text table.
// Provides: host::fKeyToText over the caller's key-state bytes (shift = byte
// 16 high bit, caps = byte 20 low bit, control = byte 17 high bit).
// Does not provide: other layouts, dead keys, input methods, AltGr.
#include "host/IKeyboard.h"

namespace host {

namespace {

// Unshifted and shifted characters of the punctuation keys (VK_OEM_*).
struct OemKey {
    uint32_t mVk;
    wchar_t mPlain;
    wchar_t mShifted;
};

constexpr OemKey kOemKeys[] = {
    {0xBA, L';', L':'}, {0xBB, L'=', L'+'}, {0xBC, L',', L'<'}, {0xBD, L'-', L'_'},
    {0xBE, L'.', L'>'}, {0xBF, L'/', L'?'}, {0xC0, L'`', L'~'}, {0xDB, L'[', L'{'},
    {0xDC, L'\\', L'|'}, {0xDD, L']', L'}'}, {0xDE, L'\'', L'"'},
};

constexpr wchar_t kShiftedDigits[] = L")!@#$%^&*(";

wchar_t fCharOf(uint32_t vk, bool shift, bool caps, bool control) {
    if (vk >= 'A' && vk <= 'Z') {
        if (control) return static_cast<wchar_t>(vk - 'A' + 1);
        return (shift != caps) ? static_cast<wchar_t>(vk) : static_cast<wchar_t>(vk - 'A' + 'a');
    }
    switch (vk) {
        case 8: return 0x08;
        case 9: return control ? 0 : L'\t';
        case 13: return L'\r';
        case 27: return 0x1B;
        case 32: return L' ';
        case 0x6A: return L'*';
        case 0x6B: return L'+';
        case 0x6D: return L'-';
        case 0x6E: return L'.';
        case 0x6F: return L'/';
        default: break;
    }
    if (control) return 0;
    if (vk >= '0' && vk <= '9') return shift ? kShiftedDigits[vk - '0'] : static_cast<wchar_t>(vk);
    if (vk >= 0x60 && vk <= 0x69) return static_cast<wchar_t>(L'0' + (vk - 0x60));
    for (const OemKey& key : kOemKeys) {
        if (key.mVk == vk) return shift ? key.mShifted : key.mPlain;
    }
    return 0;
}

}  // namespace

int32_t fKeyToText(uint32_t vk, const uint8_t states[256], wchar_t* out, int32_t size) {
    if (!out || size <= 0 || !states || vk > 255) return 0;
    const bool shift = (states[16] & 0x80) != 0;
    const bool caps = (states[20] & 0x01) != 0;
    const bool control = (states[17] & 0x80) != 0;
    const wchar_t c = fCharOf(vk, shift, caps, control);
    if (!c) return 0;
    out[0] = c;
    if (size > 1) out[1] = 0;
    return 1;
}

}  // namespace host
