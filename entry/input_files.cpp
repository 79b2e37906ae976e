#include "entry/input_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/text/gbk.h"

namespace barvell::entry {

namespace {

std::string LineError(size_t number, const char* what) {
  return "line " + std::to_string(number) + " of the code list " + what;
}

}  // namespace

std::variant<std::string, InputError> ReadInputFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return InputError{"cannot read " + path + ": " + std::strerror(errno)};
  std::string bytes;
  char buffer[1 << 16];
  size_t n;
  // One byte past the bound is enough to know the file is too large.
  while (bytes.size() <= kMaxInputFileBytes && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    bytes.append(buffer, n);
  }
  bool failed = std::ferror(f) != 0;
  int error = errno;
  std::fclose(f);
  if (failed) return InputError{"cannot read " + path + ": " + std::strerror(error)};
  if (bytes.size() > kMaxInputFileBytes) {
    return InputError{path + " is larger than " + std::to_string(kMaxInputFileBytes >> 20) + " MiB"};
  }
  return bytes;
}

std::variant<std::vector<std::string>, InputError> CodeListLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t lf = text.find('\n', at);
    size_t end = lf == std::string::npos ? text.size() : lf;
    std::string line = text.substr(at, end - at);
    at = lf == std::string::npos ? text.size() : lf + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t number = lines.size() + 1;
    if (number > kMaxCodeListLines) {
      return InputError{"the code list has more than " + std::to_string(kMaxCodeListLines) + " lines"};
    }
    // The program's texts end at a NUL: the rest of the list would be lost.
    if (line.find('\0') != std::string::npos) return InputError{LineError(number, "holds a NUL byte")};
    // Bytes that are no UTF-8, or characters GBK lacks, would each become "?".
    if (platform::GbkToUtf8(platform::Utf8ToGbk(line)) != line) {
      return InputError{LineError(number, "is not UTF-8 text that GBK can hold")};
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace barvell::entry
