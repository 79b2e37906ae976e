// The 60-byte platform font description (LOGFONTA) that font-valued properties carry, and
// the members of the font record read and written through it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "barvell/call_interface.h"

namespace barvell::runtime {

constexpr size_t kFontDescriptionSize = 60;
using FontDescription = std::array<uint8_t, kFontDescriptionSize>;

// Members of the font record by element index; -1 is the whole record.
namespace font_member {
constexpr int32_t kWhole = -1;
constexpr int32_t kAngle = 0;
constexpr int32_t kBold = 1;
constexpr int32_t kItalic = 2;
constexpr int32_t kStrikeOut = 3;
constexpr int32_t kUnderline = 4;
constexpr int32_t kSize = 5;
constexpr int32_t kFaceName = 6;
}  // namespace font_member

// The description of the default GUI font.
FontDescription DefaultGuiFont();
// The raw bytes as a description; missing or malformed (not 60 bytes) = the default font.
FontDescription FontFromBytes(std::span<const uint8_t> bytes);

// Reading: a member's value; the face name is a new text (null when empty); the whole
// record is a new FontRecord block whose face is a new text.
int64_t ReadFontMember(const FontDescription& font, int32_t member);
// Writing: one member from the program's value (the face name and the whole record are
// pointers); an unknown member leaves the font unchanged.
void WriteFontMember(FontDescription& font, int32_t member, uint64_t value);

}  // namespace barvell::runtime
