// libFuzzer target: the INI engine over any settings text. What a write stores reads back
// as itself, a write repeated changes nothing more, a removed key or section is gone, and
// no other item reads differently afterwards. Over a file, a write reports what it did:
// the file holds the edit when it succeeds and is untouched when it fails, and nothing
// else appears beside it.
// Input: section, key, value, a second section and key, each ended by a zero byte, then
// the INI text. Inputs with fewer fields are all INI text, with fixed names.
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/file_names.h"
#include "platform/kernel/ini_file.h"

namespace {

using namespace barvell::platform;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::string_view Trim(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\v\f";
  size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) { return SameNameIgnoringCase(Trim(a), Trim(b)); }

// A name every write must accept: ASCII letters and digits, and whole double-byte characters.
bool PlainName(std::string_view name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const uint8_t b = uint8_t(name[i]);
    if (b >= 0x81 && i + 1 < name.size() && uint8_t(name[i + 1]) >= 0x40) {
      ++i;
    } else if (!(std::isalnum(b) && b < 0x80)) {
      return false;
    }
  }
  return true;
}

struct Case {
  std::string_view section, key, value, other_section, other_key, ini;
};

Case Split(std::string_view input) {
  std::vector<std::string_view> fields;
  std::string_view rest = input;
  while (fields.size() < 5) {
    size_t zero = rest.find('\0');
    if (zero == std::string_view::npos) break;
    fields.push_back(rest.substr(0, zero));
    rest.remove_prefix(zero + 1);
  }
  if (fields.size() < 5) return {"Settings", "Font", "Song", "Batch", "Folder", input};
  return {fields[0], fields[1], fields[2], fields[3], fields[4], rest};
}

// A write of `value` reads back as `value`, cut to the longest value a read gives.
void CheckReadsBack(const std::optional<std::string>& read, std::string_view value) {
  Check(read.has_value());
  if (value.size() <= kMaxProfileValueBytes) {
    Check(*read == value);
  } else {
    Check(read->size() + 1 >= kMaxProfileValueBytes && value.substr(0, read->size()) == *read);
  }
}

// The item (section, key) of `other` reads the same before and after an edit that did not
// concern it.
void CheckOtherUnchanged(const Case& c, const std::string& before, const std::string& after,
                         bool whole_section) {
  const bool concerned = SameName(c.other_section, c.section) &&
                         (whole_section || SameName(c.other_key, c.key));
  if (concerned) return;
  Check(FindProfileValue(after, c.other_section, c.other_key) ==
        FindProfileValue(before, c.other_section, c.other_key));
}

namespace fs = std::filesystem;

// A private folder for the file writes, on a memory file system where there is one (every
// write is flushed to the disk); removed at exit.
const fs::path& Folder() {
  // Never destroyed, so that the clean-up at exit still has it.
  static const fs::path* folder = [] {
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "barvell-ini-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) __builtin_trap();
    return new fs::path(pattern);
  }();
  static const bool cleanup = std::atexit([] { fs::remove_all(*folder); }) == 0;
  (void)cleanup;
  return *folder;
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void CheckFileWrite(const Case& c, const std::string& ini, const std::optional<std::string>& edited) {
  const fs::path path = Folder() / "boot.ini";
  // An empty text is a missing file: only a write that adds something may create it.
  if (!ini.empty()) std::ofstream(path, std::ios::binary).write(ini.data(), std::streamsize(ini.size()));
  const bool ok = WriteProfileString(path.string(), c.section, c.key, c.value);
  Check(ok == edited.has_value());
  Check(FileBytes(path) == (ok ? *edited : ini));
  if (ini.empty() && (!ok || edited->empty())) Check(!fs::exists(path));
  if (ok) CheckReadsBack(ReadProfileString(path.string(), c.section, c.key, ""), c.value);
  for (const fs::directory_entry& e : fs::directory_iterator(Folder())) Check(e.path() == path);
  fs::remove(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Case c = Split(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string ini(c.ini);

  if (std::optional<std::string> v = FindProfileValue(ini, c.section, c.key)) {
    Check(v->size() <= kMaxProfileValueBytes);
  }

  const std::optional<std::string> set = EditProfile(ini, c.section, c.key, c.value);
  if (PlainName(c.section) && PlainName(c.key) && c.value.find_first_of("\r\n") == std::string_view::npos) {
    Check(set.has_value());
  }
  if (set) {
    CheckReadsBack(FindProfileValue(*set, c.section, c.key), c.value);
    Check(EditProfile(*set, c.section, c.key, c.value) == set);
    CheckOtherUnchanged(c, ini, *set, false);
  }

  CheckFileWrite(c, ini, set);

  const std::optional<std::string> removed = EditProfile(ini, c.section, c.key, std::nullopt);
  if (c.value.find_first_of("\r\n") == std::string_view::npos) {
    Check(removed.has_value() == set.has_value());  // only the names can refuse it
  }
  if (removed) {
    Check(!FindProfileValue(*removed, c.section, c.key));
    Check(removed->size() <= ini.size());
    Check(EditProfile(*removed, c.section, c.key, std::nullopt) == removed);
    CheckOtherUnchanged(c, ini, *removed, false);
  }

  const std::optional<std::string> dropped = EditProfile(ini, c.section, std::nullopt, std::nullopt);
  if (dropped) {
    Check(!FindProfileValue(*dropped, c.section, c.key));
    Check(dropped->size() <= ini.size());
    CheckOtherUnchanged(c, ini, *dropped, true);
  }
  return 0;
}
