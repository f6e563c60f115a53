#include "game/profile/GG_PLAYER.h"

#include <algorithm>
#include <cstdint>

#include "engine/resources/KC_BIN_FILE.h"
#include "game/profile/GG_LEVEL_RECORD.h"

namespace game {

GG_PLAYER::GG_PLAYER(const GG_SAVE_LAYOUT& layout) : mLayout(layout), mHealth(this) {}

GG_PLAYER::GG_PLAYER(const GG_PLAYER& other)
    : KEL::gPlayer(other), mLayout(other.mLayout), mStatistic(other.mStatistic), mHealth(this) {
    mHealth = other.mHealth;
    for (const auto& pack : other.mPacks) mPacks.push_back(std::make_unique<GG_PACK_RECORD>(*pack));
}

GG_PLAYER::~GG_PLAYER() = default;

void GG_PLAYER::fAddPack(std::unique_ptr<GG_PACK_RECORD> pack) {
    if (pack) mPacks.push_back(std::move(pack));
}

bool GG_PLAYER::fLoadXml(const pugi::xml_node& node) {
    KEL::gPlayer::fLoadXml(node);
    mPacks.clear();
    for (pugi::xml_node child : node.child("packs").children("pack")) {
        auto pack = std::make_unique<GG_PACK_RECORD>();
        if (pack->fLoadXml(child, mLayout)) mPacks.push_back(std::move(pack));
    }
    mHealth.fLoadXml(node.child("health"));
    mStatistic.fLoadXml(node.child("statisctic"));
    return true;
}

void GG_PLAYER::fSaveXml(pugi::xml_node& node) const {
    KEL::gPlayer::fSaveXml(node);
    pugi::xml_node packs = node.append_child("packs");
    for (const auto& pack : mPacks) {
        pugi::xml_node child = packs.append_child("pack");
        pack->fSaveXml(child, mLayout);
    }
    pugi::xml_node statistic = node.append_child("statisctic");
    mStatistic.fSaveXml(statistic);
    pugi::xml_node health = node.append_child("health");
    mHealth.fSaveXml(health);
}

void GG_PLAYER::fLoadBinary(KEL::KC_BIN_FILE& file) {
    KEL::gPlayer::fLoadBinary(file);
    mHealth.fLoadBinary(file);
    mStatistic.fLoadBinary(file, mLayout);
    uint32_t count = 0;
    file.fRead4b(count);
    mPacks.clear();
    for (uint32_t i = 0; i < count && !file.fFailed(); ++i) {
        auto pack = std::make_unique<GG_PACK_RECORD>();
        pack->fLoadBinary(file, mLayout);
        if (!file.fFailed()) mPacks.push_back(std::move(pack));
    }
}

void GG_PLAYER::fSaveBinary(KEL::KC_BIN_FILE& file) const {
    KEL::gPlayer::fSaveBinary(file);
    mHealth.fSaveBinary(file);
    mStatistic.fSaveBinary(file);
    file.fWrite4b(static_cast<uint32_t>(mPacks.size()));
    for (const auto& pack : mPacks) pack->fSaveBinary(file, mLayout);
}

GG_PACK_RECORD* GG_PLAYER::fFindPack(int32_t id) const {
    for (const auto& pack : mPacks)
        if (pack->fGetId() == id) return pack.get();
    return nullptr;
}

GG_LEVEL_RECORD* GG_PLAYER::fFindLevel(int32_t packId, int32_t levelId) const {
    const GG_PACK_RECORD* pack = fFindPack(packId);
    return pack ? pack->fFindLevel(levelId) : nullptr;
}

int32_t GG_PLAYER::fGetTotalStars() const {
    int64_t sum = 0;
    for (const auto& pack : mPacks) sum += pack->fGetStars();
    return static_cast<int32_t>(std::min<int64_t>(sum, INT32_MAX));
}

bool GG_PLAYER::fPackHasOpenLevel(int32_t packId) const {
    const GG_PACK_RECORD* pack = fFindPack(packId);
    return pack && pack->fHasOpenLevel();
}

int32_t GG_PLAYER::fCountPerfectLevels() const {
    int32_t count = 0;
    for (const auto& pack : mPacks)
        for (const auto& level : pack->fGetLevels())
            if (level->fGetStars() == GG_LEVEL_RECORD::kMAX_STARS) ++count;
    return count;
}

std::vector<GG_PACK_RECORD*> GG_PLAYER::fFindPacks(const std::string& inAppKey) const {
    std::vector<GG_PACK_RECORD*> found;
    for (const auto& pack : mPacks)
        if (pack->fGetInAppKey() == inAppKey) found.push_back(pack.get());
    return found;
}

}  // namespace game
