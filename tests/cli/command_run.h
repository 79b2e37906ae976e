// The barvell command run as a subprocess in a private work folder, for the tests of bad
// inputs and faults: its outcome with its peak memory, a snapshot of every file under the
// work folder to show what changed, and the pictures read back with zbarimg.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace barvell::cli_testing {

namespace fs = std::filesystem;

struct Outcome {
  int exit_code = -1;
  std::string out;
  std::string err;
  long peak_kib = 0;  // the child's largest resident set
};

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::string bytes(size_t(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), std::streamsize(bytes.size()));
  return bytes;
}

inline void Put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

// The output of a shell command line ("" when it fails).
inline std::string Capture(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

// What zbarimg reads in a picture: "EAN-13:6901234567892\n" and the like.
inline std::string Scan(const fs::path& picture) {
  return Capture("zbarimg --quiet " + Quote(picture.string()) + " 2>/dev/null");
}

// Every file under a folder (links as links, not followed) with its bytes.
using Tree = std::map<std::string, std::string>;
inline Tree Snapshot(const fs::path& root) {
  Tree tree;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it); it.increment(ec)) {
    const fs::path rel = it->path().lexically_relative(root);  // links not resolved
    if (it->is_symlink()) {
      tree[rel.string()] = "-> " + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      tree[rel.string() + "/"] = "";
    } else {
      tree[rel.string()] = Slurp(it->path());
    }
  }
  return tree;
}

// The names in `after` that are not in `before`, and those whose content changed.
inline std::vector<std::string> Changed(const Tree& before, const Tree& after) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : after) {
    auto old = before.find(name);
    if (old == before.end() || old->second != bytes) names.push_back(name);
  }
  for (const auto& [name, bytes] : before) {
    if (!after.count(name)) names.push_back("(gone) " + name);
  }
  return names;
}

inline size_t Count(const std::string& text, const std::string& piece) {
  size_t n = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++n;
  return n;
}

class CommandRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/barvell-bad-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    work_ = pattern;
    fs::create_directories(work_ / "tmp");
    fs::create_directories(work_ / "prog");
    fs::create_directories(work_ / "out");
    program_ = work_ / "prog" / "barvell";
    // A copy in a folder of its own, so that its boot.ini is the test's.
    fs::copy_file(BARVELL_BINARY, program_);
  }
  void TearDown() override {
    std::error_code ec;
    for (auto& e : fs::recursive_directory_iterator(work_, ec)) {
      if (e.is_directory() && !e.is_symlink()) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(work_, ec);
  }

  // The command line that runs barvell in `work_` with the private temporary directory.
  std::string CommandLine(const std::vector<std::string>& args, const std::string& prefix = "") const {
    // Under the sanitizers the child's own leak report must not end up in its stderr.
    std::string command = "cd " + Quote(work_.string()) +
                          " && export LSAN_OPTIONS=\"${LSAN_OPTIONS:-}:print_suppressions=0\" TMPDIR=" +
                          Quote((work_ / "tmp").string()) + " && exec " + prefix + Quote(program_.string());
    for (const std::string& a : args) command += " " + Quote(a);
    return command;
  }

  // Runs it to the end under a generous time limit (a hang fails, speed is not measured).
  Outcome Run(const std::vector<std::string>& args, const std::string& tag = "run") {
    const fs::path out = work_ / (tag + ".out"), err = work_ / (tag + ".err");
    std::string command = CommandLine(args, "timeout 120 ") + " >" + Quote(out.string()) + " 2>" +
                          Quote(err.string());
    Outcome o = Wait(Start(command));
    o.out = Slurp(out);
    o.err = Slurp(err);
    fs::remove(out);
    fs::remove(err);
    return o;
  }

  static pid_t Start(const std::string& command) {
    pid_t pid = ::fork();
    if (pid == 0) {
      ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    return pid;
  }
  static Outcome Wait(pid_t pid) {
    int status = 0;
    struct rusage usage {};
    Outcome o;
    if (::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) o.exit_code = WEXITSTATUS(status);
    o.peak_kib = usage.ru_maxrss;
    return o;
  }

  std::vector<std::string> FilesIn(const fs::path& dir) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Every picture in the folder holds the EAN-13 code of its name.
  void ExpectEachPictureIsItsCode(const fs::path& dir, const std::string& symbology = "EAN-13") const {
    for (const std::string& name : FilesIn(dir)) {
      std::string code = name.substr(0, name.rfind('.'));
      EXPECT_EQ(Scan(dir / name), symbology + ":" + code + "\n") << name;
    }
  }

  fs::path Ini() const { return work_ / "prog" / "boot.ini"; }

  fs::path work_;
  fs::path program_;
};

}  // namespace barvell::cli_testing
