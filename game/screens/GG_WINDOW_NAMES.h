#pragma once

// The windows the code opens, shows, hides or looks up by name, as their
// window files' "_name" gives them; beside the class table
// (GG_SCREEN_CLASSES.h) that makes them. Use these names, never the texts.
namespace game::GG_WINDOW_NAME {

// The title and the players.
inline constexpr const char* kTITLE = "Title";
inline constexpr const char* kTITLE_TOP = "Title_Top";
inline constexpr const char* kEXIT_QUESTION = "Confirm_Exit";
inline constexpr const char* kPLAYERS = "Players";
inline constexpr const char* kPLAYER_NAME = "Players_EditBox";
inline constexpr const char* kPLAYER_DELETE_QUESTION = "Players_Confirm_Del";

// The pack menu and what it leads to.
inline constexpr const char* kPACKS_MENU = "Packs_Menu";
inline constexpr const char* kOPTIONS = "Options";
inline constexpr const char* kHELP = "Help";
inline constexpr const char* kCREDITS = "Credits";
inline constexpr const char* kTROPHY_TITLE = "Trophy_Title";
inline constexpr const char* kTROPHY = "Trophy";
inline constexpr const char* kTROPHY_GET = "Trophy_Get";
// No window file makes it yet; the pack menu opens and closes it by name all the same.
inline constexpr const char* kTRAINING = "Training";
inline constexpr const char* kSHOP = "Shop";
inline constexpr const char* kPURCHASE_FAIL = "purchase_fail";
inline constexpr const char* kPURCHASE_SUCCESS = "purchase_success";
inline constexpr const char* kFADE = "Fade_Transition";

// The pack screen and its questions.
inline constexpr const char* kPACK_TITLE = "Pack_Title";
inline constexpr const char* kPACKS = "Packs";
inline constexpr const char* kPACK_NEED_BUY = "Confirm_PackLockNeedBuy";
inline constexpr const char* kPACK_LOCKED = "Confirm_PackLock";
inline constexpr const char* kPACK_BUY = "Confirm_Buy_Pack";
inline constexpr const char* kNO_MONEY = "Confirm_NoMoney";

// The level screen and its questions.
inline constexpr const char* kLEVEL_TITLE = "Level_Title";
inline constexpr const char* kLEVELS = "Levels";
inline constexpr const char* kBACK = "Back";
inline constexpr const char* kSUMIE = "Sumie";
inline constexpr const char* kSTARS = "Stars";
inline constexpr const char* kHEART = "Heart";
inline constexpr const char* kHEART_FEEDBACK = "FeedBack_Heart";
inline constexpr const char* kNO_HEALTH = "Confirm_NoHealth";

// Every window of the level screen: opened with it, closed with it, and each
// handed the start of a chosen level for when it has hidden.
inline constexpr const char* kLEVEL_SCREEN[] = {kBACK, kLEVEL_TITLE, kLEVELS, kSUMIE, kSTARS, kHEART, kPACKS_MENU};

// Over a level being played.
inline constexpr const char* kGAME_MENU = "GP_Menu";
inline constexpr const char* kFINISH = "GP_Finish";
inline constexpr const char* kRESET_FEEDBACK = "GP_FeedBack_Reset";
inline constexpr const char* kRESTART_QUESTION = "Confirm_Restart_Level";
inline constexpr const char* kRESTART_IN_FINISH_QUESTION = "Confirm_Restart_In_Finish";
inline constexpr const char* kRESTART_FINISH_QUESTION = "Confirm_Restart_Finish";
inline constexpr const char* kRESTART_NO_HEALTH_QUESTION = "Confirm_Restart_NoHealth";
inline constexpr const char* kLEAVE_QUESTION = "Confirm_Close_Lvl";
inline constexpr const char* kSECOND_CHANCE_QUESTION = "Confirm_SecondChance";
inline constexpr const char* kSECOND_CHANCE_BUY_QUESTION = "Confirm_SecondChanceBuy";
inline constexpr const char* kSKIP_TUTORIAL_QUESTION = "Confirm_Skip_Tutorial";

}  // namespace game::GG_WINDOW_NAME
