#include "engine/resources/KC_ZIP_READER.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <unzip.h>
#include <zlib.h>

#include "engine/resources/KC_ZIP_CRYPTO.h"
#include "host/Files.h"

namespace KEL {

namespace {

constexpr uint32_t kZipSignature = 0x00034B50u;

// Closes the archive on every path out.
struct KS_ARCHIVE {
    unzFile mFile = nullptr;
    explicit KS_ARCHIVE(const std::string& path) : mFile(unzOpen64(path.c_str())) {}
    ~KS_ARCHIVE() {
        if (mFile) unzClose(mFile);
    }
};

bool fCurrentName(unzFile file, unz_file_info64& info, std::string& name) {
    if (unzGetCurrentFileInfo64(file, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    name.assign(info.size_filename, '\0');
    if (info.size_filename == 0) return true;
    std::vector<char> buffer(info.size_filename + 1);
    if (unzGetCurrentFileInfo64(file, &info, buffer.data(), static_cast<uLong>(buffer.size()), nullptr, 0, nullptr,
                                0) != UNZ_OK)
        return false;
    name.assign(buffer.data(), info.size_filename);
    return true;
}

// Inflates raw deflate data into exactly `size` bytes.
bool fInflate(const uint8_t* in, size_t inSize, uint8_t* out, uint32_t size) {
    z_stream stream {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(in);
    stream.avail_in = static_cast<uInt>(inSize);
    stream.next_out = out;
    stream.avail_out = size;
    int result = inflate(&stream, Z_FINISH);
    // An empty entry may end without asking for output space.
    const bool complete = (result == Z_STREAM_END) && stream.total_out == size;
    inflateEnd(&stream);
    return complete;
}

}  // namespace

int32_t KC_ZIP_READER::fFileType(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return -1;
    uint8_t head[3] = {0, 0, 0};
    const size_t got = std::fread(head, 1, 3, file);
    std::fclose(file);
    if (got == 3 && head[0] == 0x50 && head[1] == 0x4B && head[2] == 0x03) return static_cast<int32_t>(kZipSignature);
    return 0;
}

bool KC_ZIP_READER::fList(const std::string& path, std::vector<std::string>& names) {
    if (fFileType(path) != static_cast<int32_t>(kZipSignature)) return false;
    KS_ARCHIVE archive(path);
    if (!archive.mFile) return false;
    std::vector<std::string> found;
    int status = unzGoToFirstFile(archive.mFile);
    while (status == UNZ_OK) {
        unz_file_info64 info {};
        std::string name;
        if (!fCurrentName(archive.mFile, info, name)) break;
        found.push_back(std::move(name));
        status = unzGoToNextFile(archive.mFile);
    }
    names.insert(names.end(), found.begin(), found.end());
    return true;
}

void KC_ZIP_READER::fForget() {
    std::lock_guard<std::mutex> guard(mLock);
    mIndexes.clear();
}

bool KC_ZIP_READER::fFindEntry(const std::string& path, const std::string& name,
                               std::pair<uint64_t, uint64_t>& position, bool& archiveOpened) {
    archiveOpened = false;
    uint64_t fileSize = 0;
    int64_t modified = 0;
    if (!host::fFileStamp(path, fileSize, modified)) return false;

    std::lock_guard<std::mutex> guard(mLock);
    auto it = mIndexes.find(path);
    if (it == mIndexes.end() || it->second.mFileSize != fileSize || it->second.mModified != modified) {
        KS_ARCHIVE archive(path);
        if (!archive.mFile) {
            if (it != mIndexes.end()) mIndexes.erase(it);
            return false;
        }
        KS_INDEX index;
        index.mFileSize = fileSize;
        index.mModified = modified;
        int status = unzGoToFirstFile(archive.mFile);
        if (status != UNZ_OK) return false;
        while (status == UNZ_OK) {
            unz_file_info64 info {};
            std::string entry;
            unz64_file_pos pos {};
            if (!fCurrentName(archive.mFile, info, entry) || unzGetFilePos64(archive.mFile, &pos) != UNZ_OK) break;
            // The first of two equal names wins, as a walk from the start finds it.
            index.mEntries.emplace(std::move(entry), std::make_pair(pos.pos_in_zip_directory, pos.num_of_file));
            status = unzGoToNextFile(archive.mFile);
        }
        it = mIndexes.insert_or_assign(path, std::move(index)).first;
    }
    archiveOpened = true;
    auto entry = it->second.mEntries.find(name);
    if (entry == it->second.mEntries.end()) return false;
    position = entry->second;
    return true;
}

int32_t KC_ZIP_READER::fRead(const std::string& path, const std::string& name, const std::string& password,
                             uint8_t*& data, uint32_t& size) {
    data = nullptr;
    size = 0;
    std::pair<uint64_t, uint64_t> position;
    bool opened = false;
    if (!fFindEntry(path, name, position, opened)) return opened ? -108 : -1;

    KS_ARCHIVE archive(path);
    if (!archive.mFile) return -1;
    unz64_file_pos pos {position.first, position.second};
    unz_file_info64 info {};
    std::string found;
    if (unzGoToFilePos64(archive.mFile, &pos) != UNZ_OK || !fCurrentName(archive.mFile, info, found) ||
        found != name) {
        // The archive changed under the index: find the entry the slow way.
        fForget();
        if (unzLocateFile(archive.mFile, name.c_str(), 1) != UNZ_OK) return -108;
        if (!fCurrentName(archive.mFile, info, found) || found != name) return -108;
    }

    const bool encrypted = (info.flag & 1u) != 0;
    const uint64_t method = info.compression_method;
    if ((method != 0 && method != Z_DEFLATED) || info.uncompressed_size >= 0xFFFFFFFFull) return -109;
    if (encrypted && password.empty()) return -109;
    const uint64_t headerSize = encrypted ? 12 : 0;
    if (info.compressed_size < headerSize) return -109;
    const uint64_t payload = info.compressed_size - headerSize;
    if (payload >= 0xFFFFFFFFull) return -109;
    const uint32_t outSize = static_cast<uint32_t>(info.uncompressed_size);
    if (method == 0 && payload != outSize) return -109;

    int rawMethod = 0, rawLevel = 0;
    if (unzOpenCurrentFile2(archive.mFile, &rawMethod, &rawLevel, 1) != UNZ_OK) return -109;

    std::unique_ptr<uint8_t[]> out(new (std::nothrow) uint8_t[static_cast<size_t>(outSize) + 1]);
    std::unique_ptr<uint8_t[]> packed;
    if (!out) {
        unzCloseCurrentFile(archive.mFile);
        return -109;
    }
    // Stored entries are read straight into the result.
    uint8_t* target = out.get();
    if (method != 0) {
        packed.reset(new (std::nothrow) uint8_t[static_cast<size_t>(payload) + 1]);
        if (!packed) {
            unzCloseCurrentFile(archive.mFile);
            return -109;
        }
        target = packed.get();
    }

    bool good = true;
    std::unique_ptr<KC_ZIP_CRYPTO> crypto;
    if (encrypted) {
        uint8_t header[12];
        good = unzReadCurrentFile(archive.mFile, header, 12) == 12;
        // With a data descriptor the check byte is the high byte of the time.
        const uint8_t check = (info.flag & 8u) ? static_cast<uint8_t>((info.dosDate >> 8) & 0xFF)
                                               : static_cast<uint8_t>((info.crc >> 24) & 0xFF);
        if (good) {
            crypto = std::make_unique<KC_ZIP_CRYPTO>(password);
            good = crypto->fHeader(header, check);
        }
    }
    uint64_t done = 0;
    while (good && done < payload) {
        const uint64_t chunk = std::min<uint64_t>(payload - done, 1u << 30);
        const int got = unzReadCurrentFile(archive.mFile, target + done, static_cast<unsigned>(chunk));
        if (got <= 0) {
            good = false;
            break;
        }
        done += static_cast<uint64_t>(got);
    }
    unzCloseCurrentFile(archive.mFile);
    if (!good || done != payload) return -109;

    if (crypto) crypto->fDecrypt(target, static_cast<size_t>(payload));
    if (method != 0 && !fInflate(target, static_cast<size_t>(payload), out.get(), outSize)) return -109;
    if (crc32(crc32(0L, Z_NULL, 0), out.get(), outSize) != info.crc) return -109;

    out[outSize] = 0;
    data = out.release();
    size = outSize;
    return 1;
}

}  // namespace KEL
