#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/windows/G_WINDOW.h"

namespace KEL {
class KC_GUI_BUTTON5;
class KC_GUI_LISTBOX;
}  // namespace KEL

namespace game {

// The player list: the names in list box 4, button 5 makes a new player
// (while the list has room), 6 deletes the selected one after the question
// "Players_Confirm_Del" names it, 8 makes the selected one current and
// closes the list, which brings the title back.
class GG_WINDOW_PLAYERS : public KEL::G_WINDOW {
public:
    static constexpr int32_t kLIST = 4;
    static constexpr int32_t kNEW = 5;
    static constexpr int32_t kDELETE = 6;
    static constexpr int32_t kSPARE = 7;
    static constexpr int32_t kCHOOSE = 8;
    static constexpr uint32_t kNO_LIMIT = 0xFFFFFFFFu;

    explicit GG_WINDOW_PLAYERS(const pugi::xml_node& node);

    void fOnClick(int32_t widgetId) override;
    void fOnShowStart() override { fFill(); }
    void fOnHidden() override;

    // The answer of the name entry (1 OK, 0 cancel).
    void fOnNameAnswer(const std::wstring& name, int32_t answer);
    // The answer of the delete question (1 yes).
    void fOnDeleteAnswer(int32_t answer);

    KEL::KC_GUI_LISTBOX* fGetList() const { return mList; }

private:
    // Every name, the current player (or the first) selected, buttons set.
    void fFill();
    void fUpdateButtons();
    void fNew();
    void fDelete();
    void fChoose();
    const std::wstring* fSelected() const;
    static uint32_t fReadMaxRows(const pugi::xml_node& node);

    KEL::KC_GUI_LISTBOX* mList = nullptr;  // in the widget tree; may be null
    KEL::KC_GUI_BUTTON5* mNew = nullptr;
    KEL::KC_GUI_BUTTON5* mDelete = nullptr;
    KEL::KC_GUI_BUTTON5* mSpare = nullptr;
    uint32_t mMaxRows = kNO_LIMIT;
};

}  // namespace game
