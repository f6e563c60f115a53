#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "SERVICE/KS_RESULT.h"
#include "engine/resources/KC_ZIP_READER.h"
#include "engine/resources/TestArchives.h"
#include "support/FuzzFindings.h"
#include "support/TestEnvironment.h"

using namespace KEL;
using testsupport::TestEnvironment;

namespace {

// Little-endian 32-bit field of a zip header.
void fPut32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

int32_t fReadEntry(const std::string& archive, const std::string& name, uint32_t& size) {
    KC_ZIP_READER reader;
    uint8_t* data = nullptr;
    const int32_t result = reader.fRead(archive, name, "", data, size);
    if (result != KS_RESULT::kOK) {
        EXPECT_EQ(data, nullptr);
    }
    delete[] data;
    return result;
}

}  // namespace

// An entry declaring nearly 4 GiB in a 134-byte archive once made the reader
// allocate what it declared before inflating anything.
TEST(KC_ZIP_READER, ADeclaredSizeTheArchiveCannotHoldIsRefusedBeforeAllocating) {
    const auto path = TestEnvironment::fWriteFile("declared.zip", testsupport::fFinding("zip-declared-size.zip"));
    uint32_t size = 7;
    EXPECT_EQ(fReadEntry(path.string(), "a", size), KS_RESULT::kUNREADABLE);
    EXPECT_EQ(size, 0u);
}

TEST(KC_ZIP_READER, StoredEntriesMustLieInsideTheArchive) {
    TestEnvironment::fWriteFile("src/s.txt", "stored bytes");
    ASSERT_TRUE(testsupport::fZip("stored", "src", "s.txt", "-0"));
    const std::string archive = (TestEnvironment::fRoot() / "stored").string();
    uint32_t size = 0;
    ASSERT_EQ(fReadEntry(archive, "s.txt", size), KS_RESULT::kOK);
    EXPECT_EQ(size, 12u);

    // Both headers now claim 200 MiB of stored bytes in a tiny file.
    std::ifstream in(archive, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t central = bytes.find(std::string("PK\x01\x02", 4));
    ASSERT_NE(central, std::string::npos);
    for (size_t at : {size_t(18), size_t(22), central + 20, central + 24}) fPut32(bytes, at, 200u << 20);
    const auto damaged = TestEnvironment::fWriteFile("damaged", bytes);
    EXPECT_EQ(fReadEntry(damaged.string(), "s.txt", size), KS_RESULT::kUNREADABLE);
}
