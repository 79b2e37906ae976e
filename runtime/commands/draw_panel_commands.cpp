#include "runtime/commands/draw_panel_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/gfx/blit.h"
#include "platform/gfx/bmp_file.h"
#include "platform/text/gbk.h"
#include "runtime/commands/text_commands.h"
#include "runtime/controls/draw_panel_object.h"
#include "runtime/call/heap.h"
#include "runtime/call/service_callback.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

using controls::DrawPanelObject;

ArgRecord Arg(int32_t count, const ArgRecord* args, int32_t i) {
  return i < count && args != nullptr ? args[i] : ArgRecord{};
}

int32_t IntArg(const ArgRecord& a) { return a.tag == tag::kInt ? int32_t(a.low) : ToInteger(a); }

std::optional<int32_t> OptionalInt(const ArgRecord& a) {
  if (a.tag == 0) return std::nullopt;
  return IntArg(a);
}

// The panel of the first argument: resolved through the service callback, which ends the
// program on a missing component; null for a component of another type.
DrawPanelObject* PanelArg(int32_t count, const ArgRecord* args) {
  ArgRecord a = Arg(count, args, 0);
  auto* object = reinterpret_cast<ComponentObject*>(
      LibraryServiceCallback(library_service::kRequireComponentObject, a.low, a.high));
  // The panel's class is final, so its exact type answers, without the search of a
  // dynamic_cast through the hierarchy on every drawing command.
  if (object == nullptr || typeid(*object) != typeid(DrawPanelObject)) return nullptr;
  return static_cast<DrawPanelObject*>(object);
}

// The kinds the text commands write: texts, numbers, logical values and dates.
bool IsTextValue(const ArgRecord& a) {
  switch (a.tag) {
    case tag::kText:
    case tag::kByte:
    case tag::kShort:
    case tag::kInt:
    case tag::kLong:
    case tag::kFloat:
    case tag::kDouble:
    case tag::kBool:
    case tag::kDateTime:
      return true;
    default:
      return false;
  }
}

// An output side of the picture: 0 or missing = the source's, -p = p percent of it (at
// least 10, rounded as the platform's MulDiv), positive as given.
int OutputSide(const ArgRecord& a, int source) {
  int32_t v = a.tag == 0 ? 0 : IntArg(a);
  if (v == 0) return source;
  if (v > 0) return v;
  int64_t percent = std::max<int64_t>(-int64_t(v), 10);
  return int(std::min(std::round(double(source) * double(percent) / 100.0), double(INT32_MAX)));
}

// A 64-bit coordinate brought into the int range.
int Int32Within(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Makes an empty span [lo, hi) one pixel wide; at the very end of the int range it grows
// downwards instead.
void WidenToOnePixel(int& lo, int& hi) {
  if (lo != hi) return;
  if (hi < INT32_MAX) ++hi; else --lo;
}

// Splits at line breaks: CR LF is one break, every other CR or LF one of its own.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

void MeasureCommand(ResultRecord* result, int32_t count, ArgRecord* args, bool width) {
  DrawPanelObject* panel = PanelArg(count, args);
  ArgRecord value = Arg(count, args, 1);
  if (panel == nullptr || !IsTextValue(value)) return;
  gfx::TextExtent extent = panel->Measure(platform::GbkToUtf8(ToText(value)));
  result->low = uint32_t(panel->ToLogical(width ? extent.width : extent.height));
}

}  // namespace

void ClearCommand(ResultRecord*, int32_t count, ArgRecord* args) {
  DrawPanelObject* panel = PanelArg(count, args);
  if (panel == nullptr) return;
  // Device pixels whatever the unit; edges in 64 bits, since x + width can pass the int
  // range, then kept within it (nothing beyond it is on the panel).
  ui::Size client = panel->ClientSize();
  int64_t left = 0, top = 0, right = client.width, bottom = client.height;
  if (auto x = OptionalInt(Arg(count, args, 1))) left = *x;
  if (auto y = OptionalInt(Arg(count, args, 2))) top = *y;
  if (auto w = OptionalInt(Arg(count, args, 3))) right = left + *w;
  if (auto h = OptionalInt(Arg(count, args, 4))) bottom = top + *h;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const gfx::Rect r{Int32Within(left), Int32Within(top), Int32Within(right), Int32Within(bottom)};
  // What was drawn must reach the screen before it is erased, even if no repaint came.
  Ui().HoldSurface(panel->Handle());
  panel->Clear(r);
  panel->SetTextPosition({r.left, r.top});
}

void DrawLineCommand(ResultRecord*, int32_t count, ArgRecord* args) {
  DrawPanelObject* panel = PanelArg(count, args);
  if (panel == nullptr) return;
  int x1 = panel->ToDevice(IntArg(Arg(count, args, 1)));
  int y1 = panel->ToDevice(IntArg(Arg(count, args, 2)));
  int x2 = panel->ToDevice(IntArg(Arg(count, args, 3)));
  int y2 = panel->ToDevice(IntArg(Arg(count, args, 4)));
  panel->Draw(false, [&](gfx::Device& device) {
    device.MoveTo(x1, y1);
    device.LineTo(x2, y2);
  });
}

void FillRectangleCommand(ResultRecord*, int32_t count, ArgRecord* args) {
  DrawPanelObject* panel = PanelArg(count, args);
  if (panel == nullptr) return;
  int x1 = IntArg(Arg(count, args, 1)), y1 = IntArg(Arg(count, args, 2));
  int x2 = IntArg(Arg(count, args, 3)), y2 = IntArg(Arg(count, args, 4));
  gfx::Rect r{panel->ToDevice(std::min(x1, x2)), panel->ToDevice(std::min(y1, y2)),
              panel->ToDevice(std::max(x1, x2)), panel->ToDevice(std::max(y1, y2))};
  // A zero-width or zero-height rectangle still paints one pixel column or row.
  WidenToOnePixel(r.top, r.bottom);
  WidenToOnePixel(r.left, r.right);
  panel->Draw(false, [&](gfx::Device& device) { device.FillRect(r, device.CurrentBrush()); });
}

void WriteAtCommand(ResultRecord*, int32_t count, ArgRecord* args) {
  DrawPanelObject* panel = PanelArg(count, args);
  if (panel == nullptr) return;
  gfx::Point start = panel->TextPosition();
  // Positions in 64 bits while the text advances: a start near the end of the int range
  // plus a width or a line height passes it. Text placed beyond it is off the panel.
  int64_t x = panel->ToLogical(start.x), y = panel->ToLogical(start.y);
  if (auto given = OptionalInt(Arg(count, args, 1))) x = *given;
  if (auto given = OptionalInt(Arg(count, args, 2))) y = *given;
  const int blank_height = panel->ToLogical(panel->Measure("W").height);

  // Laid out first, then drawn on both targets at once.
  struct Piece {
    int x, y;
    std::string utf8;
  };
  std::vector<Piece> pieces;
  for (int32_t i = 3; i < count; ++i) {
    const ArgRecord& value = args[i];
    if (!IsTextValue(value)) continue;
    const std::string text = ToText(value);
    if (text.empty()) continue;
    const int64_t value_x = x;
    std::vector<std::string> lines = SplitLines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
      int w = 0, h = blank_height;
      if (!lines[n].empty()) {
        std::string utf8 = platform::GbkToUtf8(lines[n]);
        gfx::TextExtent extent = panel->Measure(utf8);
        w = panel->ToLogical(extent.width);
        h = panel->ToLogical(extent.height);
        pieces.push_back({panel->ToDevice(Int32Within(x)), panel->ToDevice(Int32Within(y)), std::move(utf8)});
      }
      if (n + 1 < lines.size()) {
        const int64_t below = int64_t(panel->ToDevice(Int32Within(y))) + panel->ToDevice(h) + 2;
        y = panel->ToLogical(Int32Within(below));
        x = value_x;
      } else {
        x += w;
      }
    }
  }
  if (pieces.empty()) return;
  panel->Draw(true, [&](gfx::Device& device) {
    for (const Piece& p : pieces) device.TextOut(p.x, p.y, p.utf8);
  });
}

void TextWidthCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  MeasureCommand(result, count, args, true);
}

void TextHeightCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  MeasureCommand(result, count, args, false);
}

void GetPictureCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  DrawPanelObject* panel = PanelArg(count, args);
  if (panel == nullptr) return;
  // Without an off-screen copy the picture is what the panel shows.
  const gfx::Bitmap& source = panel->Offscreen() ? *panel->Offscreen() : panel->Bitmap();
  // A panel larger than a raster may be holds only part of its picture: none is given
  // rather than a cut one.
  if (source.Empty() || !panel->HoldsWholeClient()) return;
  const int width = OutputSide(Arg(count, args, 1), source.Width());
  const int height = OutputSide(Arg(count, args, 2), source.Height());
  // Refused before any pixel is made: the scaled copy and the file must stay within the
  // raster bounds.
  if (!gfx::WithinBitmapBounds(width, height)) return;
  try {
    // The file is made straight in the program's byte array: a batch takes one per code.
    auto give = [&](const gfx::Bitmap& picture, std::span<const uint8_t> rows) {
      uint8_t* bytes = nullptr;
      void* array = TryNewByteArrayToFill(gfx::Bmp24FileSize(width, height), &bytes);
      if (array == nullptr) return;
      gfx::WriteBmp24(picture, width, height, bytes, rows);
      result->SetPointer(array);
    };
    if (width == source.Width() && height == source.Height()) {
      // What the panel knows of its rows spares the export comparing them.
      give(source, &source == panel->Offscreen() ? panel->OffscreenRowRepeats() : std::span<const uint8_t>());
    } else {
      give(gfx::StretchCopy(source, width, height), {});
    }
  } catch (const std::bad_alloc&) {
    // The scaled copy or the file did not fit in memory: no picture, as the platform's
    // failed bitmap allocation gives none.
  }
}

void SetPixelCommand(ResultRecord*, int32_t count, ArgRecord* args) {
  DrawPanelObject* panel = PanelArg(count, args);
  if (panel == nullptr) return;
  int x = panel->ToDevice(IntArg(Arg(count, args, 1)));
  int y = panel->ToDevice(IntArg(Arg(count, args, 2)));
  uint32_t colour = uint32_t(IntArg(Arg(count, args, 3)));
  panel->Draw(false, [&](gfx::Device& device) { device.SetPixel(x, y, colour); });
}

void DrawRectangleCommand(ResultRecord*, int32_t count, ArgRecord* args) {
  DrawPanelObject* panel = PanelArg(count, args);
  if (panel == nullptr) return;
  int x1 = panel->ToDevice(IntArg(Arg(count, args, 1)));
  int y1 = panel->ToDevice(IntArg(Arg(count, args, 2)));
  int x2 = panel->ToDevice(IntArg(Arg(count, args, 3)));
  int y2 = panel->ToDevice(IntArg(Arg(count, args, 4)));
  panel->Draw(false, [&](gfx::Device& device) { device.Rectangle(x1, y1, x2, y2); });
}

}  // namespace barvell::runtime
