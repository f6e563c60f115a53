#pragma once

#include <cstdint>
#include <memory>

#include <pugixml.hpp>

#include "engine/scene/KE_ANCHOR.h"
#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/screens/pages/GG_PAGE_ITEM.h"

namespace game {

// A level card: the card of its page set plus, on open cards, the level's
// number and a row of three stars, as many earned as the player won. The
// page-file child "star" gives the star strip ("picture": two frames,
// unearned then earned) and the first star's offset ("shift_x",
// "shift_y").
class gLevel_Item : public GG_PAGE_ITEM {
public:
    static constexpr int32_t kSTARS = GG_LEVEL_RECORD::kMAX_STARS;
    static constexpr int32_t kSTAR_FRAMES = 2;
    static constexpr int32_t kNUMBER_ANCHOR = KEL::kANCHOR_CENTRE;

    gLevel_Item(const void* owner, const pugi::xml_node& element, int32_t ordinal);

    void fSetStars(int32_t stars) { mStars = stars; }
    int32_t fGetStars() const { return mStars; }

protected:
    void fReloadResources() override;
    void fReleaseResources() override;
    void fDraw() override;

private:
    std::unique_ptr<KEL::G_SPRITE> mStar;
    int32_t mStars = 0;
    int32_t mStarShiftX = 0;
    int32_t mStarShiftY = 0;
};

}  // namespace game
