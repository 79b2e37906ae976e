#include "platform/kernel/file_search.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/kernel/file_names.h"
#include "platform/text/gbk.h"

namespace barvell::platform {

struct FileSearch {
  std::vector<FoundFile> matches;
  size_t next = 0;
};

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameChar(std::string_view a, size_t ia, size_t la, std::string_view b, size_t ib,
              size_t lb) {
  if (la != lb) return false;
  if (la == 1) return AsciiLower(a[ia]) == AsciiLower(b[ib]);
  return a.substr(ia, la) == b.substr(ib, lb);
}

bool MatchFrom(std::string_view p, size_t ip, std::string_view n, size_t in) {
  while (ip < p.size()) {
    if (p[ip] == '*') {
      while (ip < p.size() && p[ip] == '*') ++ip;
      if (ip == p.size()) return true;
      for (size_t k = in; k <= n.size(); k += (k < n.size() ? GbkCharLength(n, k) : 1)) {
        if (MatchFrom(p, ip, n, k)) return true;
      }
      return false;
    }
    if (in >= n.size()) return false;
    size_t lp = GbkCharLength(p, ip), ln = GbkCharLength(n, in);
    if (!(p[ip] == '?' || SameChar(p, ip, lp, n, in, ln))) return false;
    ip += p[ip] == '?' ? 1 : lp;
    in += ln;
  }
  return in == n.size();
}

uint32_t AttributesOf(const std::filesystem::directory_entry& entry, const std::string& name) {
  std::error_code ec;
  uint32_t attributes = 0;
  if (entry.is_directory(ec)) {
    attributes |= kFileAttributeDirectory;
  } else {
    attributes |= kFileAttributeArchive;
  }
  if (!name.empty() && name[0] == '.') attributes |= kFileAttributeHidden;
  if (::access(entry.path().c_str(), W_OK) != 0) attributes |= kFileAttributeReadOnly;
  return attributes;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  return MatchFrom(pattern, 0, name, 0);
}

FileSearch* FindFirstFile(std::string_view pattern, FoundFile* first) {
  size_t cut = LastSeparator(pattern);
  std::string_view directory = cut == std::string_view::npos ? std::string_view(".")
                               : cut == 0                    ? pattern.substr(0, 1)
                                                             : pattern.substr(0, cut);
  std::string_view wildcard =
      cut == std::string_view::npos ? pattern : pattern.substr(cut + 1);
  if (wildcard.empty()) return nullptr;

  auto search = new FileSearch;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(NativePath(directory), ec)) {
    std::string name = Utf8ToGbk(entry.path().filename().string());
    if (WildcardMatch(wildcard, name)) search->matches.push_back({name, AttributesOf(entry, name)});
  }
  if (search->matches.empty()) {
    delete search;
    return nullptr;
  }
  *first = search->matches[0];
  search->next = 1;
  return search;
}

std::optional<FoundFile> FindNextFile(FileSearch* search) {
  if (search == nullptr || search->next >= search->matches.size()) return std::nullopt;
  return search->matches[search->next++];
}

void FindClose(FileSearch* search) { delete search; }

bool FileExists(std::string_view pattern) {
  FoundFile first;
  FileSearch* search = FindFirstFile(pattern, &first);
  FindClose(search);
  return search != nullptr;
}

}  // namespace barvell::platform
