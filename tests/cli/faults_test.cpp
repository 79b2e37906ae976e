// Faults of the machine while a batch runs: the storage folder turned read-only or taken
// away, a full disk under the pictures, the temporary picture or boot.ini, and a second
// instance of the program making its own batch at the same time. Each code is either
// saved whole under its own name or reported as not saved; nothing else changes.
#include <chrono>
#include <thread>

#include "command_run.h"

namespace barvell::cli_testing {
namespace {

const std::string kNotSaved = "文件保存失败\n";

class Faults : public CommandRun {
 protected:
  // 69012345 0000 .. 0149 with their check digits: 150 codes.
  std::vector<std::string> Batch(const std::string& dir, const std::string& fixed = "69012345",
                                 const std::string& end = "0149") const {
    return {"batch-ean13", "--fixed", fixed, "--start", "0000", "--end", end, "--dir", dir};
  }
  pid_t StartBatch(const std::vector<std::string>& args, const std::string& tag) {
    return Start(CommandLine(args) + " >" + Quote((work_ / (tag + ".out")).string()) + " 2>" +
                 Quote((work_ / (tag + ".err")).string()));
  }
  Outcome Finish(pid_t pid, const std::string& tag) {
    Outcome o = Wait(pid);
    o.out = Slurp(work_ / (tag + ".out"));
    o.err = Slurp(work_ / (tag + ".err"));
    fs::remove(work_ / (tag + ".out"));
    fs::remove(work_ / (tag + ".err"));
    return o;
  }
  // Waits until the folder holds `count` files while the run goes on; false when it ended.
  bool WhenFilesAreThere(pid_t pid, const fs::path& dir, size_t count) {
    for (int i = 0; i < 60000; ++i) {
      if (FilesIn(dir).size() >= count) return ::waitpid(pid, nullptr, WNOHANG) == 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  // Only the batch's messages, each a line.
  static bool OnlyNotSaved(const std::string& err) { return Count(err, kNotSaved) * kNotSaved.size() == err.size(); }
};

TEST_F(Faults, AStorageFolderTurnedReadOnlyMidwayGetsNoMoreAndEachMissingCodeIsReported) {
  pid_t pid = StartBatch(Batch("out"), "batch");
  ASSERT_TRUE(WhenFilesAreThere(pid, work_ / "out", 5));
  fs::permissions(work_ / "out", fs::perms::owner_read | fs::perms::owner_exec);
  Outcome o = Finish(pid, "batch");
  fs::permissions(work_ / "out", fs::perms::owner_all);

  EXPECT_EQ(o.exit_code, 1);
  EXPECT_TRUE(OnlyNotSaved(o.err)) << o.err;
  std::vector<std::string> files = FilesIn(work_ / "out");
  EXPECT_EQ(files.size() + Count(o.err, kNotSaved), 150u) << "every code saved or reported";
  EXPECT_LT(files.size(), 150u);
  ExpectEachPictureIsItsCode(work_ / "out");
}

TEST_F(Faults, AStorageFolderTakenAwayMidwayIsNotMadeAgain) {
  pid_t pid = StartBatch(Batch("out"), "batch");
  ASSERT_TRUE(WhenFilesAreThere(pid, work_ / "out", 5));
  fs::rename(work_ / "out", work_ / "moved");
  Outcome o = Finish(pid, "batch");

  EXPECT_EQ(o.exit_code, 1);
  EXPECT_TRUE(OnlyNotSaved(o.err)) << o.err;
  EXPECT_FALSE(fs::exists(work_ / "out"));
  // The pictures made before are where the folder went. A save caught by the move may
  // leave its hidden temporary file there (its code is reported as not saved).
  std::vector<std::string> files = FilesIn(work_ / "moved");
  size_t caught = std::erase_if(files, [](const std::string& f) { return f.starts_with(".barvell-"); });
  EXPECT_LE(caught, 1u);
  for (const std::string& f : FilesIn(work_ / "moved")) {
    if (f.starts_with(".barvell-")) fs::remove(work_ / "moved" / f);
  }
  EXPECT_EQ(files.size() + Count(o.err, kNotSaved), 150u);
  ExpectEachPictureIsItsCode(work_ / "moved");
  EXPECT_EQ(FilesIn(work_), (std::vector<std::string>{"moved", "prog", "tmp"}));
}

// A real full disk: a small tmpfs mounted in a private mount namespace, which needs user
// namespaces. What the command left on it is copied out before the namespace goes.
class FullDisk : public Faults {
 protected:
  void SetUp() override {
    Faults::SetUp();
    if (std::system("unshare -rm true >/dev/null 2>&1") != 0) GTEST_SKIP() << "no user namespaces here";
    fs::create_directories(work_ / "disk");
    fs::create_directories(work_ / "seen");
  }
  // Mounts `kib` KiB on work/disk, runs `setup` there, then barvell, then copies the disk out.
  Outcome RunOnSmallDisk(int kib, const std::string& setup, const std::string& barvell) {
    const std::string disk = Quote((work_ / "disk").string());
    std::string script = "mount -t tmpfs -o mode=0700,size=" + std::to_string(kib) + "k none " + disk + " && " +
                         setup + " ; (" + barvell + ") >" + Quote((work_ / "fd.out").string()) + " 2>" +
                         Quote((work_ / "fd.err").string()) + "; code=$?; cp -a " + disk + "/. " +
                         Quote((work_ / "seen").string()) + "; exit $code";
    Outcome o = Wait(Start("unshare -rm sh -c " + Quote(script)));
    o.out = Slurp(work_ / "fd.out");
    o.err = Slurp(work_ / "fd.err");
    return o;
  }
};

TEST_F(FullDisk, PicturesThatDoNotFitAreReportedAndNoneIsCutShort) {
  const std::string dir = (work_ / "disk/labels").string();
  Outcome o = RunOnSmallDisk(64, "mkdir " + Quote(dir), CommandLine(Batch(dir, "69012345", "0299")));
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_TRUE(OnlyNotSaved(o.err)) << o.err;
  std::vector<std::string> files = FilesIn(work_ / "seen/labels");
  EXPECT_GT(files.size(), 0u);
  EXPECT_EQ(files.size() + Count(o.err, kNotSaved), 300u);
  for (const std::string& f : files) EXPECT_EQ(f.find(".tmp"), std::string::npos) << f;
  ExpectEachPictureIsItsCode(work_ / "seen/labels");
}

TEST_F(FullDisk, ATemporaryPictureThatDoesNotFitIsNeverSavedUnderACode) {
  // An older, smaller temporary picture of another code, then a disk too full for a new one.
  fs::create_directories(work_ / "old");
  Outcome older = Run({"product", "4006381333931", "--set", "height=10", "-o", "old/x.png"});
  ASSERT_EQ(older.exit_code, 0) << older.err;
  EXPECT_EQ(Scan(work_ / "old/x.png"), "EAN-13:4006381333931\n");
  const std::string disk = (work_ / "disk").string();
  const std::string setup = "cp " + Quote((work_ / "tmp/EN13tem.bmp").string()) + " " + Quote(disk) +
                            " && cat /dev/zero > " + Quote(disk + "/filler") + " 2>/dev/null";
  std::string command = CommandLine(Batch("out", "69012345", "0004"));
  command.replace(command.find((work_ / "tmp").string()), (work_ / "tmp").string().size(), disk);
  Outcome o = RunOnSmallDisk(512, setup, command);
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_EQ(o.err, kNotSaved + kNotSaved + kNotSaved + kNotSaved + kNotSaved);
  EXPECT_TRUE(FilesIn(work_ / "out").empty()) << "the older picture is not converted in its place";
}

TEST_F(FullDisk, SettingsThatDoNotFitLeaveTheOldBootIniWhole) {
  const std::string disk = (work_ / "disk").string();
  const std::string ini = "[\xCC\xF5\xC2\xEB\xC9\xFA\xB3\xC9]\r\n";
  Put(work_ / "old.ini", ini);
  // The program itself on the small disk, so that its boot.ini is there; then the disk full.
  const std::string setup = "cp " + Quote(program_.string()) + " " + Quote(disk) + " && cp " +
                            Quote((work_ / "old.ini").string()) + " " + Quote(disk + "/boot.ini") +
                            " && cat /dev/zero > " + Quote(disk + "/filler") + " 2>/dev/null";
  program_ = work_ / "disk/barvell";
  const long kib = long(fs::file_size(work_ / "prog/barvell") / 1024) + 64;
  Outcome o = RunOnSmallDisk(int(kib), setup,
                             CommandLine({"product", "6901234567892", "--set", "条码高度=12",
                                          "--save-settings", "-o", "out/a.png"}));
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_EQ(o.out, "文件保存成功\n");
  EXPECT_EQ(o.err, "barvell: the settings could not be saved to boot.ini (boot.ini could not be replaced)\n");
  EXPECT_EQ(Slurp(work_ / "seen/boot.ini"), ini);
  EXPECT_EQ(Scan(work_ / "out/a.png"), "EAN-13:6901234567892\n");
  std::vector<std::string> left = FilesIn(work_ / "seen");
  EXPECT_EQ(left, (std::vector<std::string>{"barvell", "boot.ini", "filler"})) << "no temporary file left";
}

TEST_F(Faults, TwoInstancesAtOnceEachSaveTheirOwnPictures) {
  fs::create_directories(work_ / "other");
  // Into one folder, two ranges; into another, a third range at the same time.
  pid_t a = StartBatch(Batch("out", "69012345"), "a");
  pid_t b = StartBatch(Batch("out", "40063813"), "b");
  pid_t c = StartBatch(Batch("other", "97800000"), "c");
  for (auto [pid, tag] : {std::pair{a, "a"}, std::pair{b, "b"}, std::pair{c, "c"}}) {
    Outcome o = Finish(pid, tag);
    EXPECT_EQ(o.exit_code, 0) << tag << ": " << o.err;
    EXPECT_EQ(o.err, "") << tag;
  }
  EXPECT_EQ(FilesIn(work_ / "out").size(), 300u);
  EXPECT_EQ(FilesIn(work_ / "other").size(), 150u);
  ExpectEachPictureIsItsCode(work_ / "out");
  ExpectEachPictureIsItsCode(work_ / "other");
  // Only the first instance's temporary picture stays; the others' folders went with them.
  EXPECT_EQ(FilesIn(work_ / "tmp"), std::vector<std::string>{"EN13tem.bmp"});

  // The same codes into the same folder twice at once: the last save of each wins whole.
  fs::remove_all(work_ / "other");
  fs::create_directories(work_ / "other");
  pid_t d = StartBatch(Batch("other"), "d");
  pid_t e = StartBatch(Batch("other"), "e");
  EXPECT_EQ(Finish(d, "d").exit_code, 0);
  EXPECT_EQ(Finish(e, "e").exit_code, 0);
  EXPECT_EQ(FilesIn(work_ / "other").size(), 150u);
  ExpectEachPictureIsItsCode(work_ / "other");
}

}  // namespace
}  // namespace barvell::cli_testing
