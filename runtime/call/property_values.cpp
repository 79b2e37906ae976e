#include "runtime/call/property_values.h"

#include <cstring>
#include <string_view>

#include "runtime/call/font_description.h"
#include "runtime/call/heap.h"

namespace barvell::runtime {

namespace {

// Mouse-pointer numbers 0 to 15: default, then the system cursors (IDC_ARROW, IDC_CROSS,
// IDC_IBEAM, IDC_ICON, IDC_SIZE, IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE, IDC_SIZEWE,
// IDC_UPARROW, IDC_WAIT, IDC_NO, IDC_APPSTARTING, IDC_HELP, IDC_HAND).
constexpr uint32_t kStandardCursors[] = {
    0,     32512, 32515, 32513, 32641, 32640, 32643, 32645,
    32642, 32644, 32516, 32514, 32648, 32650, 32651, 32649,
};

int64_t PointerValue(const void* p) { return int64_t(reinterpret_cast<uintptr_t>(p)); }

std::span<const uint8_t> BytesOf(const RawProperty& raw) {
  if (raw.data == nullptr) return {};
  return {static_cast<const uint8_t*>(raw.data), raw.length};
}

int64_t CursorValue(const RawProperty& raw) {
  if (raw.data == nullptr && raw.value != 0) {
    // A standard-cursor number: the cursor data is the four bytes of its cursor id.
    if (raw.value >= std::size(kStandardCursors)) return 0;
    uint32_t id = kStandardCursors[raw.value];
    uint8_t bytes[4];
    std::memcpy(bytes, &id, 4);
    return PointerValue(NewByteArray(bytes));
  }
  return PointerValue(NewByteArray(BytesOf(raw)));
}

}  // namespace

std::span<const uint32_t> StandardCursors() { return kStandardCursors; }

int64_t ConvertReadValue(uint16_t data_type, const RawProperty& raw, int32_t element) {
  switch (data_type) {
    case data_type::kInt:
    case data_type::kInt2:
    case data_type::kColour:
    case data_type::kChoice:
    case data_type::kChoice2:
    case data_type::kChoice3:
      return int32_t(uint32_t(raw.value));
    case data_type::kLong:
    case data_type::kLong2:
      return int64_t(raw.value);
    case data_type::kLogical:
      return raw.value == 1 ? 1 : 0;
    case data_type::kPicture:
    case data_type::kIcon:
    case data_type::kSound:
    case data_type::kBytes:
    case data_type::kBytes2:
      return PointerValue(NewByteArray(BytesOf(raw)));
    case data_type::kMousePointer:
      return CursorValue(raw);
    case data_type::kFont:
      return ReadFontMember(FontFromBytes(BytesOf(raw)), element);
    default: {
      if (raw.text_block != nullptr) return PointerValue(raw.text_block);
      const char* text = static_cast<const char*>(raw.data);
      return PointerValue(CopyText(text != nullptr ? std::string_view(text) : std::string_view()));
    }
  }
}

}  // namespace barvell::runtime
