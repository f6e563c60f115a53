#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace KEL {

// One shop offer: the player item it changes ("name"), its price in
// points, the count a purchase sets ("value") or "endless", its picture and
// text key, and its in-app product. Nested "item" elements become nested
// offers, kMAX_DEPTH levels in all; deeper ones are dropped with an error.
class KC_SHOP_ITEM {
public:
    static constexpr int32_t kMAX_DEPTH = 16;

    void fRead(const pugi::xml_node& node);

    bool fIsEndless() const { return mEndless != 0; }
    int32_t fGetPrice() const { return mPrice; }
    int32_t fGetValue() const { return mValue; }
    const std::string& fGetName() const { return mName; }
    const std::string& fGetAnnotation() const { return mAnnotation; }
    const std::string& fGetImage() const { return mImage; }
    const std::string& fGetInAppKey() const { return mInAppKey; }
    const std::vector<std::unique_ptr<KC_SHOP_ITEM>>& fGetItems() const { return mItems; }

private:
    void fRead(const pugi::xml_node& node, int32_t depth);

    uint8_t mEndless = 0;
    int32_t mPrice = 0;
    int32_t mValue = 0;
    std::string mName;
    std::string mAnnotation;
    std::string mImage;
    std::string mInAppKey;
    std::vector<std::unique_ptr<KC_SHOP_ITEM>> mItems;
};

}  // namespace KEL
