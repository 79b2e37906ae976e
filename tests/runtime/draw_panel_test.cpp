// The draw panel on the headless window system: its properties, the drawing commands on
// the off-screen copy and the face, and the picture as BMP bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "child_process.h"
#include "loader_program.h"
#include "platform/gfx/bmp_file.h"
#include "runtime/controls/draw_panel_object.h"
#include "runtime/call/heap.h"
#include "runtime/call/library_calls.h"
#include "runtime/call/frame_hooks.h"
#include "runtime/call/properties.h"

namespace barvell {
namespace {

using runtime::controls::DrawPanelBlock;
using runtime::controls::DrawPanelObject;
using testing::Control;
using testing::kMainWindow;

constexpr ComponentId kPanel = 0x16010002;
constexpr ComponentId kOther = 0x16010003;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kButtonFace = 0xF0F0F0;  // the headless screen's

// Type-specific properties as the program numbers them.
enum : int32_t {
  kBorderStyle = 8, kBackColour = 9, kBackPicture = 10, kBackPictureMode = 11,
  kAutoRedraw = 12, kCoordinateUnit = 13, kPenStyle = 14, kDrawMode = 15, kPenWidth = 16,
  kPenColour = 17, kBrushStyle = 18, kBrushColour = 19, kTextColour = 20,
  kTextBackColour = 21, kFont = 22, kClientWidth = 23, kClientHeight = 24,
};

// The program's panels: copying a white background, solid black pen, solid white brush,
// black text on a transparent background.
DrawPanelBlock ProgramPanel() {
  DrawPanelBlock b;
  b.auto_redraw = 1;
  b.back_colour = 0x00FFFFFF;
  return b;
}

class DrawPanel : public testing::LoaderProgram {
 protected:
  void LoadPanels(DrawPanelBlock panel, runtime::ComponentGeometry rect = {0, 0, 100, 50},
                  DrawPanelBlock other = DrawPanelBlock{}) {
    std::vector<runtime::ComponentSource> panels;
    panels.push_back(Control(kPanel, type_id::kDrawPanel, rect, panel));
    panels.push_back(Control(kOther, type_id::kDrawPanel, {0, 60, 40, 30}, other));
    StartWithControls(std::move(panels));
    ASSERT_TRUE(Load(kMainWindow));
  }

  static ArgRecord Ref(ComponentId id = kPanel) {
    return ArgRecord::Component(type_id::kDrawPanel, kMainWindow, id);
  }
  ResultRecord Call(int32_t command, std::vector<ArgRecord> args) {
    return runtime::CallLibraryCommandOf(0, command, int32_t(args.size()), args.data());
  }
  void Fill(int x1, int y1, int x2, int y2) {
    Call(command::kFillRectangle, {Ref(), ArgRecord::Int(x1), ArgRecord::Int(y1),
                                   ArgRecord::Int(x2), ArgRecord::Int(y2)});
  }
  void Line(int x1, int y1, int x2, int y2) {
    Call(command::kDrawLine, {Ref(), ArgRecord::Int(x1), ArgRecord::Int(y1),
                              ArgRecord::Int(x2), ArgRecord::Int(y2)});
  }
  void WriteAt(int x, int y, std::vector<ArgRecord> values) {
    std::vector<ArgRecord> args = {Ref(), ArgRecord::Int(x), ArgRecord::Int(y)};
    args.insert(args.end(), values.begin(), values.end());
    Call(command::kWriteAt, args);
  }
  int Measure(int32_t command, ArgRecord value) { return Call(command, {Ref(), value}).Int(); }
  void Clear(std::vector<ArgRecord> rect = {}) {
    rect.insert(rect.begin(), Ref());
    Call(command::kClear, rect);
  }
  // The BMP bytes of GetPicture, freed here.
  std::vector<uint8_t> Picture(std::vector<ArgRecord> size = {}, ComponentId id = kPanel) {
    size.insert(size.begin(), Ref(id));
    ResultRecord r = Call(command::kGetPicture, size);
    auto* words = r.Pointer<uint32_t>();
    if (words == nullptr) return {};
    EXPECT_EQ(words[0], 1u);
    const auto* bytes = reinterpret_cast<const uint8_t*>(words + 2);
    std::vector<uint8_t> out(bytes, bytes + words[1]);
    runtime::FreeBlock(words);
    return out;
  }
  void Set(int32_t property, uint32_t value, ComponentId id = kPanel) {
    runtime::WriteProperty(kMainWindow, id, property, -1, value, 0);
  }
  int64_t Get(int32_t property, int32_t element = -1, ComponentId id = kPanel) {
    return runtime::ReadProperty(kMainWindow, id, property, element);
  }
  DrawPanelObject& Panel(ComponentId id = kPanel) {
    return *dynamic_cast<DrawPanelObject*>(runtime::LiveComponentObject(kMainWindow, id));
  }
  const gfx::Bitmap& Offscreen() { return *Panel().Offscreen(); }
  const gfx::Bitmap& Face(ComponentId id = kPanel) { return *ui_.SurfaceBitmap(HandleOf(kMainWindow, id)); }
};

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

// The ink of a rectangle: pixels that are not `background`.
int InkIn(const gfx::Bitmap& b, int left, int top, int right, int bottom, uint32_t background) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += b.Pixel(x, y) != background;
  return n;
}

TEST_F(DrawPanel, PropertiesReadBackWithTheirDefaultsAndClamps) {
  DrawPanelBlock plain;  // every default
  LoadPanels(ProgramPanel(), {0, 0, 100, 50}, plain);
  EXPECT_EQ(uint32_t(Get(kBackColour, -1, kOther)), 0xFF000000u);
  EXPECT_EQ(uint32_t(Get(kTextBackColour, -1, kOther)), 0xFF000000u);
  EXPECT_EQ(Get(kBackPictureMode, -1, kOther), 1);
  EXPECT_EQ(Get(kAutoRedraw, -1, kOther), 0);
  EXPECT_EQ(Get(kPenStyle, -1, kOther), 1);
  EXPECT_EQ(Get(kDrawMode, -1, kOther), 12);
  EXPECT_EQ(uint32_t(Get(kBrushColour, -1, kOther)), 0x00FFFFFFu);
  EXPECT_EQ(Get(kBrushStyle, -1, kOther), 1);
  EXPECT_EQ(Get(kBackPicture, -1, kOther), 0);  // empty byte array: no block
  EXPECT_EQ(Panel(kOther).Offscreen(), nullptr);
  EXPECT_EQ(Face(kOther).Pixel(3, 3), kButtonFace);  // the default background
  // No font of its own: the default GUI font, 9 points.
  EXPECT_EQ(Get(kFont, 5, kOther), 9);
  EXPECT_EQ(Get(kClientWidth), 100);
  EXPECT_EQ(Get(kClientHeight), 50);

  EXPECT_EQ(uint32_t(Get(kBackColour)), 0x00FFFFFFu);
  EXPECT_EQ(Get(kAutoRedraw), 1);
  Set(kDrawMode, 99);
  EXPECT_EQ(Get(kDrawMode), 15);
  Set(kPenWidth, uint32_t(-3));
  EXPECT_EQ(Get(kPenWidth), 0);
  Set(kPenWidth, 40000);
  EXPECT_EQ(Get(kPenWidth), 32767);
  Set(kBrushStyle, 60);
  EXPECT_EQ(Get(kBrushStyle), 55);
  Set(kCoordinateUnit, 9);
  EXPECT_EQ(Get(kCoordinateUnit), 5);
  Set(kBorderStyle, 7);
  EXPECT_EQ(Get(kBorderStyle), 5);
  Set(kBackPictureMode, 3);
  EXPECT_EQ(Get(kBackPictureMode), 2);
  Set(kTextColour, 0x00123456);
  EXPECT_EQ(Get(kTextColour), 0x00123456);
  Set(kClientWidth, 7);  // read only
  EXPECT_EQ(Get(kClientWidth) > 7, true);
}

TEST_F(DrawPanel, FillRectangleCoversLeftAndTopEdgesOnly) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0x000000FF);  // COLORREF red
  Fill(10, 5, 20, 15);
  for (const gfx::Bitmap* b : {&Offscreen(), &Face()}) {
    EXPECT_EQ(b->Pixel(10, 5), 0xFF0000u);
    EXPECT_EQ(b->Pixel(19, 14), 0xFF0000u);
    EXPECT_EQ(b->Pixel(20, 14), kWhite);
    EXPECT_EQ(b->Pixel(19, 15), kWhite);
    EXPECT_EQ(b->Pixel(9, 5), kWhite);
    EXPECT_EQ(b->Pixel(10, 4), kWhite);
    EXPECT_EQ(InkIn(*b, 0, 0, 100, 50, kWhite), 100);
  }
  // Corners in reverse order fill the same area.
  const gfx::Bitmap forward = Offscreen();
  Clear();
  Fill(20, 15, 10, 5);
  EXPECT_EQ(std::memcmp(forward.Data(), Offscreen().Data(), 100 * 50 * 4), 0);
  // x1 = x2: one column; y1 = y2: one row.
  Clear();
  Fill(30, 10, 30, 20);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 10);
  EXPECT_EQ(InkIn(Offscreen(), 30, 10, 31, 20, kWhite), 10);
  Clear();
  Fill(40, 7, 45, 7);
  EXPECT_EQ(InkIn(Offscreen(), 40, 7, 45, 8, kWhite), 5);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 5);
}

TEST_F(DrawPanel, LinesLeaveTheirEndPointAndFollowTheDrawMode) {
  LoadPanels(ProgramPanel());
  Line(0, 0, 0, 10);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 1, 10, kWhite), 10);
  EXPECT_EQ(Offscreen().Pixel(0, 10), kWhite);
  EXPECT_EQ(Offscreen().Pixel(0, 0), 0u);
  EXPECT_EQ(InkIn(Face(), 0, 0, 100, 50, kWhite), 10);

  // Draw mode 6 is the raster operation 7, XOR: a second line takes the first away.
  Clear();
  Set(kPenColour, 0x000000FF);
  Set(kDrawMode, 6);
  Line(5, 20, 60, 20);
  EXPECT_EQ(Offscreen().Pixel(30, 20), 0x00FFFFu);  // white xor red
  Line(5, 20, 60, 20);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 0);
}

TEST_F(DrawPanel, InsideFramePenDrawsLinesLikeASolidOne) {
  LoadPanels(ProgramPanel());
  Set(kPenStyle, 6);
  Line(0, 5, 60, 5);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 60);
  EXPECT_EQ(InkIn(Face(), 0, 0, 100, 50, kWhite), 60);
  Set(kPenWidth, 3);
  Line(20, 20, 20, 40);
  EXPECT_EQ(InkIn(Offscreen(), 19, 20, 22, 40, kWhite), 60);
}

// Any int32 argument is drawn without undefined behaviour, and what reaches the panel is
// painted, on the off-screen copy and the face alike.
TEST_F(DrawPanel, CoordinatesAnywhereInTheIntRange) {
  const ArgRecord far = ArgRecord::Int(2147483000);
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0);
  Fill(-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 5000);

  // Rectangles that only start or end far away: x + width passes the int range.
  Clear({far, ArgRecord::Int(0), far, ArgRecord::Int(50)});
  EXPECT_EQ(InkIn(Face(), 0, 0, 100, 50, kWhite), 5000);
  EXPECT_EQ(Panel().TextPosition(), (gfx::Point{2147483000, 0}));
  Clear({ArgRecord::Int(-10), ArgRecord::Int(-10), ArgRecord::Int(20), ArgRecord::Int(30)});
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 5000 - 10 * 20);
  Fill(2147483647, 2147483647, 2147483647, 2147483647);
  Fill(-2147483647 - 1, 0, -2147483647 - 1, 0);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 5000 - 10 * 20);

  Clear();
  Line(-2147483647 - 1, 10, 2147483647, 10);
  Set(kPenStyle, 2);  // dashed: drawn the same way
  Line(1000000000, 30, -1000000000, 30);
  EXPECT_EQ(InkIn(Offscreen(), 0, 10, 100, 11, kWhite), 100);
  EXPECT_GT(InkIn(Offscreen(), 0, 30, 100, 31, kWhite), 60);
  EXPECT_EQ(InkIn(Face(), 0, 0, 100, 50, kWhite), InkIn(Offscreen(), 0, 0, 100, 50, kWhite));

  // Text starting from the far text position, or placed far away, reaches nothing.
  Clear();
  Clear({far, far});
  Call(command::kWriteAt, {Ref(), ArgRecord{}, ArgRecord{}, ArgRecord::Text("AB\r\nC"), ArgRecord::Text("D")});
  WriteAt(2147483647, 2147483647, {ArgRecord::Text("A\n\nB"), ArgRecord::Text("C")});
  WriteAt(-2147483647 - 1, -2147483647 - 1, {ArgRecord::Text("A\nB")});
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 0);
}

TEST_F(DrawPanel, ClearFillsWithTheBackgroundAndSetsTheTextPosition) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0);
  Fill(0, 0, 100, 50);
  Clear({ArgRecord::Int(10), ArgRecord::Int(10), ArgRecord::Int(5), ArgRecord::Int(4)});
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, 0), 20);
  EXPECT_EQ(InkIn(Offscreen(), 10, 10, 15, 14, 0), 20);
  // A negative width is normalised: the five columns left of x.
  Clear({ArgRecord::Int(60), ArgRecord{}, ArgRecord::Int(-5), ArgRecord{}});
  EXPECT_EQ(InkIn(Offscreen(), 55, 0, 60, 50, 0), 250);
  EXPECT_EQ(Offscreen().Pixel(60, 0), 0u);

  // The text position is the rectangle's top-left corner.
  Clear({ArgRecord::Int(30), ArgRecord::Int(20)});
  EXPECT_EQ(Panel().TextPosition(), (gfx::Point{30, 20}));

  Clear();
  std::vector<uint8_t> bmp = Picture();
  ASSERT_EQ(bmp.size(), 15054u);
  for (size_t i = 54; i < bmp.size(); ++i) ASSERT_EQ(bmp[i], 0xFF) << i;
  EXPECT_EQ(InkIn(Face(), 0, 0, 100, 50, kWhite), 0);
}

// A whole-panel clear after one before it refills only what was drawn in between: every
// kind of drawing, anywhere on the panel and past its edges, must still be wiped from both
// the off-screen copy and the face, round after round and across a change of colour.
TEST_F(DrawPanel, ClearingAgainWipesEveryKindOfDrawingFromBothCopies) {
  LoadPanels(ProgramPanel());
  auto expectPlain = [&](uint32_t rgb, const char* after) {
    EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, rgb), 0) << after;
    EXPECT_EQ(InkIn(Face(), 0, 0, 100, 50, rgb), 0) << after;
  };
  Clear();
  Set(kBrushColour, 0);
  Fill(10, 5, 13, 40);
  Fill(-20, 45, 5, 80);
  Line(30, 0, 99, 49);
  Set(kPenWidth, 7);
  Call(command::kDrawRectangle, {Ref(), ArgRecord::Int(80), ArgRecord::Int(-3),
                                 ArgRecord::Int(103), ArgRecord::Int(20)});
  WriteAt(60, 30, {ArgRecord::Text("6901")});
  ASSERT_GT(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 200);
  Clear();
  expectPlain(kWhite, "lines, fills, a wide outline and text");

  // The next round draws elsewhere only: its clear must not forget the corners.
  Call(command::kSetPixel, {Ref(), ArgRecord::Int(99), ArgRecord::Int(49), ArgRecord::Int(0)});
  Call(command::kSetPixel, {Ref(), ArgRecord::Int(0), ArgRecord::Int(0), ArgRecord::Int(0)});
  Clear();
  expectPlain(kWhite, "two corner pixels");

  // A part cleared between, then drawing beside it.
  Fill(40, 10, 45, 20);
  Clear({ArgRecord::Int(40), ArgRecord::Int(10), ArgRecord::Int(2), ArgRecord::Int(2)});
  Fill(70, 40, 72, 45);
  Clear();
  expectPlain(kWhite, "a partial clear between");

  // A new background colour: the whole panel takes it.
  Set(kBackColour, 0x0000FF00);
  Fill(0, 0, 3, 3);
  Clear();
  expectPlain(0x00FF00, "a new background colour");
  Fill(50, 20, 53, 30);
  Clear();
  expectPlain(0x00FF00, "the round after it");
}

TEST_F(DrawPanel, PictureIsABottomUpBmpFile) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0x00FF0000);  // blue
  Fill(0, 0, 1, 1);               // top-left pixel
  std::vector<uint8_t> bmp = Picture();
  ASSERT_EQ(bmp.size(), 14u + 40u + 50u * 300u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), 15054u);
  EXPECT_EQ(U32(bmp, 6), 0u);
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), 100u);
  EXPECT_EQ(U32(bmp, 22), 50u);
  EXPECT_EQ(U16(bmp, 26), 1);
  EXPECT_EQ(U16(bmp, 28), 24);
  EXPECT_EQ(U32(bmp, 30), 0u);
  EXPECT_TRUE(U32(bmp, 34) == 15000u || U32(bmp, 34) == 0u);
  EXPECT_EQ(U32(bmp, 46), 0u);
  // The top row is stored last, blue first.
  const size_t top_row = 54 + 49 * 300;
  EXPECT_EQ(bmp[top_row], 0xFF);
  EXPECT_EQ(bmp[top_row + 1], 0x00);
  EXPECT_EQ(bmp[top_row + 2], 0x00);
  EXPECT_EQ(bmp[54], 0xFF);  // bottom-left: white
  EXPECT_EQ(bmp[55], 0xFF);
}

TEST_F(DrawPanel, PictureRowsArePaddedToFourBytes) {
  LoadPanels(ProgramPanel(), {0, 0, 101, 50});
  std::vector<uint8_t> bmp = Picture();
  ASSERT_EQ(bmp.size(), 54u + 50u * 304u);
  EXPECT_EQ(U32(bmp, 18), 101u);
  for (int row = 0; row < 50; ++row) {
    EXPECT_EQ(bmp[54 + row * 304 + 302], 0xFF);
    EXPECT_EQ(bmp[54 + row * 304 + 303], 0x00) << row;
  }
}

TEST_F(DrawPanel, PictureAtAnotherSize) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0);
  Fill(0, 0, 50, 50);  // left half black
  // Width -5 means 10 percent (the least), height 0 the panel's own.
  std::vector<uint8_t> small = Picture({ArgRecord::Int(-5), ArgRecord::Int(0)});
  ASSERT_GE(small.size(), 54u);
  EXPECT_EQ(U32(small, 18), 10u);
  EXPECT_EQ(U32(small, 22), 50u);
  std::vector<uint8_t> half = Picture({ArgRecord{}, ArgRecord::Int(-50)});
  EXPECT_EQ(U32(half, 18), 100u);
  EXPECT_EQ(U32(half, 22), 25u);
  std::vector<uint8_t> big = Picture({ArgRecord::Int(200), ArgRecord::Int(100)});
  ASSERT_EQ(big.size(), 54u + 100u * 600u);
  // Scaled, not cropped: the left half is still black, the right half white.
  EXPECT_EQ(big[54 + 10 * 600 + 3 * 20], 0x00);
  EXPECT_EQ(big[54 + 10 * 600 + 3 * 180], 0xFF);
  // A picture too large for any byte array is no picture, not a failed allocation.
  EXPECT_TRUE(Picture({ArgRecord::Int(100000), ArgRecord::Int(100000)}).empty());
  EXPECT_TRUE(Picture({ArgRecord::Int(-2147483647 - 1), ArgRecord::Int(-2147483647 - 1)}).empty());
}

TEST_F(DrawPanel, TextLiesInsideItsMeasuredExtent) {
  LoadPanels(ProgramPanel(), {0, 0, 200, 80});
  const ArgRecord eight = ArgRecord::Text("88");
  const int w = Measure(command::kTextWidth, eight);
  const int h = Measure(command::kTextHeight, eight);
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  WriteAt(20, 10, {eight});
  const int inside = InkIn(Offscreen(), 20, 10, 20 + w, 10 + h, kWhite);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 200, 80, kWhite), inside);
  EXPECT_EQ(InkIn(Face(), 0, 0, 200, 80, kWhite), inside);
  // Transparent text background: nothing but the glyphs; any other colour fills the cell.
  EXPECT_LT(inside, w * h);
  Clear();
  Set(kTextBackColour, 0x00FF0000);
  WriteAt(20, 10, {eight});
  EXPECT_EQ(InkIn(Offscreen(), 20, 10, 20 + w, 10 + h, kWhite), w * h);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 200, 80, kWhite), w * h);
  // The text colour is the panel's.
  Clear();
  Set(kTextBackColour, 0xFF000000);
  Set(kTextColour, 0x0000FF00);
  WriteAt(20, 10, {eight});
  // Every pixel is white or green, and some are green.
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 200, 80, kWhite) +
                InkIn(Offscreen(), 0, 0, 200, 80, 0x00FF00),
            200 * 80);
  EXPECT_GT(InkIn(Offscreen(), 0, 0, 200, 80, kWhite), 0);
}

TEST_F(DrawPanel, TextValuesOfEveryKind) {
  LoadPanels(ProgramPanel());
  EXPECT_EQ(Measure(command::kTextWidth, ArgRecord::Int(123)),
            Measure(command::kTextWidth, ArgRecord::Text("123")));
  EXPECT_EQ(Measure(command::kTextWidth, ArgRecord::Double(2.5)),
            Measure(command::kTextWidth, ArgRecord::Text("2.5")));
  EXPECT_GT(Measure(command::kTextWidth, ArgRecord::Bool(true)), 0);
  EXPECT_EQ(Measure(command::kTextWidth, ArgRecord{}), 0);
  EXPECT_EQ(Measure(command::kTextWidth, ArgRecord::OfPointer(nullptr, tag::kByteArray)), 0);
  EXPECT_EQ(Measure(command::kTextHeight, ArgRecord::OfPointer(nullptr, tag::kSubroutine)), 0);
  // Line breaks are measured as they come, not as lines.
  EXPECT_EQ(Measure(command::kTextHeight, ArgRecord::Text("1\r\n2")),
            Measure(command::kTextHeight, ArgRecord::Text("1")));
  // WriteAt skips a value of another kind and writes nothing for an empty text.
  WriteAt(0, 0, {ArgRecord::OfPointer(nullptr, tag::kByteArray), ArgRecord::Text(nullptr)});
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 0);
}

TEST_F(DrawPanel, WriteAtBreaksLinesAndContinuesAfterEachValue) {
  LoadPanels(ProgramPanel(), {0, 0, 200, 120});
  const int ha = Measure(command::kTextHeight, ArgRecord::Text("A"));
  const int hw = Measure(command::kTextHeight, ArgRecord::Text("W"));
  const int wa = Measure(command::kTextWidth, ArgRecord::Text("A"));
  auto same_as = [&](auto draw_expected) {
    gfx::Bitmap got = Offscreen();
    Clear();
    draw_expected();
    bool same = std::memcmp(got.Data(), Offscreen().Data(), size_t(got.Width()) * got.Height() * 4) == 0;
    Clear();
    return same;
  };
  WriteAt(10, 10, {ArgRecord::Text("A\r\nB")});
  EXPECT_TRUE(same_as([&] {
    WriteAt(10, 10, {ArgRecord::Text("A")});
    WriteAt(10, 10 + ha + 2, {ArgRecord::Text("B")});
  }));
  for (const char* two_breaks : {"A\n\nB", "A\r\rB"}) {
    WriteAt(10, 10, {ArgRecord::Text(two_breaks)});
    EXPECT_TRUE(same_as([&] {
      WriteAt(10, 10, {ArgRecord::Text("A")});
      WriteAt(10, 10 + ha + 2 + hw + 2, {ArgRecord::Text("B")});
    })) << two_breaks;
  }
  WriteAt(10, 10, {ArgRecord::Text("A"), ArgRecord::Text("B")});
  EXPECT_TRUE(same_as([&] {
    WriteAt(10, 10, {ArgRecord::Text("A")});
    WriteAt(10 + wa, 10, {ArgRecord::Text("B")});
  }));
  // A second value's lines start where that value began.
  WriteAt(10, 10, {ArgRecord::Text("A"), ArgRecord::Text("B\nC")});
  EXPECT_TRUE(same_as([&] {
    WriteAt(10, 10, {ArgRecord::Text("AB")});
    WriteAt(10 + wa, 10 + ha + 2, {ArgRecord::Text("C")});
  }));
}

TEST_F(DrawPanel, WriteAtStartsAtTheTextPositionAndLeavesIt) {
  LoadPanels(ProgramPanel());
  Clear({ArgRecord::Int(30), ArgRecord::Int(12), ArgRecord::Int(1), ArgRecord::Int(1)});
  Call(command::kWriteAt, {Ref(), ArgRecord{}, ArgRecord{}, ArgRecord::Text("X")});
  gfx::Bitmap got = Offscreen();
  EXPECT_EQ(Panel().TextPosition(), (gfx::Point{30, 12}));
  Clear();
  WriteAt(30, 12, {ArgRecord::Text("X")});
  EXPECT_EQ(std::memcmp(got.Data(), Offscreen().Data(), 100 * 50 * 4), 0);
  EXPECT_GT(InkIn(got, 30, 12, 100, 50, kWhite), 0);
}

TEST_F(DrawPanel, BackColourAndAutoRedrawRemakeTheOffscreenCopy) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0);
  Fill(0, 0, 10, 10);
  Set(kBackColour, 0x00FFFFFF);  // the same value: nothing happens
  EXPECT_EQ(Offscreen().Pixel(5, 5), 0u);
  Set(kBackColour, 0x0000FF00);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, 0x00FF00), 0);
  EXPECT_EQ(InkIn(Face(), 0, 0, 100, 50, 0x00FF00), 0);
  Set(kBackColour, 0xFF000000);
  EXPECT_EQ(Offscreen().Pixel(5, 5), kButtonFace);

  // Without an off-screen copy the picture is taken from what the panel shows.
  Set(kAutoRedraw, 0);
  EXPECT_EQ(Panel().Offscreen(), nullptr);
  Fill(0, 0, 10, 10);
  EXPECT_EQ(Face().Pixel(5, 5), 0u);
  std::vector<uint8_t> bmp = Picture();
  ASSERT_EQ(bmp.size(), 15054u);
  EXPECT_EQ(bmp[54 + 49 * 300], 0x00);
  Set(kAutoRedraw, 1);
  ASSERT_NE(Panel().Offscreen(), nullptr);
  EXPECT_EQ(Offscreen().Pixel(5, 5), kButtonFace);
}

// While the off-screen copy is the whole face, the panel shows the copy itself; the face
// gets its own pixels back, the same drawing, once the copy goes or is made anew.
TEST_F(DrawPanel, TheFaceShowsEveryDrawingAndKeepsItWhenTheCopyIsRemade) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0);
  Fill(0, 0, 10, 10);
  WriteAt(30, 12, {ArgRecord::Text("X")});
  const gfx::Bitmap drawn = Offscreen();
  ASSERT_EQ(Face().Width(), 100);
  EXPECT_EQ(std::memcmp(Face().Data(), drawn.Data(), 100 * 50 * 4), 0);

  Set(kAutoRedraw, 0);
  EXPECT_EQ(std::memcmp(Face().Data(), drawn.Data(), 100 * 50 * 4), 0);
  Fill(20, 0, 25, 5);  // the face alone now
  EXPECT_EQ(Face().Pixel(22, 2), 0u);

  Set(kAutoRedraw, 1);  // a new copy, blank, and the face as it was
  EXPECT_EQ(Offscreen().Pixel(5, 5), kWhite);
  EXPECT_EQ(Face().Pixel(22, 2), 0u);
  Fill(40, 0, 45, 5);  // both
  EXPECT_EQ(Face().Pixel(42, 2), 0u);
  EXPECT_EQ(Face().Pixel(5, 5), 0u);
  EXPECT_EQ(Offscreen().Pixel(42, 2), 0u);

  // A repaint shows the copy whole, then every drawing again.
  runtime::WriteProperty(kMainWindow, kPanel, 2, -1, 120, 0);  // width
  EXPECT_EQ(Face().Width(), 120);
  EXPECT_EQ(Face().Pixel(22, 2), kWhite);
  EXPECT_EQ(Face().Pixel(42, 2), 0u);
  Fill(60, 0, 65, 5);
  EXPECT_EQ(Face().Pixel(62, 2), 0u);
  EXPECT_EQ(std::memcmp(Face().Data(), Offscreen().Data(), 120 * 50 * 4), 0);
}

// The panel keeps its drawing state from one command to the next: a property written in
// between must reach the very next drawing, on the copy and on the face alone, and each
// drawing starts afresh (a dashed line at the start of its dashes).
TEST_F(DrawPanel, EachDrawingFollowsThePropertiesWrittenJustBeforeIt) {
  constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
  LoadPanels(ProgramPanel());
  for (bool copy : {true, false}) {
    SCOPED_TRACE(copy ? "copy" : "face alone");
    Set(kAutoRedraw, copy ? 1 : 0);
    Set(kBrushStyle, 1);
    Set(kTextBackColour, 0xFF000000);
    Set(kPenStyle, 1);
    Clear();
    const gfx::Bitmap& b = copy ? Offscreen() : Face();
    Set(kBrushColour, 0x000000FF);
    Fill(0, 0, 5, 5);
    Set(kBrushColour, 0x0000FF00);
    Fill(5, 0, 10, 5);
    EXPECT_EQ(b.Pixel(2, 2), kRed);
    EXPECT_EQ(b.Pixel(7, 2), kGreen);
    Set(kBrushStyle, 0);  // hollow: nothing
    Fill(0, 0, 10, 5);
    EXPECT_EQ(b.Pixel(2, 2), kRed);

    Set(kTextColour, 0x000000FF);
    WriteAt(20, 0, {ArgRecord::Text("W")});
    Set(kTextColour, 0x00FF0000);
    WriteAt(40, 0, {ArgRecord::Text("W")});
    // The first letter red only, the second blue only.
    auto count = [&](int left, uint32_t colour) { return 20 * 20 - InkIn(b, left, 0, left + 20, 20, colour); };
    EXPECT_GT(count(20, kRed), 0);
    EXPECT_EQ(count(20, kRed) + count(20, kWhite), 20 * 20);
    EXPECT_GT(count(40, kBlue), 0);
    EXPECT_EQ(count(40, kBlue) + count(40, kWhite), 20 * 20);
    Set(kTextBackColour, 0x0000FF00);  // an opaque cell
    WriteAt(60, 0, {ArgRecord::Text("W")});
    EXPECT_EQ(b.Pixel(60, 0), kGreen);

    Set(kTextBackColour, 0xFF000000);  // dash gaps untouched
    Set(kPenStyle, 2);  // dashes: both lines start on the same dash
    Line(0, 30, 37, 30);
    Line(0, 35, 37, 35);
    EXPECT_GT(InkIn(b, 0, 30, 37, 31, kWhite), 0);
    EXPECT_LT(InkIn(b, 0, 30, 37, 31, kWhite), 37);
    for (int x = 0; x < 37; ++x) ASSERT_EQ(b.Pixel(x, 35), b.Pixel(x, 30)) << "at " << x;
    EXPECT_EQ(b.Pixel(1, 40), kWhite);
  }
}

TEST_F(DrawPanel, ResizingKeepsTheDrawingAtTheTopLeft) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0);
  Fill(90, 40, 100, 50);
  Fill(0, 0, 5, 5);
  runtime::WriteProperty(kMainWindow, kPanel, 2, -1, 150, 0);  // width
  EXPECT_EQ(Offscreen().Width(), 150);
  EXPECT_EQ(Face().Width(), 150);
  EXPECT_EQ(Offscreen().Pixel(95, 45), 0u);
  EXPECT_EQ(Offscreen().Pixel(120, 45), kWhite);
  runtime::WriteProperty(kMainWindow, kPanel, 3, -1, 20, 0);  // height: cut off below
  runtime::WriteProperty(kMainWindow, kPanel, 3, -1, 50, 0);
  EXPECT_EQ(Offscreen().Pixel(95, 45), kWhite);
  EXPECT_EQ(Offscreen().Pixel(2, 2), 0u);
  EXPECT_EQ(Picture().size(), 54u + 50u * 452u);
}

// Beyond 32767 pixels a side or 64 Mi pixels in all the panel keeps its top-left part
// only and gives no picture; a real label (1 m at 600 dpi is 23,622 pixels) stays whole.
TEST_F(DrawPanel, SizesBeyondTheRasterBoundsKeepAPartAndGiveNoPicture) {
  LoadPanels(ProgramPanel(), {0, 0, 100000, 100000});
  ASSERT_EQ(Get(kClientWidth), 100000);
  EXPECT_EQ(Offscreen().Width(), 32767);
  EXPECT_LE(int64_t(Offscreen().Width()) * Offscreen().Height(), int64_t{64} << 20);
  EXPECT_EQ(Face().Width(), Offscreen().Width());
  EXPECT_EQ(Face().Height(), Offscreen().Height());
  Set(kBrushColour, 0);
  Fill(0, 0, 10, 10);
  EXPECT_EQ(InkIn(Face(), 0, 0, 20, 20, kWhite), 100);
  EXPECT_TRUE(Picture().empty());

  // Shrunk to a label size within the bounds, the whole picture is there again.
  runtime::WriteProperty(kMainWindow, kPanel, 2, -1, 23622, 0);
  runtime::WriteProperty(kMainWindow, kPanel, 3, -1, 30, 0);
  EXPECT_EQ(Offscreen().Width(), 23622);
  EXPECT_EQ(Offscreen().Pixel(5, 5), 0u);
  std::vector<uint8_t> label = Picture();
  ASSERT_EQ(label.size(), 54u + 30u * ((23622u * 3 + 3) / 4 * 4));
  EXPECT_EQ(U32(label, 18), 23622u);

  // Grown again by the property: no exception, the drawing kept at the top-left.
  runtime::WriteProperty(kMainWindow, kPanel, 3, -1, 100000, 0);
  EXPECT_EQ(Offscreen().Pixel(5, 5), 0u);
  EXPECT_TRUE(Picture().empty());
  Set(kAutoRedraw, 0);  // without the off-screen copy the picture is the face
  EXPECT_TRUE(Picture().empty());
}

TEST_F(DrawPanel, PictureSizesUpToTheRasterBounds) {
  LoadPanels(ProgramPanel());
  std::vector<uint8_t> widest = Picture({ArgRecord::Int(32767), ArgRecord::Int(1)});
  EXPECT_EQ(U32(widest, 18), 32767u);
  EXPECT_TRUE(Picture({ArgRecord::Int(32768), ArgRecord::Int(1)}).empty());
  EXPECT_TRUE(Picture({ArgRecord::Int(26000), ArgRecord::Int(26000)}).empty());
  EXPECT_TRUE(Picture({ArgRecord::Int(8193), ArgRecord::Int(8192)}).empty());
}

TEST_F(DrawPanel, BrushStylesHatchesAndPatterns) {
  LoadPanels(ProgramPanel());
  Set(kBrushColour, 0);
  Set(kBrushStyle, 0);  // hollow
  Fill(0, 0, 16, 16);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 0);
  Set(kBrushStyle, 6);  // horizontal hatch: one row in eight
  Fill(0, 0, 16, 16);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 16, 16, kWhite), 32);
  Clear();
  Set(kBrushStyle, 12);  // the half-grey checker
  Fill(0, 0, 16, 16);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 16, 16, kWhite), 128);
  EXPECT_NE(Offscreen().Pixel(0, 0), Offscreen().Pixel(1, 0));
  // Every pattern style makes a brush that paints something but not everything.
  for (uint32_t style = 8; style <= 55; ++style) {
    Clear();
    Set(kBrushStyle, style);
    Fill(0, 0, 8, 8);
    int ink = InkIn(Offscreen(), 0, 0, 8, 8, kWhite);
    EXPECT_GT(ink, 0) << style;
    EXPECT_LT(ink, 64) << style;
  }
}

TEST_F(DrawPanel, BackgroundPictureByMode) {
  LoadPanels(ProgramPanel());
  std::vector<uint8_t> red = gfx::EncodeBmp24(gfx::Bitmap(4, 4, 0xFF0000));
  void* block = runtime::NewByteArray(red);
  auto set_picture = [&](void* array) {
    uint64_t bits = reinterpret_cast<uintptr_t>(array);
    runtime::WriteProperty(kMainWindow, kPanel, kBackPicture, -1, uint32_t(bits),
                           uint32_t(bits >> 32));
  };
  Set(kBackPictureMode, 0);  // natural size at the top-left corner, the rest in BackColor
  set_picture(block);
  EXPECT_EQ(Offscreen().Pixel(3, 3), 0xFF0000u);
  EXPECT_EQ(Offscreen().Pixel(4, 3), kWhite);
  EXPECT_EQ(Face().Pixel(3, 3), 0xFF0000u);
  Set(kBackPictureMode, 1);  // tiled
  Clear();
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, 0xFF0000), 0);
  // Clear draws the picture clipped to its rectangle, relative to the client area.
  Set(kBackPictureMode, 0);
  Set(kBrushColour, 0);
  Fill(0, 0, 100, 50);
  Clear({ArgRecord::Int(2), ArgRecord::Int(2), ArgRecord::Int(4), ArgRecord::Int(4)});
  EXPECT_EQ(Offscreen().Pixel(1, 1), 0u);
  EXPECT_EQ(Offscreen().Pixel(2, 2), 0xFF0000u);
  EXPECT_EQ(Offscreen().Pixel(5, 5), kWhite);
  EXPECT_EQ(Offscreen().Pixel(6, 6), 0u);
  // Bytes that are no picture leave the bare background colour.
  const uint8_t junk[] = {1, 2, 3, 4, 5};
  void* junk_block = runtime::NewByteArray(junk);
  set_picture(junk_block);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 0);
  runtime::FreeBlock(junk_block);
  runtime::FreeBlock(block);
}

TEST_F(DrawPanel, CoordinateUnitsScaleToThePixels) {
  LoadPanels(ProgramPanel(), {0, 0, 200, 150});
  Set(kCoordinateUnit, 3);  // 0.01 inch at 96 dpi
  EXPECT_EQ(Get(kClientWidth), 208);
  Set(kBrushColour, 0);
  Fill(0, 0, 100, 50);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 200, 150, kWhite), 96 * 48);
  // Clear stays in pixels.
  Clear({ArgRecord::Int(0), ArgRecord::Int(0), ArgRecord::Int(10), ArgRecord::Int(10)});
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 200, 150, kWhite), 96 * 48 - 100);
}

TEST_F(DrawPanel, FontSizeChangesTheMeasuredText) {
  LoadPanels(ProgramPanel());
  const int before = Measure(command::kTextHeight, ArgRecord::Text("8"));
  runtime::WriteProperty(kMainWindow, kPanel, kFont, 5, 26, 0);
  EXPECT_EQ(Get(kFont, 5), 26);
  EXPECT_GT(Measure(command::kTextHeight, ArgRecord::Text("8")), 2 * before);
}

TEST_F(DrawPanel, PixelsAndRectangleOutlines) {
  LoadPanels(ProgramPanel());
  Call(command::kSetPixel, {Ref(), ArgRecord::Int(3), ArgRecord::Int(4), ArgRecord::Int(0xFF)});
  EXPECT_EQ(Offscreen().Pixel(3, 4), 0xFF0000u);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 1);
  Clear();
  Set(kBrushColour, 0x0000FF00);
  Call(command::kDrawRectangle, {Ref(), ArgRecord::Int(10), ArgRecord::Int(10),
                                 ArgRecord::Int(20), ArgRecord::Int(20)});
  EXPECT_EQ(Offscreen().Pixel(10, 10), 0u);  // the pen's outline
  EXPECT_EQ(Offscreen().Pixel(19, 19), 0u);
  EXPECT_EQ(Offscreen().Pixel(15, 15), 0x00FF00u);  // the brush inside
  EXPECT_EQ(Offscreen().Pixel(20, 20), kWhite);
}

// The picture copies the rows the panel knows repeat instead of comparing them: after
// every kind of drawing it must be the file the same pixels give when compared.
TEST_F(DrawPanel, PictureRowsKnownAlikeStayTrueThroughEveryDrawing) {
  LoadPanels(ProgramPanel());
  auto expect_true_picture = [&](const char* step) {
    SCOPED_TRACE(step);
    EXPECT_EQ(Picture(), gfx::EncodeBmp24(Offscreen()));
  };
  auto marked = [&] {
    int n = 0;
    for (uint8_t f : Panel().OffscreenRowRepeats()) n += f;
    return n;
  };
  Set(kBrushColour, 0);
  for (int code = 0; code < 2; ++code) {
    Clear();
    EXPECT_EQ(marked(), 49);
    // Bars down to mid-picture, one of them longer, as a code's guard bars are.
    for (int x = 10 + code; x < 70; x += 7) Fill(x, 5, x + 3, x == 45 ? 38 : 30);
    EXPECT_GE(marked(), 40);
    expect_true_picture("bars");
    WriteAt(12, 22, {ArgRecord::Text("690123")});  // text across the bars' run
    expect_true_picture("text");
  }
  Call(command::kSetPixel, {Ref(), ArgRecord::Int(11), ArgRecord::Int(15), ArgRecord::Int(0xFF)});
  expect_true_picture("pixel inside a bar");
  Clear({ArgRecord::Int(20), ArgRecord::Int(10), ArgRecord::Int(30), ArgRecord::Int(10)});
  expect_true_picture("part cleared");
  Line(0, 49, 99, 0);
  expect_true_picture("line");
  runtime::WriteProperty(kMainWindow, kPanel, 2, -1, 130, 0);  // wider: the drawing kept
  expect_true_picture("resized");
  runtime::WriteProperty(kMainWindow, kPanel, 3, -1, 35, 0);
  expect_true_picture("cut below");
  Fill(0, 20, 130, 25);
  expect_true_picture("whole-width fill after the resize");
  // A background picture: what a clear leaves is not one colour.
  std::vector<uint8_t> tile = gfx::EncodeBmp24(gfx::Bitmap(3, 3, 0xFF0000));
  tile[54] = 0x11;
  void* block = runtime::NewByteArray(tile);
  uint64_t bits = reinterpret_cast<uintptr_t>(block);
  Set(kBackPictureMode, 1);  // tiled
  runtime::WriteProperty(kMainWindow, kPanel, kBackPicture, -1, uint32_t(bits), uint32_t(bits >> 32));
  expect_true_picture("background picture");
  Fill(40, 2, 43, 30);
  Clear();
  expect_true_picture("cleared to the picture");
  runtime::FreeBlock(block);
}

TEST_F(DrawPanel, ACommandOnAnotherKindOfComponentDoesNothing) {
  LoadPanels(ProgramPanel());
  ArgRecord window = ArgRecord::Component(type_id::kWindow, kMainWindow, 0);
  Call(command::kFillRectangle, {window, ArgRecord::Int(0), ArgRecord::Int(0),
                                 ArgRecord::Int(10), ArgRecord::Int(10)});
  EXPECT_EQ(Call(command::kGetPicture, {window}).Bits(), 0u);
  EXPECT_EQ(Call(command::kTextWidth, {window, ArgRecord::Text("8")}).Int(), 0);
  EXPECT_EQ(InkIn(Offscreen(), 0, 0, 100, 50, kWhite), 0);
}

TEST_F(DrawPanel, ACommandOnAPanelThatIsNotLoadedIsFatal) {
  testing::ChildOutcome outcome = testing::RunInChild([this] {
    LoadPanels(ProgramPanel());
    Call(command::kClear, {ArgRecord::Component(type_id::kDrawPanel, kMainWindow, 0x16019999)});
  });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("指定窗口或窗口组件不存在或尚未载入"), std::string::npos);
}

}  // namespace
}  // namespace barvell
