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
    EXPECT_EQ(fReadEntry(path.string(), "a", size), KS_RESULT::kSTOP);
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
    EXPECT_EQ(fReadEntry(damaged.string(), "s.txt", size), KS_RESULT::kSTOP);
}

TEST(KC_ZIP_READER, AnArchiveInMemoryReadsAsItsFileDoesAndDamageIsRefusedTheSameWay) {
    TestEnvironment::fWriteFile("mem/a.txt", "first entry, deflated deflated deflated");
    TestEnvironment::fWriteFile("mem/b.txt", "second");
    ASSERT_TRUE(testsupport::fZip("mem.zip", "mem", "a.txt b.txt", "-P secret"));
    const std::string path = (TestEnvironment::fRoot() / "mem.zip").string();
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());

    std::vector<std::string> fromFile, fromMemory;
    ASSERT_TRUE(KC_ZIP_READER::fList(path, fromFile));
    ASSERT_TRUE(KC_ZIP_READER::fList(data, bytes.size(), fromMemory));
    EXPECT_EQ(fromMemory, fromFile);
    EXPECT_EQ(fromMemory, (std::vector<std::string>{"a.txt", "b.txt"}));

    KC_ZIP_READER reader;
    ASSERT_TRUE(reader.fAddMemory("in memory", data, bytes.size()));
    for (const char* name : {"a.txt", "b.txt"}) {
        uint8_t* a = nullptr;
        uint8_t* b = nullptr;
        uint32_t aSize = 0, bSize = 0;
        EXPECT_EQ(reader.fRead(path, name, "secret", a, aSize), KS_RESULT::kOK);
        EXPECT_EQ(reader.fRead("in memory", name, "secret", b, bSize), KS_RESULT::kOK);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(b), bSize), std::string(reinterpret_cast<char*>(a), aSize));
        delete[] a;
        delete[] b;
    }
    uint8_t* none = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(reader.fRead("in memory", "a.txt", "wrong", none, size), KS_RESULT::kSTOP);
    EXPECT_EQ(reader.fRead("in memory", "c.txt", "secret", none, size), KS_RESULT::kMISSING);

    // Cut anywhere, the bytes never read past their end (the sanitizers watch).
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        const std::string part = bytes.substr(0, cut);
        std::vector<std::string> names;
        KC_ZIP_READER::fList(reinterpret_cast<const uint8_t*>(part.data()), part.size(), names);
        if (!reader.fAddMemory("cut", reinterpret_cast<const uint8_t*>(part.data()), part.size())) continue;
        for (const std::string& name : names) {
            if (reader.fRead("cut", name, "secret", none, size) == KS_RESULT::kOK) delete[] none;
            none = nullptr;
        }
    }
    const std::string finding = testsupport::fFinding("zip-declared-size.zip");
    ASSERT_TRUE(reader.fAddMemory("declared", reinterpret_cast<const uint8_t*>(finding.data()), finding.size()));
    EXPECT_EQ(reader.fRead("declared", "a", "", none, size), KS_RESULT::kSTOP);
    reader.fForget();
    EXPECT_EQ(reader.fRead("in memory", "a.txt", "secret", none, size), KS_RESULT::kFAILED) << "forgotten";
}
