#include "runtime/windows/cursor_data.h"

namespace barvell::runtime {

namespace {

struct StandardCursor {
  uint32_t id;
  ui::Cursor cursor;
};

// The standard cursor ids of the platform the templates were designed on.
constexpr StandardCursor kStandardCursors[] = {
    {0x7F00, ui::Cursor::kArrow},  {0x7F01, ui::Cursor::kIBeam}, {0x7F02, ui::Cursor::kWait},
    {0x7F03, ui::Cursor::kCross},  {0x7F86, ui::Cursor::kSizeAll}, {0x7F88, ui::Cursor::kNo},
    {0x7F89, ui::Cursor::kHand},
};

constexpr ui::Cursor kArrow = ui::Cursor::kArrow;

}  // namespace

const ui::Cursor* CursorFromData(std::span<const uint8_t> data) {
  if (data.empty()) return nullptr;
  if (data.size() != 4) return &kArrow;
  uint32_t id = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                uint32_t(data[3]) << 24;
  if (id == 0) return nullptr;
  for (const StandardCursor& c : kStandardCursors) {
    if (c.id == id) return &c.cursor;
  }
  return &kArrow;
}

}  // namespace barvell::runtime
