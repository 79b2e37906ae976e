// The files a command reads besides the settings: a script and a code list. Both are
// read whole into memory, so both are bounded, and a code list is checked line by line
// before anything runs: a line the program could not hold as it is would be saved under
// another name than the one written in the file.
#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace barvell::entry {

// Far beyond any script or list a person keeps; a larger file is refused, not read.
constexpr size_t kMaxInputFileBytes = size_t{64} << 20;
// As many lines as the batch windows make codes for one range.
constexpr size_t kMaxCodeListLines = 1000000;

struct InputError {
  std::string message;
};

// The bytes of the file (a pipe is read too), or why it cannot be: missing, unreadable,
// a directory, larger than kMaxInputFileBytes.
std::variant<std::string, InputError> ReadInputFile(const std::string& path);

// The lines of a code list (LF or CR LF; a last line without one counts), or the first
// reason to refuse it: more than kMaxCodeListLines lines, a NUL byte, or a line that is not
// UTF-8 text GBK can hold, each named by its line number.
std::variant<std::vector<std::string>, InputError> CodeListLines(const std::string& text);

}  // namespace barvell::entry
