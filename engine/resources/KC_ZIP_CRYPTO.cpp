#include "engine/resources/KC_ZIP_CRYPTO.h"

#include <zlib.h>

namespace KEL {

KC_ZIP_CRYPTO::KC_ZIP_CRYPTO(const std::string& password)
    : mKeys{305419896u, 591751049u, 878082192u}, mTable(reinterpret_cast<const uint32_t*>(get_crc_table())) {
    for (char c : password) fUpdate(static_cast<uint8_t>(c));
}

void KC_ZIP_CRYPTO::fUpdate(uint8_t plain) {
    mKeys[0] = mTable[(mKeys[0] ^ plain) & 0xFF] ^ (mKeys[0] >> 8);
    mKeys[1] = (mKeys[1] + (mKeys[0] & 0xFF)) * 134775813u + 1u;
    mKeys[2] = mTable[(mKeys[2] ^ (mKeys[1] >> 24)) & 0xFF] ^ (mKeys[2] >> 8);
}

void KC_ZIP_CRYPTO::fDecrypt(const uint8_t* source, uint8_t* target, size_t count) {
    uint32_t k0 = mKeys[0], k1 = mKeys[1], k2 = mKeys[2];
    const uint32_t* table = mTable;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t t = (k2 | 2u) & 0xFFFFu;
        const uint8_t plain = static_cast<uint8_t>(source[i] ^ ((t * (t ^ 1u)) >> 8));
        target[i] = plain;
        k0 = table[(k0 ^ plain) & 0xFF] ^ (k0 >> 8);
        k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1u;
        k2 = table[(k2 ^ (k1 >> 24)) & 0xFF] ^ (k2 >> 8);
    }
    mKeys[0] = k0;
    mKeys[1] = k1;
    mKeys[2] = k2;
}

bool KC_ZIP_CRYPTO::fHeader(uint8_t* header, uint8_t checkByte) {
    fDecrypt(header, 12);
    return header[11] == checkByte;
}

}  // namespace KEL
