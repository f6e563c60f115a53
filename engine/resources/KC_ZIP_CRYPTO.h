#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace KEL {

// Traditional PKWARE ("ZipCrypto") decryption of one archive entry. The
// system's minizip is built without it, so encrypted entries are read raw
// and decrypted here.
class KC_ZIP_CRYPTO {
public:
    explicit KC_ZIP_CRYPTO(const std::string& password);

    // Decrypts the 12-byte header in place and answers whether its last byte
    // equals the expected check byte (a wrong password fails here 255 times
    // in 256).
    bool fHeader(uint8_t* header, uint8_t checkByte);
    // Decrypts bytes in place.
    void fDecrypt(uint8_t* bytes, size_t count) { fDecrypt(bytes, bytes, count); }
    // Decrypts count bytes from source into target (they may be the same).
    void fDecrypt(const uint8_t* source, uint8_t* target, size_t count);

private:
    void fUpdate(uint8_t plain);

    uint32_t mKeys[3];
    const uint32_t* mTable;
};

}  // namespace KEL
