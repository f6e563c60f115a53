#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace KEL {

// Reads zip archives through minizip: listings, and whole entries that are
// stored or deflated, plain or encrypted with the traditional PKWARE scheme
// (decrypted here, inflated with zlib, the check byte and CRC-32 verified).
// Keeps one name index per archive so that loading many entries does not
// walk the central directory each time. Safe to call from several threads.
class KC_ZIP_READER {
public:
    // 0x00034B50 when the file begins with the bytes 50 4B 03, else 0; -1
    // when it cannot be opened.
    static int32_t fFileType(const std::string& path);

    // Appends every entry name in archive order; false (nothing appended)
    // when the file is not an archive or cannot be opened.
    static bool fList(const std::string& path, std::vector<std::string>& names);
    // The same for an archive held in memory.
    static bool fList(const uint8_t* bytes, uint64_t size, std::vector<std::string>& names);

    // Makes an archive held in memory readable by fRead under the name, in
    // place of a path; false when it is no archive. The bytes are not copied:
    // they must stay until the name is given other bytes or fForget runs.
    bool fAddMemory(const std::string& name, const uint8_t* bytes, uint64_t size);

    // Reads the whole entry into a new buffer of size + 1 bytes (freed with
    // delete[]). 1 on success; -1 when the archive cannot be opened; -108
    // when no entry has that name; -109 when the entry cannot be read, its
    // password is wrong or missing, its check byte or CRC-32 differ, or its
    // declared sizes do not fit the archive (nothing is allocated for those;
    // no entry may unpack to more than 256 MiB).
    int32_t fRead(const std::string& path, const std::string& name, const std::string& password, uint8_t*& data,
                  uint32_t& size);

    // Forgets every cached index.
    void fForget();

private:
    // One archive kept open with its name index, re-read when the file's
    // size or time changes.
    struct KS_INDEX {
        KS_INDEX() = default;
        KS_INDEX(const KS_INDEX&) = delete;
        KS_INDEX& operator=(const KS_INDEX&) = delete;
        ~KS_INDEX();

        void* mHandle = nullptr;  // minizip's unzFile
        // The whole archive mapped for reading; readers share it so that a
        // rebuilt index never unmaps bytes still being read.
        std::shared_ptr<const uint8_t> mView;
        uint64_t mViewSize = 0;
        uint64_t mFileSize = 0;
        int64_t mModified = 0;
        bool mInMemory = false;                                                   // from fAddMemory: no file to watch
        std::unordered_map<std::string, std::pair<uint64_t, uint64_t>> mEntries;  // name -> position
    };

    // The open index of the archive; null when it cannot be opened.
    KS_INDEX* fIndex(const std::string& path);
    // Walks the open archive's directory into the name index.
    static bool fFillIndex(KS_INDEX& index);
    static bool fListOpen(void* handle, std::vector<std::string>& names);

    std::mutex mLock;
    std::map<std::string, std::unique_ptr<KS_INDEX>> mIndexes;
};

}  // namespace KEL
