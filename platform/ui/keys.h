#pragma once
// Key codes and modifier bits as the window system reports them: the virtual-key
// numbering of the platform the runtime was designed on, so that key codes pass to the
// program's handlers unchanged.

namespace barvell::ui {

namespace key {
inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kMenu = 18;  // Alt
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
// '0'..'9' are 48..57 and 'A'..'Z' are 65..90: the key code is the character.
inline constexpr int kNumpad0 = 96;  // ... kNumpad0 + 9 = 105
inline constexpr int kMultiply = 106;
inline constexpr int kAdd = 107;
inline constexpr int kSeparator = 108;
inline constexpr int kSubtract = 109;
inline constexpr int kDecimal = 110;
inline constexpr int kDivide = 111;
inline constexpr int kF1 = 112;  // ... kF1 + 11 = F12
inline constexpr int kSemicolon = 186;
inline constexpr int kPlus = 187;
inline constexpr int kComma = 188;
inline constexpr int kMinus = 189;
inline constexpr int kPeriod = 190;
inline constexpr int kSlash = 191;
}  // namespace key

// Modifier bits of key and mouse events: set while the key is held.
namespace modifier {
inline constexpr int kCtrl = 1;
inline constexpr int kShift = 2;
inline constexpr int kAlt = 4;
}  // namespace modifier

}  // namespace barvell::ui
