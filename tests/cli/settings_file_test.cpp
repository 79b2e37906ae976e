// boot.ini as people's machines have it: garbage, enormous lines, sections and keys twice,
// read-only, a directory or a link in its place, deleted or changed while a command runs.
// The command must still make its label, and --save-settings must either put the
// settings in place whole or say it did not, never damaging what was there.
#include <sys/stat.h>

#include <chrono>
#include <random>
#include <thread>

#include "command_run.h"

namespace barvell::cli_testing {
namespace {

// GBK spellings of the names the file holds.
const std::string kSection = "[\xCC\xF5\xC2\xEB\xC9\xFA\xB3\xC9]\r\n";  // [条码生成]
const std::string kResolution = "\xB4\xF2\xD3\xA1\xB7\xD6\xB1\xE6\xC2\xCA";  // 打印分辨率
const std::string kBarHeight = "\xCC\xF5\xC2\xEB\xB8\xDF\xB6\xC8";         // 条码高度
const std::string kWidth = "\xCA\xE4\xB3\xF6\xBF\xED\xB6\xC8";             // 输出宽度

const std::string kSaved = "文件保存成功\n";
const std::vector<std::string> kProduct = {"product", "6901234567892", "-o", "out/a.png"};
const std::vector<std::string> kSaveBarHeight = {"product", "6901234567892", "--set", "条码高度=12",
                                                 "--save-settings", "-o", "out/b.png"};

std::string NotSaved(const std::string& why) {
  return "barvell: the settings could not be saved to boot.ini (" + why + ")\n";
}

// Width and height of a PNG from its header.
std::pair<int, int> PngSize(const fs::path& p) {
  std::string b = Slurp(p);
  if (b.size() < 24) return {0, 0};
  auto be = [&](size_t at) {
    return int(uint8_t(b[at])) << 24 | int(uint8_t(b[at + 1])) << 16 | int(uint8_t(b[at + 2])) << 8 |
           int(uint8_t(b[at + 3]));
  };
  return {be(16), be(20)};
}

class SettingsFile : public CommandRun {
 protected:
  void ExpectLabel(const Outcome& o, const std::string& file) {
    EXPECT_EQ(o.out, kSaved);
    EXPECT_EQ(Scan(work_ / "out" / file), "EAN-13:6901234567892\n");
  }
};

TEST_F(SettingsFile, GarbageIsReadAsNoSettingsAndKeptWhenSavingOver) {
  std::mt19937 random(7);
  std::string garbage(4096, '\0');
  for (char& c : garbage) c = char(random());
  Put(Ini(), garbage);

  Outcome plain = Run(kProduct);
  EXPECT_EQ(plain.exit_code, 0) << plain.err;
  ExpectLabel(plain, "a.png");
  EXPECT_EQ(PngSize(work_ / "out/a.png"), std::make_pair(413, 236)) << "the defaults";
  EXPECT_EQ(Slurp(Ini()), garbage);

  Outcome saved = Run(kSaveBarHeight);
  EXPECT_EQ(saved.exit_code, 0) << saved.err;
  ExpectLabel(saved, "b.png");
  std::string now = Slurp(Ini());
  EXPECT_EQ(now.substr(0, garbage.size()), garbage) << "the settings go after what was there";
  EXPECT_NE(now.find(kSection), std::string::npos);
  EXPECT_NE(now.find(kBarHeight + "=12\r\n"), std::string::npos);
}

TEST_F(SettingsFile, HugeLinesAndTwiceWrittenNamesReadAsThePlatformDefines) {
  // A one-megabyte comment, a one-megabyte value of a key nobody reads, and then the
  // resolution given twice in the first section and once more in a second one of the
  // same name: the first of each counts.
  const std::string ini = kSection + ";" + std::string(1 << 20, 'x') + "\r\nnote=" +
                          std::string(1 << 20, '9') + "\r\n" + kResolution + "=600\r\n" +
                          kResolution + "=150\r\n" + kSection + kResolution + "=75\r\n" + kWidth +
                          "=70\r\n";
  Put(Ini(), ini);
  // A setting makes the command press 刷新, so the loaded resolution takes effect.
  Outcome o = Run({"product", "6901234567892", "--set", "format=PNG", "-o", "out/a.png"});
  EXPECT_EQ(o.exit_code, 0) << o.err;
  ExpectLabel(o, "a.png");
  EXPECT_EQ(PngSize(work_ / "out/a.png"), std::make_pair(826, 472))
      << "35 mm from the defaults: the second section's width is not read";
  EXPECT_EQ(Slurp(Ini()), ini);

  Outcome saved = Run(kSaveBarHeight);
  EXPECT_EQ(saved.exit_code, 0) << saved.err;
  std::string now = Slurp(Ini());
  // The new key lands in the first section; the long lines and the second section stay.
  size_t at = now.find(kBarHeight + "=12\r\n");
  ASSERT_NE(at, std::string::npos);
  EXPECT_LT(at, now.find(kSection, kSection.size()));
  EXPECT_NE(now.find(";" + std::string(1 << 20, 'x') + "\r\nnote=" + std::string(1 << 20, '9') + "\r\n"),
            std::string::npos);
  EXPECT_TRUE(now.ends_with(kSection + kResolution + "=75\r\n" + kWidth + "=70\r\n"));
}

TEST_F(SettingsFile, AReadOnlyFileOrFolderIsNeverReplaced) {
  const std::string ini = kSection + kBarHeight + "=10\r\n";
  Put(Ini(), ini);
  fs::permissions(Ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Outcome file = Run(kSaveBarHeight);
  EXPECT_EQ(file.exit_code, 1);
  EXPECT_EQ(file.err, NotSaved("boot.ini could not be replaced"));
  ExpectLabel(file, "b.png");
  EXPECT_EQ(Slurp(Ini()), ini);
  EXPECT_EQ(fs::status(Ini()).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  fs::permissions(Ini(), fs::perms::owner_write, fs::perm_options::add);
  fs::permissions(work_ / "prog", fs::perms::owner_read | fs::perms::owner_exec);
  Tree before = Snapshot(work_ / "prog");
  Outcome folder = Run(kSaveBarHeight);
  EXPECT_EQ(folder.exit_code, 1);
  EXPECT_EQ(folder.err, NotSaved("boot.ini could not be replaced"));
  EXPECT_EQ(Snapshot(work_ / "prog"), before) << "no temporary file left in the folder either";
}

TEST_F(SettingsFile, AFileTooLargeToReadIsNeverReplaced) {
  // 65 MiB of nothing (a sparse file): beyond what a settings file is read into memory for.
  Put(Ini(), kSection);
  fs::resize_file(Ini(), (65u << 20));
  Outcome saved = Run(kSaveBarHeight);
  EXPECT_EQ(saved.exit_code, 1);
  EXPECT_EQ(saved.err, NotSaved(Ini().string() + " is larger than 64 MiB"));
  ExpectLabel(saved, "b.png");
  EXPECT_EQ(fs::file_size(Ini()), 65u << 20);
  EXPECT_EQ(Slurp(Ini()).substr(0, kSection.size()), kSection);
}

TEST_F(SettingsFile, ADirectoryInItsPlaceIsLeftAlone) {
  fs::create_directories(Ini());
  Put(Ini() / "keep.txt", "mine");
  Outcome plain = Run(kProduct);
  EXPECT_EQ(plain.exit_code, 0) << plain.err;
  ExpectLabel(plain, "a.png");

  Outcome saved = Run(kSaveBarHeight);
  EXPECT_EQ(saved.exit_code, 1);
  EXPECT_EQ(saved.err, NotSaved("boot.ini is no regular file"));
  EXPECT_TRUE(fs::is_directory(Ini()));
  EXPECT_EQ(FilesIn(Ini()), std::vector<std::string>{"keep.txt"});
  EXPECT_EQ(Slurp(Ini() / "keep.txt"), "mine");
}

TEST_F(SettingsFile, ALinkInItsPlaceIsFollowedAndStaysALink) {
  fs::create_directories(work_ / "shared");
  const std::string ini = kSection + kResolution + "=600\r\n";
  Put(work_ / "shared/settings.ini", ini);
  fs::create_symlink("../shared/settings.ini", Ini());
  Tree before = Snapshot(work_);

  Outcome saved = Run(kSaveBarHeight);
  EXPECT_EQ(saved.exit_code, 0) << saved.err;
  ExpectLabel(saved, "b.png");
  EXPECT_TRUE(fs::is_symlink(Ini()));
  EXPECT_EQ(Slurp(work_ / "shared/settings.ini").substr(0, ini.size()), ini);
  EXPECT_NE(Slurp(work_ / "shared/settings.ini").find(kBarHeight + "=12\r\n"), std::string::npos);
  EXPECT_EQ(Changed(before, Snapshot(work_)),
            (std::vector<std::string>{"out/b.png", "shared/settings.ini", "tmp/EN13tem.bmp"}));
}

// A batch long enough to act on the settings file while it runs.
class SettingsFileDuringARun : public SettingsFile {
 protected:
  pid_t StartLongBatch() {
    const std::vector<std::string> args = {"batch-ean13", "--fixed", "69012345", "--start", "0000",
                                           "--end", "0299", "--dir", "out", "--set", "条码高度=12",
                                           "--save-settings"};
    return Start(CommandLine(args) + " >/dev/null 2>" + Quote((work_ / "batch.err").string()));
  }
  // Waits for the first picture; false when the run ended before it came.
  bool WhenTheFirstPictureIsThere(pid_t pid) {
    for (int i = 0; i < 60000; ++i) {
      if (!FilesIn(work_ / "out").empty()) return ::waitpid(pid, nullptr, WNOHANG) == 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
};

TEST_F(SettingsFileDuringARun, DeletedIsMadeAgainWithTheSettings) {
  Put(Ini(), kSection + kResolution + "=300\r\n");
  pid_t pid = StartLongBatch();
  ASSERT_TRUE(WhenTheFirstPictureIsThere(pid));
  fs::remove(Ini());
  Outcome o = Wait(pid);
  EXPECT_EQ(o.exit_code, 0) << Slurp(work_ / "batch.err");
  EXPECT_NE(Slurp(Ini()).find(kBarHeight + "=12\r\n"), std::string::npos);
  EXPECT_EQ(FilesIn(work_ / "out").size(), 300u);
}

TEST_F(SettingsFileDuringARun, ChangedMeanwhileIsNotOverwritten) {
  Put(Ini(), kSection + kResolution + "=300\r\n");
  pid_t pid = StartLongBatch();
  ASSERT_TRUE(WhenTheFirstPictureIsThere(pid));
  // Another run saved its own settings in the meantime.
  const std::string theirs = kSection + kResolution + "=600\r\n";
  Put(Ini(), theirs);
  Outcome o = Wait(pid);
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_EQ(Slurp(work_ / "batch.err"), NotSaved("boot.ini changed while the command ran"));
  EXPECT_EQ(Slurp(Ini()), theirs);
  EXPECT_EQ(FilesIn(work_ / "out").size(), 300u) << "the pictures are made all the same";
}

}  // namespace
}  // namespace barvell::cli_testing
