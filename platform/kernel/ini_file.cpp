#include "platform/kernel/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/kernel/file_names.h"
#include "platform/kernel/file_writes.h"

namespace barvell::platform {

namespace {

// No settings file of ours comes near this; a larger file is not read into memory.
constexpr uint64_t kMaxProfileFileBytes = uint64_t{64} << 20;
constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kNewLineEnd = "\r\n";

struct Line {
  std::string text;  // without its line end
  std::string end;   // "\r\n", "\n" or "" (the last line of a file without one)
};

std::vector<Line> SplitLines(std::string_view ini) {
  std::vector<Line> lines;
  while (!ini.empty()) {
    size_t lf = ini.find('\n');
    std::string_view line = lf == std::string_view::npos ? ini : ini.substr(0, lf + 1);
    ini.remove_prefix(line.size());
    // A CR ends a line only before its LF: a lone CR at the end of the file stays in the
    // line's text, or a line appended after it would be read as part of it.
    size_t end = line.size();
    if (end > 0 && line[end - 1] == '\n') {
      --end;
      if (end > 0 && line[end - 1] == '\r') --end;
    }
    lines.push_back({std::string(line.substr(0, end)), std::string(line.substr(end))});
  }
  return lines;
}

std::string JoinLines(const std::vector<Line>& lines) {
  std::string out;
  for (const Line& line : lines) out += line.text + line.end;
  return out;
}

std::string_view Trim(std::string_view s) {
  size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// Offset of a single-byte character c (not the trail byte of a double-byte one), or npos.
size_t FindChar(std::string_view s, char c) {
  for (size_t i = 0; i < s.size(); i += GbkCharLength(s, i)) {
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

// The name of a "[section]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  t.remove_prefix(1);
  return Trim(t.substr(0, FindChar(t, ']')));
}

struct KeyLine {
  std::string_view key;
  std::string_view raw_value;  // after "=", blanks and quotes still there
};

std::optional<KeyLine> KeyOf(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  size_t equals = t.find('=');  // '=' is below every trail byte
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view key = Trim(t.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return KeyLine{key, t.substr(equals + 1)};
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// A value as long as a read may give, whole characters only.
std::string CutValue(std::string_view v) {
  size_t keep = 0;
  while (keep < v.size() && keep + GbkCharLength(v, keep) <= kMaxProfileValueBytes) {
    keep += GbkCharLength(v, keep);
  }
  return std::string(v.substr(0, keep));
}

std::string ValueOf(std::string_view raw) {
  std::string_view v = Trim(raw);
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return CutValue(v);
}

// Index of the first line of the first section named `section`, or lines.size().
size_t FindSection(const std::vector<Line>& lines, std::string_view section, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i) {
    std::optional<std::string_view> name = SectionName(lines[i].text);
    if (name && SameNameIgnoringCase(*name, section)) return i;
  }
  return lines.size();
}

// One past the last line of the section whose header is at `header`.
size_t SectionEnd(const std::vector<Line>& lines, size_t header) {
  size_t i = header + 1;
  while (i < lines.size() && !SectionName(lines[i].text)) ++i;
  return i;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A lead byte with nothing after it: in "[name]" it would take the "]" as its trail byte.
bool EndsInHalfCharacter(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && i + GbkCharLength(s, i) < s.size()) i += GbkCharLength(s, i);
  return i < s.size() && GbkCharLength(s, i) == 1 && uint8_t(s[i]) >= 0x81;
}

// What the file must hold for `value` to read back as itself.
std::string StoredValue(std::string_view value) {
  bool needs_quotes = !value.empty() &&
                      (kBlanks.find(value.front()) != std::string_view::npos ||
                       kBlanks.find(value.back()) != std::string_view::npos ||
                       (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
  return needs_quotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

// The line before an appended one must have a line end of its own.
void EndLastLine(std::vector<Line>& lines, size_t before) {
  if (before > 0 && lines[before - 1].end.empty()) lines[before - 1].end = kNewLineEnd;
}

enum class FileRead { kOk, kMissing, kUnreadable };

FileRead ReadSmallFile(const std::string& path, std::string& bytes) {
  // O_NONBLOCK: a FIFO under the file's name must not stall the read.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kUnreadable;
  struct stat st;
  FileRead result = FileRead::kUnreadable;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && uint64_t(st.st_size) <= kMaxProfileFileBytes) {
    bytes.resize(size_t(st.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
      ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += size_t(n);
    }
    // A file that shrank while being read is taken as far as it went.
    bytes.resize(got);
    result = FileRead::kOk;
  }
  ::close(fd);
  return result;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view ini, std::string_view section,
                                            std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty()) return std::nullopt;
  std::vector<Line> lines = SplitLines(ini);
  size_t header = FindSection(lines, section);
  if (header == lines.size()) return std::nullopt;
  size_t end = SectionEnd(lines, header);
  for (size_t i = header + 1; i < end; ++i) {
    std::optional<KeyLine> line = KeyOf(lines[i].text);
    if (line && SameNameIgnoringCase(line->key, key)) return ValueOf(line->raw_value);
  }
  return std::nullopt;
}

std::optional<std::string> EditProfile(std::string_view ini, std::string_view section,
                                       std::optional<std::string_view> key,
                                       std::optional<std::string_view> value) {
  section = Trim(section);
  if (section.empty() || HasLineBreak(section) || FindChar(section, ']') != std::string_view::npos ||
      EndsInHalfCharacter(section)) {
    return std::nullopt;
  }
  std::vector<Line> lines = SplitLines(ini);

  if (!key) {
    // Every section of the name goes, so that none of its namesakes shows through.
    for (size_t header = FindSection(lines, section); header < lines.size();
         header = FindSection(lines, section, header)) {
      lines.erase(lines.begin() + ptrdiff_t(header), lines.begin() + ptrdiff_t(SectionEnd(lines, header)));
    }
    return JoinLines(lines);
  }

  std::string_view name = Trim(*key);
  if (name.empty() || HasLineBreak(name) || name.find('=') != std::string_view::npos ||
      name[0] == '[' || name[0] == ';') {
    return std::nullopt;
  }
  if (value && HasLineBreak(*value)) return std::nullopt;

  size_t header = FindSection(lines, section);
  if (header == lines.size()) {
    if (!value) return std::string(ini);
    EndLastLine(lines, lines.size());
    lines.push_back({"[" + std::string(section) + "]", std::string(kNewLineEnd)});
    lines.push_back({std::string(name) + "=" + StoredValue(*value), std::string(kNewLineEnd)});
    return JoinLines(lines);
  }

  size_t end = SectionEnd(lines, header);
  size_t last_filled = header;  // a new key goes after the section's last non-blank line
  for (size_t i = header + 1; i < end; ++i) {
    std::optional<KeyLine> line = KeyOf(lines[i].text);
    if (line && SameNameIgnoringCase(line->key, name)) {
      if (!value) {
        lines.erase(lines.begin() + ptrdiff_t(i));
        --i;
        --end;
        continue;
      }
      // The key keeps the spelling it has in the file.
      lines[i].text = std::string(line->key) + "=" + StoredValue(*value);
      return JoinLines(lines);
    }
    if (!Trim(lines[i].text).empty()) last_filled = i;
  }
  if (value) {
    size_t at = last_filled + 1;
    EndLastLine(lines, at);
    lines.insert(lines.begin() + ptrdiff_t(at),
                 Line{std::string(name) + "=" + StoredValue(*value), std::string(kNewLineEnd)});
  }
  return JoinLines(lines);
}

std::string ReadProfileString(std::string_view gbk_file, std::string_view section,
                              std::string_view key, std::string_view default_value) {
  std::string bytes;
  if (!gbk_file.empty() && ReadSmallFile(NativePath(gbk_file), bytes) == FileRead::kOk) {
    if (std::optional<std::string> value = FindProfileValue(bytes, section, key)) return *value;
  }
  size_t last = default_value.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string() : CutValue(default_value.substr(0, last + 1));
}

bool WriteProfileString(std::string_view gbk_file, std::string_view section,
                        std::optional<std::string_view> key,
                        std::optional<std::string_view> value) {
  if (gbk_file.empty()) return false;
  std::string path = NativePath(gbk_file);
  std::string bytes;
  FileRead read = ReadSmallFile(path, bytes);
  if (read == FileRead::kUnreadable) return false;
  std::optional<std::string> edited = EditProfile(bytes, section, key, value);
  if (!edited || !FileReplaceable(path)) return false;
  // Nothing to change: the file stays as it is (and a missing one is not made for it).
  if (read == FileRead::kOk ? *edited == bytes : edited->empty()) return true;
  return ReplaceFile(path, std::span(reinterpret_cast<const uint8_t*>(edited->data()), edited->size()));
}

}  // namespace barvell::platform
