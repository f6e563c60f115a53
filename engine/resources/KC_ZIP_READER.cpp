#include "engine/resources/KC_ZIP_READER.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <unzip.h>
#include <zlib.h>

#include "SERVICE/KS_RESULT.h"
#include "engine/resources/KC_ZIP_CRYPTO.h"
#include "host/Files.h"

namespace KEL {

namespace {

constexpr uint32_t kZipSignature = 0x00034B50u;
// Packed entries up to this size inflate from a buffer kept per thread; it
// grows to the largest such entry read, not to the limit, since the game's
// thread keeps it for as long as it runs.
constexpr uint64_t kScratchLimit = 4u << 20;
// No game file comes near this; a larger declared size is damage or an attack.
constexpr uint64_t kEntryLimit = 256u << 20;
// Deflate cannot expand by more than about 1032 to 1, so a packed entry
// declaring more than this many times its packed size lies.
constexpr uint64_t kInflateRatio = 1032;

// Closes the archive on every path out.
struct KS_ARCHIVE {
    unzFile mFile = nullptr;
    explicit KS_ARCHIVE(const std::string& path) : mFile(unzOpen64(path.c_str())) {}
    explicit KS_ARCHIVE(unzFile file) : mFile(file) {}
    ~KS_ARCHIVE() {
        if (mFile) unzClose(mFile);
    }
};

// minizip reading from bytes in memory: the archive is one read-only stream.
struct KS_MEMORY_STREAM {
    const uint8_t* mBytes = nullptr;
    uint64_t mSize = 0;
    uint64_t mAt = 0;
};

// minizip passes what unzOpen2_64 took as the path: here the source stream.
voidpf fMemoryOpen(voidpf, const void* source, int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
    const auto* from = static_cast<const KS_MEMORY_STREAM*>(source);
    return new (std::nothrow) KS_MEMORY_STREAM{from->mBytes, from->mSize, 0};
}

uLong fMemoryRead(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* s = static_cast<KS_MEMORY_STREAM*>(stream);
    const uint64_t count = std::min<uint64_t>(size, s->mSize - s->mAt);
    if (count) std::memcpy(buffer, s->mBytes + s->mAt, static_cast<size_t>(count));
    s->mAt += count;
    return static_cast<uLong>(count);
}

uLong fMemoryWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T fMemoryTell(voidpf, voidpf stream) { return static_cast<KS_MEMORY_STREAM*>(stream)->mAt; }

long fMemorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* s = static_cast<KS_MEMORY_STREAM*>(stream);
    uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = s->mAt;
    else if (origin == ZLIB_FILEFUNC_SEEK_END) base = s->mSize;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET) return -1;
    if (offset > s->mSize - base) return -1;
    s->mAt = base + offset;
    return 0;
}

int fMemoryClose(voidpf, voidpf stream) {
    delete static_cast<KS_MEMORY_STREAM*>(stream);
    return 0;
}

int fMemoryError(voidpf, voidpf) { return 0; }

// Opens an archive held in memory; the bytes must outlive the handle.
unzFile fOpenMemory(const uint8_t* bytes, uint64_t size) {
    KS_MEMORY_STREAM source{bytes, size, 0};
    zlib_filefunc64_def functions{};
    functions.zopen64_file = &fMemoryOpen;
    functions.zread_file = &fMemoryRead;
    functions.zwrite_file = &fMemoryWrite;
    functions.ztell64_file = &fMemoryTell;
    functions.zseek64_file = &fMemorySeek;
    functions.zclose_file = &fMemoryClose;
    functions.zerror_file = &fMemoryError;
    functions.opaque = nullptr;
    // minizip hands the "path" to the open function, which copies the stream.
    return unzOpen2_64(&source, &functions);
}

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
    z_stream stream{};
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

// Declared sizes are checked before anything is sized from them: the packed
// bytes must lie inside the archive, and the unpacked size must be possible
// for the method and below the entry limit.
bool fSizesPlausible(const unz_file_info64& info, uint64_t payload, uint64_t archiveSize) {
    if (info.compressed_size > archiveSize || info.uncompressed_size > kEntryLimit) return false;
    if (info.compression_method == 0) return payload == info.uncompressed_size;
    return info.uncompressed_size <= payload * kInflateRatio + 64;
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
    return fListOpen(archive.mFile, names);
}

bool KC_ZIP_READER::fList(const uint8_t* bytes, uint64_t size, std::vector<std::string>& names) {
    if (size < 3 || bytes[0] != 0x50 || bytes[1] != 0x4B || bytes[2] != 0x03) return false;
    KS_ARCHIVE archive(fOpenMemory(bytes, size));
    return fListOpen(archive.mFile, names);
}

bool KC_ZIP_READER::fListOpen(void* handle, std::vector<std::string>& names) {
    const unzFile file = static_cast<unzFile>(handle);
    if (!file) return false;
    std::vector<std::string> found;
    int status = unzGoToFirstFile(file);
    while (status == UNZ_OK) {
        unz_file_info64 info{};
        std::string name;
        if (!fCurrentName(file, info, name)) break;
        found.push_back(std::move(name));
        status = unzGoToNextFile(file);
    }
    names.insert(names.end(), found.begin(), found.end());
    return true;
}

void KC_ZIP_READER::fForget() {
    std::lock_guard<std::mutex> guard(mLock);
    mIndexes.clear();
}


KC_ZIP_READER::KS_INDEX::~KS_INDEX() {
    if (mHandle) unzClose(static_cast<unzFile>(mHandle));
}

KC_ZIP_READER::KS_INDEX* KC_ZIP_READER::fIndex(const std::string& path) {
    if (const auto memory = mIndexes.find(path); memory != mIndexes.end() && memory->second->mInMemory)
        return memory->second.get();
    uint64_t fileSize = 0;
    int64_t modified = 0;
    if (!host::fFileStamp(path, fileSize, modified)) {
        mIndexes.erase(path);
        return nullptr;
    }
    auto it = mIndexes.find(path);
    if (it != mIndexes.end() && it->second->mFileSize == fileSize && it->second->mModified == modified)
        return it->second.get();
    if (it != mIndexes.end()) mIndexes.erase(it);

    auto index = std::make_unique<KS_INDEX>();
    unzFile file = unzOpen64(path.c_str());
    if (!file) return nullptr;
    index->mHandle = file;
    uint64_t viewSize = 0;
    if (const uint8_t* view = host::fMapFile(path, viewSize)) {
        index->mView = std::shared_ptr<const uint8_t>(view,
                                                      [viewSize](const uint8_t* p) { host::fUnmapFile(p, viewSize); });
        index->mViewSize = viewSize;
    }
    index->mFileSize = fileSize;
    index->mModified = modified;
    if (!fFillIndex(*index)) return nullptr;
    KS_INDEX* kept = index.get();
    mIndexes.emplace(path, std::move(index));
    return kept;
}

bool KC_ZIP_READER::fFillIndex(KS_INDEX& index) {
    auto* file = static_cast<unzFile>(index.mHandle);
    int status = unzGoToFirstFile(file);
    if (status != UNZ_OK) return false;
    while (status == UNZ_OK) {
        unz_file_info64 info{};
        std::string entry;
        unz64_file_pos pos{};
        if (!fCurrentName(file, info, entry) || unzGetFilePos64(file, &pos) != UNZ_OK) break;
        // The first of two equal names wins, as a walk from the start finds it.
        index.mEntries.emplace(std::move(entry), std::make_pair(pos.pos_in_zip_directory, pos.num_of_file));
        status = unzGoToNextFile(file);
    }
    return true;
}

bool KC_ZIP_READER::fAddMemory(const std::string& name, const uint8_t* bytes, uint64_t size) {
    std::lock_guard<std::mutex> guard(mLock);
    mIndexes.erase(name);
    auto index = std::make_unique<KS_INDEX>();
    index->mHandle = fOpenMemory(bytes, size);
    if (!index->mHandle) return false;
    index->mView = std::shared_ptr<const uint8_t>(bytes, [](const uint8_t*) {});
    index->mViewSize = size;
    index->mFileSize = size;
    index->mInMemory = true;
    if (!fFillIndex(*index)) return false;
    mIndexes.emplace(name, std::move(index));
    return true;
}

int32_t KC_ZIP_READER::fRead(const std::string& path, const std::string& name, const std::string& password,
                             uint8_t*& data, uint32_t& size) {
    data = nullptr;
    size = 0;
    unz_file_info64 info{};
    ZPOS64_T start = 0;
    std::shared_ptr<const uint8_t> view;
    uint64_t viewSize = 0;
    uint64_t archiveSize = 0;
    {
        // minizip's handle is shared, so everything that moves it is locked;
        // the entry's bytes are then read without the lock.
        std::lock_guard<std::mutex> guard(mLock);
        KS_INDEX* index = fIndex(path);
        if (!index) return KS_RESULT::kFAILED;
        auto entry = index->mEntries.find(name);
        if (entry == index->mEntries.end()) return KS_RESULT::kMISSING;
        unzFile file = static_cast<unzFile>(index->mHandle);
        unz64_file_pos pos{entry->second.first, entry->second.second};
        std::string found;
        if (unzGoToFilePos64(file, &pos) != UNZ_OK || !fCurrentName(file, info, found) || found != name)
            return KS_RESULT::kSTOP;
        int rawMethod = 0, rawLevel = 0;
        if (unzOpenCurrentFile2(file, &rawMethod, &rawLevel, 1) != UNZ_OK) return KS_RESULT::kSTOP;
        // Where the entry's bytes start: they are read in one piece below,
        // much faster than minizip's copying in small chunks.
        start = unzGetCurrentFileZStreamPos64(file);
        unzCloseCurrentFile(file);
        if (start == 0) return KS_RESULT::kSTOP;
        view = index->mView;
        viewSize = index->mViewSize;
        archiveSize = index->mFileSize;
    }

    const bool encrypted = (info.flag & 1u) != 0;
    const uint64_t method = info.compression_method;
    if ((method != 0 && method != Z_DEFLATED) || info.uncompressed_size >= 0xFFFFFFFFull) return KS_RESULT::kSTOP;
    if (encrypted && password.empty()) return KS_RESULT::kSTOP;
    const uint64_t headerSize = encrypted ? 12 : 0;
    if (info.compressed_size < headerSize) return KS_RESULT::kSTOP;
    const uint64_t payload = info.compressed_size - headerSize;
    if (payload >= 0xFFFFFFFFull) return KS_RESULT::kSTOP;
    if (!fSizesPlausible(info, payload, archiveSize)) return KS_RESULT::kSTOP;
    const uint32_t outSize = static_cast<uint32_t>(info.uncompressed_size);

    const uint8_t* source = nullptr;
    std::unique_ptr<uint8_t[]> copy;
    if (view) {
        // Every byte of the entry must lie inside the archive.
        if (start > viewSize || viewSize - start < info.compressed_size) return KS_RESULT::kSTOP;
        source = view.get() + start;
    } else {
        // No view of the archive: read the entry's bytes the plain way.
        copy.reset(new (std::nothrow) uint8_t[static_cast<size_t>(info.compressed_size) + 1]);
        std::FILE* file = copy ? std::fopen(path.c_str(), "rb") : nullptr;
        if (!file) return KS_RESULT::kSTOP;
        const bool read = fseeko(file, static_cast<off_t>(start), SEEK_SET) == 0 &&
                          std::fread(copy.get(), 1, static_cast<size_t>(info.compressed_size), file) ==
                              info.compressed_size;
        std::fclose(file);
        if (!read) return KS_RESULT::kSTOP;
        source = copy.get();
    }

    std::unique_ptr<uint8_t[]> out(new (std::nothrow) uint8_t[static_cast<size_t>(outSize) + 1]);
    if (!out) return KS_RESULT::kSTOP;

    if (encrypted) {
        KC_ZIP_CRYPTO crypto(password);
        uint8_t header[12];
        std::memcpy(header, source, 12);
        source += 12;
        // With a data descriptor the check byte is the high byte of the time.
        const uint8_t check = (info.flag & 8u) ? static_cast<uint8_t>((info.dosDate >> 8) & 0xFF)
                                               : static_cast<uint8_t>((info.crc >> 24) & 0xFF);
        if (!crypto.fHeader(header, check)) return KS_RESULT::kSTOP;
        if (method == 0) {
            crypto.fDecrypt(source, out.get(), static_cast<size_t>(payload));
        } else {
            // Packed entries decrypt into a buffer kept per thread, then inflate.
            static thread_local std::vector<uint8_t> scratch;
            std::unique_ptr<uint8_t[]> large;
            uint8_t* plain = nullptr;
            if (payload <= kScratchLimit) {
                const size_t need = std::max<size_t>(static_cast<size_t>(payload), 1);
                if (scratch.size() < need) scratch.resize(need);
                plain = scratch.data();
            } else {
                large.reset(new (std::nothrow) uint8_t[static_cast<size_t>(payload)]);
                if (!large) return KS_RESULT::kSTOP;
                plain = large.get();
            }
            crypto.fDecrypt(source, plain, static_cast<size_t>(payload));
            if (!fInflate(plain, static_cast<size_t>(payload), out.get(), outSize)) return KS_RESULT::kSTOP;
        }
    } else if (method == 0) {
        if (payload) std::memcpy(out.get(), source, static_cast<size_t>(payload));
    } else if (!fInflate(source, static_cast<size_t>(payload), out.get(), outSize)) {
        return KS_RESULT::kSTOP;
    }
    if (crc32(crc32(0L, Z_NULL, 0), out.get(), outSize) != info.crc) return KS_RESULT::kSTOP;

    out[outSize] = 0;
    data = out.release();
    size = outSize;
    return KS_RESULT::kOK;
}

}  // namespace KEL
