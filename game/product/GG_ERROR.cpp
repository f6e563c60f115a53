#include "game/product/GG_ERROR.h"

#include <mutex>

namespace game::GG_ERROR {

namespace {

struct KS_RECORD {
    std::mutex mLock;
    std::string mText;  // guarded by mLock
    std::string mFile;  // guarded by mLock
};

// Never destroyed: an error may be set while exit() runs.
KS_RECORD& fRecord() {
    static KS_RECORD& record = *new KS_RECORD();
    return record;
}

void fSet(const std::string& text, const std::string& file) {
    KS_RECORD& record = fRecord();
    std::lock_guard<std::mutex> guard(record.mLock);
    record.mText = text;
    record.mFile = file;
}

}  // namespace

bool fFail(const std::string& text) {
    fSet(text, std::string());
    return false;
}

bool fFailFile(const std::string& file) {
    fSet(file.empty() ? std::string("Game data missing or unreadable") : "File missing or unreadable: " + file, file);
    return false;
}

std::string fText() {
    KS_RECORD& record = fRecord();
    std::lock_guard<std::mutex> guard(record.mLock);
    return record.mText;
}

std::string fFile() {
    KS_RECORD& record = fRecord();
    std::lock_guard<std::mutex> guard(record.mLock);
    return record.mFile;
}

void fClear() { fSet(std::string(), std::string()); }

}  // namespace game::GG_ERROR
