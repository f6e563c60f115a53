#include "game/progress/KC_SHOP_ITEMS.h"

#include "engine/resources/KC_REPOSITORY.h"
#include "engine/util/KF_XML.h"

namespace KEL {

bool KC_SHOP_ITEMS::fLoad(KC_REPOSITORY& repository, const std::string& name) {
    pugi::xml_document* document = repository.fGetXml(name);
    if (!document) return false;
    fLoad(fFindElement(*document));
    repository.fReleaseXml(document);
    return true;
}

void KC_SHOP_ITEMS::fLoad(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children("item")) {
        mItems.push_back(std::make_unique<KC_SHOP_ITEM>());
        mItems.back()->fRead(child);
    }
}

const KC_SHOP_ITEM* KC_SHOP_ITEMS::fFind(const std::string& key, int32_t count) const {
    for (const auto& item : mItems)
        if (item->fGetName() == key && (item->fIsEndless() || item->fGetValue() > count)) return item.get();
    return nullptr;
}

}  // namespace KEL
