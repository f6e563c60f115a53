#include "engine/resources/KC_BIN_FILE.h"

#include <bit>
#include <cstring>

#include "host/Files.h"

namespace KEL {

static_assert(std::endian::native == std::endian::little, "the save format is little-endian");

KC_BIN_FILE::~KC_BIN_FILE() { fClose(); }

void KC_BIN_FILE::fCloseFile() {
    if (mFile) std::fclose(mFile);
    mFile = nullptr;
    mOpen = 0;
    mPosition = 0;
    mEnd = 0;
    mLastWrite = false;
    mInMemory = false;
    mMemory.clear();
}

void KC_BIN_FILE::fClose() {
    fCloseFile();
    if (!mSaveTemporary.empty()) host::fRemoveFile(mSaveTemporary);
    mSaveTarget.clear();
    mSaveTemporary.clear();
}

bool KC_BIN_FILE::fOpen(const std::string& path) {
    fClose();
    mFailed = false;
    mFile = std::fopen(path.c_str(), "r+b");
    if (!mFile) mFile = std::fopen(path.c_str(), "w+b");
    return fStartReading();
}

bool KC_BIN_FILE::fOpenRead(const std::string& path) {
    fClose();
    mFailed = false;
    mFile = std::fopen(path.c_str(), "rb");
    return fStartReading();
}

bool KC_BIN_FILE::fStartReading() {
    if (mFile && std::fseek(mFile, 0, SEEK_END) == 0) {
        const long end = std::ftell(mFile);
        mEnd = end > 0 ? static_cast<uint64_t>(end) : 0;
        std::fseek(mFile, 0, SEEK_SET);
    }
    mOpen = mFile ? 1 : 0;
    return mOpen != 0;
}

bool KC_BIN_FILE::fOpenMemory(std::string bytes) {
    fClose();
    mFailed = false;
    mInMemory = true;
    mMemory = std::move(bytes);
    mEnd = mMemory.size();
    mOpen = 1;
    return true;
}

void KC_BIN_FILE::fRewind() {
    if (!mOpen) return;
    mFailed = false;
    mPosition = 0;
    mLastWrite = false;
    if (mFile) std::fseek(mFile, 0, SEEK_SET);
}

bool KC_BIN_FILE::fReadWhole(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[16384];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool read = !std::ferror(file);
    std::fclose(file);
    if (!read) bytes.clear();
    return read;
}

bool KC_BIN_FILE::fOpenSave(const std::string& path) {
    fClose();
    mFailed = false;
    const std::string temporary = path + ".tmp";
    mFile = std::fopen(temporary.c_str(), "w+b");
    if (!mFile) return false;
    mOpen = 1;
    mSaveTarget = path;
    mSaveTemporary = temporary;
    return true;
}

bool KC_BIN_FILE::fCommit() {
    if (!mOpen || mSaveTarget.empty()) return false;
    const bool written = !mFailed && host::fSyncFile(mFile);
    const bool closed = std::fclose(mFile) == 0;
    mFile = nullptr;
    const bool replaced = written && closed && host::fReplaceFile(mSaveTemporary, mSaveTarget);
    if (replaced) mSaveTemporary.clear();
    fClose();
    return replaced;
}

bool KC_BIN_FILE::fReadBytes(void* target, size_t count) {
    std::memset(target, 0, count);
    if (!mOpen) return false;
    if (mFailed || mEnd - mPosition < count) {
        mFailed = true;
        return false;
    }
    if (mInMemory) {
        if (count) std::memcpy(target, mMemory.data() + mPosition, count);
        mPosition += count;
        return true;
    }
    // The C library needs a seek between a write and a read.
    if (mLastWrite) std::fseek(mFile, static_cast<long>(mPosition), SEEK_SET);
    mLastWrite = false;
    if (std::fread(target, 1, count, mFile) != count) {
        std::memset(target, 0, count);
        mFailed = true;
        std::fseek(mFile, static_cast<long>(mPosition), SEEK_SET);
        return false;
    }
    mPosition += count;
    return true;
}

void KC_BIN_FILE::fWriteBytes(const void* source, size_t count) {
    if (!mOpen) return;
    if (mInMemory) {
        if (mPosition + count > mMemory.size()) mMemory.resize(mPosition + count);
        if (count) std::memcpy(mMemory.data() + mPosition, source, count);
        mPosition += count;
        mEnd = mMemory.size();
        return;
    }
    if (!mLastWrite) std::fseek(mFile, static_cast<long>(mPosition), SEEK_SET);
    mLastWrite = true;
    if (count && std::fwrite(source, 1, count, mFile) != count) {
        mFailed = true;
        return;
    }
    mPosition += count;
    if (mPosition > mEnd) mEnd = mPosition;
}

void KC_BIN_FILE::fWrite1(uint8_t value) { fWriteBytes(&value, 1); }
void KC_BIN_FILE::fWrite4a(int32_t value) { fWriteBytes(&value, 4); }
void KC_BIN_FILE::fWrite4b(uint32_t value) { fWriteBytes(&value, 4); }
void KC_BIN_FILE::fWrite4c(float value) { fWriteBytes(&value, 4); }
void KC_BIN_FILE::fWrite4d(bool value) {
    const int32_t word = value ? 1 : 0;
    fWriteBytes(&word, 4);
}
void KC_BIN_FILE::fWrite8(double value) { fWriteBytes(&value, 8); }

void KC_BIN_FILE::fWriteString(const std::string& value) {
    if (!mOpen) return;
    const uint32_t length = static_cast<uint32_t>(value.size());
    fWriteBytes(&length, 4);
    fWriteBytes(value.data(), length);
}

void KC_BIN_FILE::fRead1(uint8_t& value) { fReadBytes(&value, 1); }
void KC_BIN_FILE::fRead4a(int32_t& value) { fReadBytes(&value, 4); }
void KC_BIN_FILE::fRead4b(uint32_t& value) { fReadBytes(&value, 4); }
void KC_BIN_FILE::fRead4c(float& value) { fReadBytes(&value, 4); }
void KC_BIN_FILE::fRead4d(bool& value) {
    int32_t word = 0;
    fReadBytes(&word, 4);
    value = word != 0;
}
void KC_BIN_FILE::fRead8(double& value) { fReadBytes(&value, 8); }

void KC_BIN_FILE::fReadString(std::string& value) {
    value.clear();
    uint32_t length = 0;
    if (!fReadBytes(&length, 4)) return;
    // A length beyond the file is damage, never an allocation.
    if (length > mEnd - mPosition) {
        mFailed = true;
        return;
    }
    value.resize(length);
    if (length && !fReadBytes(value.data(), length)) value.clear();
}

void KC_BIN_FILE::fFlush() {
    if (!mOpen) return;
    fWrite1(0x0A);
    if (mFile) std::fflush(mFile);
}

}  // namespace KEL
