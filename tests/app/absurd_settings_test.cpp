// Settings no label needs, typed into the main window as a person might: sizes beyond
// what a picture may have, negative, non-numeric and astronomically large values. The
// program must stay usable, refuse to save what it cannot hold, and afterwards still
// make an ordinary label to the exact pixel.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "main_window_session.h"
#include "platform/gfx/bmp_file.h"
#include "picture_checks.h"

namespace barvell::app::testing {
namespace {

constexpr char kNotSaved[] = "文件保存失败";
constexpr char kSaved[] = "文件保存成功";
constexpr unsigned kError = 16;

using Setting = std::pair<ComponentId, const char*>;

struct Label {
  int width = 0;
  int height = 0;
  std::string scanned;
};

// Pasted over the box's content: typing would lose the decimal point to the box's filter.
void Apply(MainWindowSession& session, const std::vector<Setting>& settings) {
  for (const auto& [control, value] : settings) {
    session.Empty(control, 24);
    session.Driver().Paste(MainWindowSession::Handle(control), value);
  }
  session.Click(kRefresh);
}

// The window's own values.
const std::vector<Setting> kOrdinary = {
    {kOutputWidth, "35"}, {kOutputHeight, "20"}, {kResolution, "300"}, {kLineThickness, "0.32"},
    {kFontSize, "3"},     {kBarHeight, "10"},    {kGuardExtension, "2"}, {kTopMargin, "5"},
    {kLeftMargin, "5"}};

// Back to the window's own values, then a label drawn and saved as `name`.
void SaveOrdinaryLabel(MainWindowSession& session, const std::string& name) {
  Apply(session, kOrdinary);
  session.ComputeAndDraw("690123", "456789");
  session.Save(session.Output(name));
}

Label Read(MainWindowSession& session, const std::string& name) {
  Label l;
  if (std::optional<gfx::Bitmap> b = PictureIn(session.Output(name))) {
    l.width = b->Width();
    l.height = b->Height();
  }
  l.scanned = ScannedCode(session.Output(name));
  return l;
}

TEST(AbsurdSettings, APictureBeyondTheBoundIsNotSavedAndAnOrdinaryOneFollowsExactly) {
  // 99999 mm at 300 dpi is 1.18 million pixels a side; 100000 dpi makes 35 mm 137795;
  // 1387 x 100 mm at 600 dpi keeps each side below 32767 but holds 77 million pixels.
  const std::vector<std::vector<Setting>> too_large = {
      {{kOutputWidth, "99999"}},
      {{kResolution, "100000"}},
      {{kResolution, "2147483647"}},
      {{kOutputWidth, "1387"}, {kOutputHeight, "100"}, {kResolution, "600"}},
  };
  int case_number = 0;
  for (const std::vector<Setting>& settings : too_large) {
    SCOPED_TRACE(case_number);
    const std::string refused = "refused" + std::to_string(case_number) + ".png";
    const std::string after = "after" + std::to_string(case_number++) + ".png";
    MainWindowSession session;
    session.Run([&] {
      Apply(session, settings);
      session.ComputeAndDraw("690123", "456789");
      session.Save(session.Output(refused));
      session.Check([&] { SaveOrdinaryLabel(session, after); });
    });
    std::vector<std::pair<std::string, unsigned>> shown = session.Messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(std::string(kNotSaved), kError));
    EXPECT_EQ(shown[1].first, kSaved);
    EXPECT_FALSE(fs::exists(session.Output(refused))) << "no file, not even an empty one";
    Label label = Read(session, after);
    EXPECT_EQ(label.width, 413);
    EXPECT_EQ(label.height, 236);
    EXPECT_EQ(label.scanned, "6901234567892");
  }
}

TEST(AbsurdSettings, TheLargestPictureAllowedIsSavedToThePixel) {
  // 1387 mm at 600 dpi: 32763 pixels, just inside the bound of a side.
  MainWindowSession session;
  session.Run([&] {
    Apply(session, {{kOutputWidth, "1387"}, {kResolution, "600"}});
    session.ComputeAndDraw("690123", "456789");
    session.Save(session.Output("wide.png"));
  });
  ASSERT_EQ(session.Messages().size(), 1u);
  EXPECT_EQ(session.Messages()[0].first, kSaved);
  std::optional<gfx::Bitmap> wide = PictureIn(session.Output("wide.png"));
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->Width(), 32763);
  EXPECT_EQ(wide->Height(), 472);
  // The reader takes no picture over 16384 pixels wide: it reads the label's left part.
  gfx::Bitmap left(1200, wide->Height());
  for (int y = 0; y < left.Height(); ++y) {
    for (int x = 0; x < left.Width(); ++x) left.SetPixel(x, y, wide->Pixel(x, y));
  }
  std::vector<uint8_t> bmp = gfx::EncodeBmp24(left);
  WriteFile(session.Output("left.bmp"), std::string(bmp.begin(), bmp.end()));
  EXPECT_EQ(ScannedCode(session.Output("left.bmp")), "6901234567892");
}

TEST(AbsurdSettings, NonsenseValuesDrawWithoutHarmAndLeaveTheWindowUsable) {
  // Each is drawn as an EAN-13 and as a Code 39 label, then the window's own values come
  // back and a label is saved: nothing stays broken.
  const std::vector<Setting> nonsense = {
      {kOutputWidth, "-5"},        {kOutputHeight, "abc"},     {kResolution, "-300"},
      {kResolution, "0"},          {kLineThickness, "1e300"},  {kLineThickness, "-1e300"},
      {kLineThickness, "nan"},     {kFontSize, "1e300"},       {kFontSize, "-7"},
      {kBarHeight, "1e300"},       {kGuardExtension, "-1e300"}, {kTopMargin, "-1e300"},
      {kLeftMargin, "1e300"},      {kLeftMargin, "-2147483648"},
  };
  MainWindowSession session;
  std::vector<int> panel_widths;
  session.Run([&] {
    for (const Setting& s : nonsense) {
      // One at a time, so that no earlier value (a resolution of 0) hides a later one.
      Apply(session, kOrdinary);
      Apply(session, {s});
      session.ComputeAndDraw("690123", "456789");
      session.Retype(kCode39Text, "AB-12");
      session.Click(kDrawCode39);
      session.Check([&] { panel_widths.push_back(PanelPicture(kPanel).Width()); });
    }
    session.Check([&] { SaveOrdinaryLabel(session, "after.png"); });
  });
  ASSERT_EQ(panel_widths.size(), nonsense.size());
  // A size that converts to nothing positive still leaves a panel of one pixel.
  EXPECT_EQ(panel_widths[0], 1);
  ASSERT_EQ(session.Messages().size(), 1u) << "drawing shows no message";
  EXPECT_EQ(session.Messages()[0].first, kSaved);
  Label label = Read(session, "after.png");
  EXPECT_EQ(label.width, 413);
  EXPECT_EQ(label.height, 236);
  EXPECT_EQ(label.scanned, "6901234567892");
}

}  // namespace
}  // namespace barvell::app::testing
