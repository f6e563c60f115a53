#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/profile/GG_HEALTH.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_SAVE_LAYOUT.h"
#include "game/profile/GG_STATISTIC.h"
#include "game/profile/gPlayer.h"

namespace game {

// The game's player profile: the engine profile plus one record per pack,
// the statistics and the hearts. Copies are deep and their hearts belong to
// the copy. The stored forms follow the layout the player was given.
class GG_PLAYER : public KEL::gPlayer {
public:
    explicit GG_PLAYER(const GG_SAVE_LAYOUT& layout = GG_SAVE_LAYOUT());
    GG_PLAYER(const GG_PLAYER& other);
    GG_PLAYER& operator=(const GG_PLAYER&) = delete;
    ~GG_PLAYER() override;

    // The player element: base keys and items, "packs", "health", then
    // "statisctic". A pack with a level lacking its id is left out.
    bool fLoadXml(const pugi::xml_node& node) override;
    void fSaveXml(pugi::xml_node& node) const override;
    void fLoadBinary(KEL::KC_BIN_FILE& file) override;
    void fSaveBinary(KEL::KC_BIN_FILE& file) const override;

    void fSetLayout(const GG_SAVE_LAYOUT& layout) { mLayout = layout; }
    const GG_SAVE_LAYOUT& fGetLayout() const { return mLayout; }

    GG_HEALTH& fGetHealth() { return mHealth; }
    const GG_HEALTH& fGetHealth() const { return mHealth; }
    GG_STATISTIC& fGetStatistic() { return mStatistic; }
    const GG_STATISTIC& fGetStatistic() const { return mStatistic; }
    const std::vector<std::unique_ptr<GG_PACK_RECORD>>& fGetPacks() const { return mPacks; }
    void fAddPack(std::unique_ptr<GG_PACK_RECORD> pack);

    GG_PACK_RECORD* fFindPack(int32_t id) const;
    GG_LEVEL_RECORD* fFindLevel(int32_t packId, int32_t levelId) const;
    int32_t fGetTotalStars() const;
    // False when the player has no record of the pack.
    bool fPackHasOpenLevel(int32_t packId) const;
    // Levels with three stars over all packs.
    int32_t fCountPerfectLevels() const;
    // Pack records bought with this in-app key.
    std::vector<GG_PACK_RECORD*> fFindPacks(const std::string& inAppKey) const;

private:
    GG_SAVE_LAYOUT mLayout;
    std::vector<std::unique_ptr<GG_PACK_RECORD>> mPacks;
    GG_STATISTIC mStatistic;
    GG_HEALTH mHealth;
};

}  // namespace game
