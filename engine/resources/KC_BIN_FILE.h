#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace KEL {

// A binary file stream: values are written as their little-endian bytes,
// strings as a u32 byte count and the bytes. Reads and writes share one
// position.
//
// Reads never trust the file: a read past the end gives 0 (an empty string)
// and sets a failure flag that stays set, and a string longer than the bytes
// left fails, so a damaged file can neither allocate without bound nor make
// a reader loop over garbage counts.
//
// Saves that must survive a crash go through fOpenSave and fCommit: the bytes
// go to a temporary file in the same folder that replaces the old file only
// once it is complete on disk.
//
// A stream can also live in memory (fOpenMemory): the same reads and writes
// on bytes the stream holds, so that one reader serves a file and bytes
// already in hand alike.
class KC_BIN_FILE {
public:
    KC_BIN_FILE() = default;
    // Closes; an uncommitted save is dropped and the old file kept.
    ~KC_BIN_FILE();
    KC_BIN_FILE(const KC_BIN_FILE&) = delete;
    KC_BIN_FILE& operator=(const KC_BIN_FILE&) = delete;

    // Opens for reading and writing, creating an empty file when missing.
    bool fOpen(const std::string& path);
    // Opens an existing file for reading only; false when it cannot be read.
    bool fOpenRead(const std::string& path);
    // Opens a stream on a copy of the bytes (empty for a new one to write),
    // read from the first byte; fGetMemory answers what it holds.
    bool fOpenMemory(std::string bytes = std::string());
    const std::string& fGetMemory() const { return mMemory; }
    // Back to the first byte with the failure flag cleared, to read again.
    void fRewind();
    // Reads a whole file into bytes; false when it cannot be read.
    static bool fReadWhole(const std::string& path, std::string& bytes);
    // Opens a new empty temporary file that fCommit puts in place of path.
    bool fOpenSave(const std::string& path);
    // Flushes the save to disk and renames it over its target; false (and
    // the old file untouched) when anything failed.
    bool fCommit();
    void fClose();

    bool fIsOpen() const { return mOpen != 0; }
    // True once any read or write has failed.
    bool fFailed() const { return mFailed; }

    void fWrite1(uint8_t value);
    void fWrite4a(int32_t value);
    void fWrite4b(uint32_t value);
    void fWrite4c(float value);
    // A 4-byte truth value (0 or 1).
    void fWrite4d(bool value);
    void fWrite8(double value);
    void fWriteString(const std::string& value);

    void fRead1(uint8_t& value);
    void fRead4a(int32_t& value);
    void fRead4b(uint32_t& value);
    void fRead4c(float& value);
    void fRead4d(bool& value);
    void fRead8(double& value);
    void fReadString(std::string& value);

    // Writes an end-of-line byte (0x0A) and flushes.
    void fFlush();

private:
    bool fReadBytes(void* target, size_t count);
    void fWriteBytes(const void* source, size_t count);
    void fCloseFile();
    // Measures the opened file and starts at its first byte.
    bool fStartReading();

    uint8_t mOpen = 0;
    std::FILE* mFile = nullptr;
    bool mInMemory = false;
    std::string mMemory;  // the stream's bytes when mInMemory
    bool mFailed = false;
    bool mLastWrite = false;
    uint64_t mPosition = 0;
    uint64_t mEnd = 0;
    // Set while a save is pending: the file that fCommit replaces.
    std::string mSaveTarget;
    std::string mSaveTemporary;
};

}  // namespace KEL
