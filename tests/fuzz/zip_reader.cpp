// Fuzzes the zip reader on whole archives held in memory: listing, then
// reading every entry plain and with a password, which drives the
// decryption and inflation.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/resources/KC_ZIP_CRYPTO.h"
#include "engine/resources/KC_ZIP_READER.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> names;
    KEL::KC_ZIP_READER::fList(data, size, names);
    static KEL::KC_ZIP_READER reader;
    // The same name each time: the new bytes replace the last input's.
    if (reader.fAddMemory("input", data, size)) {
        names.push_back("missing");
        for (size_t i = 0; i < names.size() && i < 64; ++i) {
            for (const char* password : {"", "secret"}) {
                uint8_t* bytes = nullptr;
                uint32_t length = 0;
                reader.fRead("input", names[i], password, bytes, length);
                delete[] bytes;
            }
        }
    }
    reader.fForget();
    // The cipher alone, keyed and fed by the input; its loop has no branch
    // on the data, so a short stretch shows all it can do.
    if (size >= 12) {
        KEL::KC_ZIP_CRYPTO crypto(std::string(reinterpret_cast<const char*>(data), size % 32));
        std::vector<uint8_t> header(data, data + 12);
        crypto.fHeader(header.data(), data[size - 1]);
        uint8_t plain[256];
        const size_t length = std::min<size_t>(size - 12, sizeof plain);
        crypto.fDecrypt(data + 12, plain, length);
    }
    return 0;
}
