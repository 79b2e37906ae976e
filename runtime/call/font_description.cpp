#include "runtime/call/font_description.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "runtime/call/heap.h"

namespace barvell::runtime {

namespace {

// LOGFONTA offsets.
constexpr size_t kHeight = 0;
constexpr size_t kEscapement = 8;
constexpr size_t kOrientation = 12;
constexpr size_t kWeight = 16;
constexpr size_t kItalic = 20;
constexpr size_t kUnderline = 21;
constexpr size_t kStrikeOut = 22;
constexpr size_t kCharSet = 23;
constexpr size_t kFaceName = 28;
constexpr size_t kFaceNameCapacity = 32;  // including the terminator

constexpr int32_t kBoldWeight = 700;
constexpr int32_t kNormalWeight = 400;
constexpr uint8_t kGb2312CharSet = 134;
// Points and pixels are related through the screen's vertical resolution.
constexpr int32_t kScreenDpi = 96;
constexpr const char* kDefaultFace = "宋体";

int32_t GetInt(const FontDescription& f, size_t at) {
  int32_t v;
  std::memcpy(&v, f.data() + at, 4);
  return v;
}
void SetInt(FontDescription& f, size_t at, int32_t v) { std::memcpy(f.data() + at, &v, 4); }

// MulDiv: a * b / c rounded half away from zero, kept within 32 bits.
int32_t MulDiv(int64_t a, int32_t b, int32_t c) {
  double r = std::round(double(a * b) / c);
  if (r > INT32_MAX) return INT32_MAX;
  if (r < INT32_MIN) return INT32_MIN;
  return int32_t(r);
}

std::string_view FaceOf(const FontDescription& f) {
  const char* face = reinterpret_cast<const char*>(f.data() + kFaceName);
  return std::string_view(face, strnlen(face, kFaceNameCapacity));
}

void SetFace(FontDescription& f, std::string_view face) {
  // 1 to 31 bytes; anything else is the default face.
  if (face.empty() || face.size() >= kFaceNameCapacity) face = kDefaultFace;
  std::memset(f.data() + kFaceName, 0, kFaceNameCapacity);
  std::memcpy(f.data() + kFaceName, face.data(), face.size());
}

std::string_view TextAt(uint64_t pointer_bits) {
  const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(pointer_bits));
  return text != nullptr ? std::string_view(text) : std::string_view();
}

}  // namespace

FontDescription DefaultGuiFont() {
  FontDescription f{};
  SetInt(f, kHeight, -MulDiv(9, kScreenDpi, 72));
  SetInt(f, kWeight, kNormalWeight);
  f[kCharSet] = kGb2312CharSet;
  SetFace(f, kDefaultFace);
  return f;
}

FontDescription FontFromBytes(std::span<const uint8_t> bytes) {
  if (bytes.size() != kFontDescriptionSize) return DefaultGuiFont();
  FontDescription f;
  std::memcpy(f.data(), bytes.data(), kFontDescriptionSize);
  return f;
}

int64_t ReadFontMember(const FontDescription& f, int32_t member) {
  switch (member) {
    case font_member::kAngle: return GetInt(f, kEscapement);
    case font_member::kBold: return GetInt(f, kWeight) >= kBoldWeight ? 1 : 0;
    case font_member::kItalic: return f[kItalic] != 0 ? 1 : 0;
    case font_member::kStrikeOut: return f[kStrikeOut] != 0 ? 1 : 0;
    case font_member::kUnderline: return f[kUnderline] != 0 ? 1 : 0;
    case font_member::kSize: return MulDiv(std::llabs(GetInt(f, kHeight)), 72, kScreenDpi);
    case font_member::kFaceName:
      return int64_t(reinterpret_cast<uintptr_t>(CopyText(FaceOf(f))));
    case font_member::kWhole: {
      auto* record = static_cast<FontRecord*>(AllocateBlock(int32_t(sizeof(FontRecord))));
      record->angle = int32_t(ReadFontMember(f, font_member::kAngle));
      record->bold = int32_t(ReadFontMember(f, font_member::kBold));
      record->italic = int32_t(ReadFontMember(f, font_member::kItalic));
      record->strike_out = int32_t(ReadFontMember(f, font_member::kStrikeOut));
      record->underline = int32_t(ReadFontMember(f, font_member::kUnderline));
      record->size = int32_t(ReadFontMember(f, font_member::kSize));
      record->face = CopyText(FaceOf(f));
      return int64_t(reinterpret_cast<uintptr_t>(record));
    }
    default: return 0;
  }
}

void WriteFontMember(FontDescription& f, int32_t member, uint64_t value) {
  int32_t v = int32_t(uint32_t(value));
  switch (member) {
    case font_member::kAngle: {
      int32_t angle = v % 3600;
      if (angle < 0) angle += 3600;
      SetInt(f, kEscapement, angle);
      SetInt(f, kOrientation, angle);
      break;
    }
    case font_member::kBold: SetInt(f, kWeight, v != 0 ? kBoldWeight : 0); break;
    case font_member::kItalic: f[kItalic] = v != 0; break;
    case font_member::kStrikeOut: f[kStrikeOut] = v != 0; break;
    case font_member::kUnderline: f[kUnderline] = v != 0; break;
    case font_member::kSize:
      SetInt(f, kHeight, -MulDiv(std::llabs(v), kScreenDpi, 72));
      break;
    case font_member::kFaceName: SetFace(f, TextAt(value)); break;
    case font_member::kWhole: {
      const auto* record = reinterpret_cast<const FontRecord*>(static_cast<uintptr_t>(value));
      if (record == nullptr) break;
      WriteFontMember(f, font_member::kAngle, uint32_t(record->angle));
      WriteFontMember(f, font_member::kBold, uint32_t(record->bold));
      WriteFontMember(f, font_member::kItalic, uint32_t(record->italic));
      WriteFontMember(f, font_member::kStrikeOut, uint32_t(record->strike_out));
      WriteFontMember(f, font_member::kUnderline, uint32_t(record->underline));
      WriteFontMember(f, font_member::kSize, uint32_t(record->size));
      WriteFontMember(f, font_member::kFaceName, reinterpret_cast<uintptr_t>(record->face));
      break;
    }
    default: break;
  }
}

}  // namespace barvell::runtime
