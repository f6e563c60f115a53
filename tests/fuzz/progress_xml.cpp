// Fuzzes the progress files read as XML: the input is read as trophies (then
// fed values of every kind), as a player template (then copied and played a
// little), as shop items, in-app products, pack descriptions, ads and
// leaderboards.
#include <cstdint>

#include "engine/util/KF_XML.h"
#include "game/product/GG_SETTINGS.h"
#include "game/profile/KT_PLAYERS.h"
#include "game/progress/GG_PROGRESS.h"
#include "game/progress/KC_SHOP_ITEMS.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/services/KC_ADS.h"
#include "game/services/KC_LEADERBOARD_LIST.h"
#include "game/services/KC_STORE.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

void fFeedTrophies(KEL::KC_TROPHIES& trophies) {
    for (uint32_t i = 0; i < trophies.fGetCount() && i < 64; ++i) {
        const std::string& name = trophies.fGetTrophy(i)->fGetName();
        for (double value : {0.0, -1.0, 1.0, 2147483648.0, -2147483648.0, 0.5, 1e30})
            trophies.fUpdateValue(name, KEL::KS_TROPHY_VALUE::fFromFloat(name, value));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    const pugi::xml_node root = KEL::fFindElement(document);

    KEL::KC_TROPHIES trophies;
    trophies.fRead(document);
    fFeedTrophies(trophies);
    KEL::KC_SHOP_ITEMS shop;
    shop.fLoad(root);
    KEL::KC_LEADERBOARD_LIST leaderboards;
    leaderboards.fLoad(root);
    KEL::KC_ADS ads;
    ads.fSetEnabled(true);
    ads.fLoad(root);

    game::GG_SETTINGS settings;
    KEL::KT_PLAYERS players;
    game::GG_PROGRESS progress(settings, players, trophies, shop, &leaderboards);
    progress.fReadPacksDescription(root, nullptr);
    progress.fLoadTemplate(root);
    game::GG_PLAYER* player = progress.fCreatePlayer(L"fuzz");
    if (player) {
        player->fGetHealth().fUseHeart();
        player->fGetHealth().fUpdate();
        progress.fUpdateTrophies(player);
        progress.fStoreQuery(KEL::kITEM_HEALTH);
    }
    KEL::KC_STORE store;
    store.fSetDelegate(&progress);
    store.fLoad(root, std::string(40, '0'), nullptr);
    for (int32_t i = 0; i < 8; ++i)
        if (const KEL::KS_STORE_PRODUCT* product = store.fGetProduct(i)) store.fPurchase(product->mName);
    return 0;
}
