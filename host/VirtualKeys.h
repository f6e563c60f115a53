#pragma once

#include <cstdint>

// The key codes the engine receives and keeps its key states by: the
// Windows virtual-key numbers it was written against. Letters and digits
// are their upper-case ASCII codes ('A'..'Z', '0'..'9'); the mouse buttons
// are KC_INPUT's. host/sdl/SdlEvents.cpp translates SDL keys into them and
// host/layout/UsKeyLayout.cpp turns them into text. Constants only.
namespace host::vk {

inline constexpr int32_t kBACKSPACE = 0x08;
inline constexpr int32_t kTAB = 0x09;
inline constexpr int32_t kENTER = 0x0D;
inline constexpr int32_t kSHIFT = 0x10;
inline constexpr int32_t kCONTROL = 0x11;
inline constexpr int32_t kPAUSE = 0x13;
inline constexpr int32_t kCAPS_LOCK = 0x14;
inline constexpr int32_t kESCAPE = 0x1B;
inline constexpr int32_t kSPACE = 0x20;
inline constexpr int32_t kPAGE_UP = 0x21;
inline constexpr int32_t kPAGE_DOWN = 0x22;
inline constexpr int32_t kEND = 0x23;
inline constexpr int32_t kHOME = 0x24;
inline constexpr int32_t kLEFT = 0x25;
inline constexpr int32_t kUP = 0x26;
inline constexpr int32_t kRIGHT = 0x27;
inline constexpr int32_t kDOWN = 0x28;
inline constexpr int32_t kINSERT = 0x2D;
inline constexpr int32_t kDELETE = 0x2E;
inline constexpr int32_t kLEFT_SYSTEM = 0x5B;  // the left "Windows" or "Super" key
inline constexpr int32_t kRIGHT_SYSTEM = 0x5C;
inline constexpr int32_t kKEYPAD_0 = 0x60;  // keypad 1..9 follow in order
inline constexpr int32_t kKEYPAD_9 = 0x69;
inline constexpr int32_t kKEYPAD_MULTIPLY = 0x6A;
inline constexpr int32_t kKEYPAD_PLUS = 0x6B;
inline constexpr int32_t kKEYPAD_MINUS = 0x6D;
inline constexpr int32_t kKEYPAD_PERIOD = 0x6E;
inline constexpr int32_t kKEYPAD_DIVIDE = 0x6F;
inline constexpr int32_t kF1 = 0x70;  // F2..F12 follow in order
inline constexpr int32_t kNUM_LOCK = 0x90;
inline constexpr int32_t kSCROLL_LOCK = 0x91;
// The punctuation keys, by their US English unshifted character.
inline constexpr int32_t kSEMICOLON = 0xBA;
inline constexpr int32_t kEQUALS = 0xBB;
inline constexpr int32_t kCOMMA = 0xBC;
inline constexpr int32_t kMINUS = 0xBD;
inline constexpr int32_t kPERIOD = 0xBE;
inline constexpr int32_t kSLASH = 0xBF;
inline constexpr int32_t kGRAVE = 0xC0;
inline constexpr int32_t kLEFT_BRACKET = 0xDB;
inline constexpr int32_t kBACKSLASH = 0xDC;
inline constexpr int32_t kRIGHT_BRACKET = 0xDD;
inline constexpr int32_t kQUOTE = 0xDE;

}  // namespace host::vk
