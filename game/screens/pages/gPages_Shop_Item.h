#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/util/KS_POINT.h"
#include "engine/windows/G_PAGES_ITEM.h"

namespace game {

// One offer card of the shop: a widget tree from the page file's "GUI"
// child, hung under the card's cell, whose texts and picture follow the
// offer named by "type" ("gameplayonly" cards only during a level). The
// tree is not translated: label 3 holds the annotation key shown while the
// offer is not on sale, widget 5 the picture shown then.
//
// Widgets: 1 buy, 2 title, 3 annotation, 4 price, 5 picture, 6 a mark
// shown while the offer is not on sale.
class gPages_Shop_Item : public KEL::G_PAGES_ITEM {
public:
    static constexpr int32_t kBUY = 1;
    static constexpr int32_t kTITLE = 2;
    static constexpr int32_t kANNOTATION = 3;
    static constexpr int32_t kPRICE = 4;
    static constexpr int32_t kPICTURE = 5;
    static constexpr int32_t kNOT_OFFERED = 6;
    // The shop's text for an in-app price not known yet.
    static constexpr const char* kLOADING = "loading";

    gPages_Shop_Item(const void* owner, const pugi::xml_node& element);

    // The offer looked up again: texts, price, picture and the buy button.
    void fRefresh() override;
    // The buy button, enabled when flag holds and the offer can be taken now.
    void fApplyAvailability(bool flag);
    // Outside in-app editions: the buy button follows the player's score.
    void fApplyAffordability(int32_t score);

    const std::string& fGetOfferName() const { return mOfferName; }
    int32_t fGetPrice() const { return mPrice; }
    bool fIsAvailable() const { return mAvailable; }
    bool fIsGameplayOnly() const { return mGameplayOnly; }
    KEL::KC_GUI_ROOT* fGetGui() const { return mGui.get(); }

protected:
    int32_t fGetWidth() override { return mSize.x; }
    int32_t fGetHeight() override { return mSize.y; }
    void fReloadResources() override;
    void fReleaseResources() override;
    void fDraw() override;
    int32_t fOnMouseUp(int32_t button) override;
    int32_t fOnMouseDown(int32_t button) override;
    int32_t fOnMouseMove() override;

private:
    void fWriteLabels();
    bool fCanTakeNow() const;

    std::string mDefaultAnnotation;
    std::string mDefaultImage;
    std::string mOfferName;
    std::string mAnnotation;
    std::string mImage;
    int32_t mPrice = 0;
    std::wstring mPriceText;
    std::unique_ptr<KEL::KC_GUI_ROOT> mGui;
    KEL::KS_POINT mSize;
    bool mLoaded = false;
    bool mGameplayOnly = false;
    bool mAvailable = true;
};

}  // namespace game
