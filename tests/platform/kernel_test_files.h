// A private directory per test for the kernel's file tests, removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace barvell::testing {

class TestDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("barvell_kernel_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  std::string Path(std::string_view name) const { return (dir_ / name).string(); }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Put(const std::string& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  size_t Entries() const { return size_t(std::distance(std::filesystem::directory_iterator(dir_), {})); }

  std::filesystem::path dir_;
};

// The super-user passes every permission check, so permission tests run `body` in a child
// that has dropped to the unprivileged user 65534. Its exit code is the answer: 1 true,
// 0 false, anything else a failure.
inline bool IsRoot() { return ::geteuid() == 0; }
inline int AsNobody(const std::function<bool()>& body) {
  pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    ::_exit(body() ? 1 : 0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace barvell::testing
