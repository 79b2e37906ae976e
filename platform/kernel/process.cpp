#include "platform/kernel/process.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/kernel/file_names.h"
#include "platform/text/gbk.h"

namespace barvell::platform {

std::string ModuleFileName() {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return Utf8ToGbk(self.string());
}

bool SetCurrentDirectory(std::string_view path) {
  std::string native = NativePath(path);
  return !native.empty() && ::chdir(native.c_str()) == 0;
}

std::string CurrentDirectory() {
  std::error_code ec;
  std::filesystem::path here = std::filesystem::current_path(ec);
  return ec ? std::string() : Utf8ToGbk(here.string());
}

namespace {
bool DebuggerAttached() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("TracerPid:", 0) == 0) return std::atoi(line.c_str() + 10) != 0;
  }
  return false;
}
}  // namespace

void RequestDebuggerBreak() {
  if (DebuggerAttached()) std::raise(SIGTRAP);
}

void ExitProcess(int32_t exit_code) {
  std::fflush(nullptr);
  std::_Exit(exit_code);
}

}  // namespace barvell::platform
