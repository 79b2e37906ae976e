// Making, drawing and saving one barcode through the main window, as a person does: the
// picture's geometry, the files written, what real readers make of them, and the saves
// that must fail or do nothing.
#include <gtest/gtest.h>

#include "main_window_session.h"
#include "picture_checks.h"

namespace barvell::app::testing {
namespace {

constexpr char kSaved[] = "文件保存成功";
constexpr char kNotSaved[] = "文件保存失败";
constexpr unsigned kInformation = 64;
constexpr unsigned kError = 16;

// The columns of the three guards' dark modules, for a symbol at `left` with `module`.
std::vector<int> GuardColumns(int left, int module) {
  std::vector<int> out;
  for (int m : {0, 2, 46, 48, 92, 94}) {
    for (int i = 0; i < module; ++i) out.push_back(left + m * module + i);
  }
  return out;
}

// Every dark column of the bar area runs from top to the normal or the guard bottom, and
// the guard columns are exactly those reaching the guard bottom.
void ExpectBars(const gfx::Bitmap& b, int left, int module, int top, int bottom, int long_bottom) {
  const int mid = (top + bottom) / 2;
  std::vector<int> dark = DarkColumns(b, mid);
  ASSERT_FALSE(dark.empty());
  EXPECT_EQ(dark.front(), left);
  EXPECT_EQ(dark.back(), left + 95 * module - 1);
  std::vector<int> reaching_guard_bottom;
  for (int x : dark) {
    EXPECT_EQ(b.Pixel(x, top - 1), kWhite) << "above the bars at x = " << x;
    int end = RunEnd(b, x, top);
    if (end == long_bottom) {
      reaching_guard_bottom.push_back(x);
    } else {
      EXPECT_EQ(end, bottom) << "bar at x = " << x;
    }
  }
  EXPECT_EQ(reaching_guard_bottom, GuardColumns(left, module));
}

TEST(MainWindowSave, DefaultPictureHasItsGeometryAndScansAfterSaving) {
  MainWindowSession s;
  fs::path target = s.Output("default.png");
  std::string full_code;
  int32_t width = 0, height = 0, font = 0;
  gfx::Bitmap drawn;
  EXPECT_EQ(s.Run([&] {
              s.ComputeAndDraw("690123", "456789");
              s.Check([&] {
                full_code = s.Text(kFullCode);
                width = s.Property(kPanel, property::kWidth);
                height = s.Property(kPanel, property::kHeight);
                font = int32_t(Kernel().ReadProperty(kWindow, kPanel, property::kFont, 5));
                drawn = PanelPicture(kPanel);
              });
              s.Save(target);
            }),
            0);
  EXPECT_EQ(full_code, "6901234567892");
  EXPECT_EQ(width, 413);
  EXPECT_EQ(height, 236);
  EXPECT_EQ(font, 26);
  ExpectBars(drawn, 59, 3, 59, 177, 200);
  EXPECT_GT(DarkIn(drawn, 0, 177, 59, 236), 0) << "the leading digit left of the start guard";

  EXPECT_EQ(s.Messages(), (std::vector<std::pair<std::string, unsigned>>{{kSaved, kInformation}}));
  EXPECT_EQ(fs::file_size(s.TemporaryPicture()), 292694u) << "413 x 236, 24-bit rows of 1240 bytes";
  std::vector<uint8_t> png = FileBytes(target);
  ASSERT_GT(png.size(), 26u);
  EXPECT_EQ(png[1], 'P');
  EXPECT_EQ(png[24], 1) << "two colours: one bit per pixel";
  std::optional<gfx::Bitmap> saved = PictureIn(target);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->Width(), 413);
  EXPECT_EQ(saved->Height(), 236);
  ExpectBars(*saved, 59, 3, 59, 177, 200);
  EXPECT_EQ(ScannedCode(target), "6901234567892");
}

TEST(MainWindowSave, At600DpiAfterRefreshTheModuleIs7AndTheFont53) {
  MainWindowSession s;
  s.WriteSettings("打印分辨率=600\r\n");
  fs::path target = s.Output("fine.png");
  std::string shown;
  int32_t width_before = 0, width_after = 0, height_after = 0, font = 0;
  gfx::Bitmap drawn;
  EXPECT_EQ(s.Run([&] {
              s.Check([&] {
                shown = s.Text(kResolution);
                width_before = s.Property(kPanel, property::kWidth);
              });
              s.Click(kRefresh);
              s.ComputeAndDraw("400638", "133393");
              s.Check([&] {
                width_after = s.Property(kPanel, property::kWidth);
                height_after = s.Property(kPanel, property::kHeight);
                font = int32_t(Kernel().ReadProperty(kWindow, kPanel, property::kFont, 5));
                drawn = PanelPicture(kPanel);
              });
              s.Save(target);
            }),
            0);
  EXPECT_EQ(shown, "600");
  EXPECT_EQ(width_before, 413) << "loaded sizes wait for 刷新";
  EXPECT_EQ(width_after, 826);
  EXPECT_EQ(height_after, 472);
  EXPECT_EQ(font, 53);
  // left and top trunc(5 x 23.622) = 118, bars trunc(118 + 236.22) = 354, guards + 47.
  ExpectBars(drawn, 118, 7, 118, 354, 401);
  EXPECT_EQ(s.Messages(), (std::vector<std::pair<std::string, unsigned>>{{kSaved, kInformation}}));
  EXPECT_EQ(ScannedCode(target), "4006381333931");
}

TEST(MainWindowSave, TheFormatComesFromTheListNotFromTheName) {
  MainWindowSession s;
  fs::path jpeg = s.Output("really-a-jpeg.png");
  fs::path bmp = s.Output("picture.png");
  EXPECT_EQ(s.Run([&] {
              s.Choose(kSaveFormat, 1);  // JPG
              s.ComputeAndDraw("978020", "137962");
              s.Save(jpeg);
              s.Choose(kSaveFormat, 2);  // BMP
              s.Save(bmp);
            }),
            0);
  EXPECT_EQ(s.Messages(), (std::vector<std::pair<std::string, unsigned>>{
                              {kSaved, kInformation}, {kSaved, kInformation}}));
  std::vector<uint8_t> j = FileBytes(jpeg);
  ASSERT_GE(j.size(), 3u);
  EXPECT_EQ(j[0], 0xFF);
  EXPECT_EQ(j[1], 0xD8);
  EXPECT_EQ(j[2], 0xFF);
  EXPECT_EQ(ScannedCode(jpeg), "9780201379624");
  EXPECT_EQ(FileText(bmp).substr(0, 2), "BM");
  EXPECT_EQ(FileBytes(bmp), FileBytes(s.TemporaryPicture())) << "the panel's own BMP bytes";
  EXPECT_EQ(ScannedCode(bmp), "9780201379624");
  EXPECT_NE(FileText(s.SettingsFile()).find("保存格式=2"), std::string::npos);
}

TEST(MainWindowSave, CancellingTheDialogTouchesNothing) {
  MainWindowSession s;
  WriteFile(s.TemporaryPicture(), "an older picture");
  fs::path target = s.Output("never.png");
  EXPECT_EQ(s.Run([&] {
              s.ComputeAndDraw("690123", "456789");
              s.Driver().AnswerFileDialog(std::nullopt);
              s.Click(kSavePicture);
            }),
            0);
  EXPECT_TRUE(s.Messages().empty());
  EXPECT_EQ(FileText(s.TemporaryPicture()), "an older picture");
  EXPECT_FALSE(fs::exists(target));
  EXPECT_EQ(s.Driver().FileDialogs().size(), 1u);
}

TEST(MainWindowSave, SavingTwiceReplacesTheTemporaryPictureWhichOutlivesTheProgram) {
  MainWindowSession s;
  fs::path first = s.Output("first.png"), second = s.Output("second.png");
  EXPECT_EQ(s.Run([&] {
              s.ComputeAndDraw("690123", "456789");
              s.Save(first);
              s.Type(kProductCode, "4006381333931");
              s.Click(kDrawProductCode);
              s.Save(second);
            }),
            0);
  ASSERT_TRUE(fs::exists(s.TemporaryPicture()));
  std::optional<gfx::Bitmap> temporary = PictureIn(s.TemporaryPicture());
  std::optional<gfx::Bitmap> last = PictureIn(second);
  ASSERT_TRUE(temporary && last);
  EXPECT_TRUE(std::equal(temporary->Data(), temporary->Data() + 413 * 236, last->Data()));
  EXPECT_EQ(ScannedCode(first), "6901234567892");
  EXPECT_EQ(ScannedCode(second), "4006381333931");
}

TEST(MainWindowSave, AFailedWriteOfTheTemporaryPictureFailsTheSaveAndKeepsTheTarget) {
  MainWindowSession s;
  // An older picture lies under the temporary name, made unwritable: converting it would
  // save the wrong picture.
  fs::path target = s.Output("kept.png");
  WriteFile(target, "the file already there");
  EXPECT_EQ(s.Run([&] {
              s.ComputeAndDraw("690123", "456789");
              s.Save(s.Output("first.png"));
              s.Check([&] {
                fs::rename(s.TemporaryPicture(), s.Output("older.bmp"));
                fs::create_directory(s.TemporaryPicture());
              });
              s.Type(kProductCode, "4006381333931");
              s.Click(kDrawProductCode);
              s.Save(target);
              // With the temporary picture writable again, a target that cannot be written.
              s.Check([&] { fs::remove(s.TemporaryPicture()); });
              s.Save(s.Output("no-such-folder") / "x.png");
            }),
            0);
  EXPECT_EQ(s.Messages(), (std::vector<std::pair<std::string, unsigned>>{
                              {kSaved, kInformation}, {kNotSaved, kError}, {kNotSaved, kError}}));
  EXPECT_EQ(FileText(target), "the file already there");
  EXPECT_EQ(ScannedCode(s.Output("first.png")), "6901234567892");
}

TEST(MainWindowSave, WithNoFormatSelectedTheSaveFails) {
  MainWindowSession s;
  s.WriteSettings("保存格式=-1\r\n");
  int32_t selection = 0;
  EXPECT_EQ(s.Run([&] {
              s.Check([&] { selection = s.Property(kSaveFormat, property::kCurrentSelection); });
              s.ComputeAndDraw("690123", "456789");
              s.Save(s.Output("unformatted.png"));
            }),
            0);
  EXPECT_EQ(selection, -1);
  EXPECT_EQ(s.Messages(), (std::vector<std::pair<std::string, unsigned>>{{kNotSaved, kError}}));
  EXPECT_FALSE(fs::exists(s.Output("unformatted.png")));
}

}  // namespace
}  // namespace barvell::app::testing
