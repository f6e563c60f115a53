#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

namespace KEL {
class KC_BIN_FILE;
}

namespace game {

// A player's record of one level: open or locked, the best stars and the
// best time.
class GG_LEVEL_RECORD {
public:
    // A level won without a mistake earns this many stars; fewer for more.
    static constexpr int32_t kMAX_STARS = 3;

    GG_LEVEL_RECORD() = default;
    explicit GG_LEVEL_RECORD(int32_t index) : mIndex(index) {}

    // False when the element has no "id"; absent keys keep their defaults.
    bool fLoadXml(const pugi::xml_node& node);
    void fSaveXml(pugi::xml_node& node) const;
    void fLoadBinary(KEL::KC_BIN_FILE& file);
    void fSaveBinary(KEL::KC_BIN_FILE& file) const;

    // Stars only ever grow.
    void fSetStars(int32_t stars);
    void fSetLock(uint8_t lock) { mLock = lock ? 1 : 0; }
    // Taken when no time is stored yet (0) or the new one is not longer.
    void fSetBestTime(float seconds);

    int32_t fGetId() const { return mId; }
    int32_t fGetIndex() const { return mIndex; }
    int32_t fGetStars() const { return mStars; }
    float fGetBestTime() const { return mBestTime; }
    const std::string& fGetFile() const { return mFile; }
    bool fIsOpen() const { return mLock == 0; }
    uint8_t fGetLock() const { return mLock; }

private:
    int32_t mIndex = 0;
    uint8_t mLock = 1;
    int32_t mId = -1;
    int32_t mStars = 0;
    float mBestTime = 0.0f;
    std::string mFile;
};

}  // namespace game
