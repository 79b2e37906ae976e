#include "entry/private_settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace barvell::entry {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsFile = "boot.ini";

}  // namespace

bool PrivateSettings::Prepare(const std::string& program_directory) {
  program_directory_ = program_directory;
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string pattern = (base / "barvell-run-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return false;
  private_directory_ = pattern;
  fs::path real = fs::path(program_directory) / kSettingsFile;
  if (fs::is_regular_file(real, ec)) {
    fs::copy_file(real, fs::path(private_directory_) / kSettingsFile, ec);
    if (ec) return false;
  }
  return true;
}

bool PrivateSettings::SaveBack() const {
  std::error_code ec;
  fs::path copy = fs::path(private_directory_) / kSettingsFile;
  if (!fs::is_regular_file(copy, ec)) return true;  // the program wrote nothing
  fs::path real = fs::path(program_directory_) / kSettingsFile;
  // A link is followed: the file it names is replaced, the link stays.
  // (A missing file is no error here: the copy then becomes the first boot.ini.)
  if (fs::symlink_status(real, ec).type() == fs::file_type::symlink) {
    real = fs::canonical(real, ec);
    if (ec) return false;
  }
  fs::path fresh = real;
  fresh += ".new";
  fs::copy_file(copy, fresh, fs::copy_options::overwrite_existing, ec);
  if (ec) return false;
  fs::file_status old = fs::status(real, ec);
  if (fs::exists(old)) fs::permissions(fresh, old.permissions(), ec);
  fs::rename(fresh, real, ec);
  if (ec) {
    fs::remove(fresh, ec);
    return false;
  }
  return true;
}

void PrivateSettings::Discard() {
  if (private_directory_.empty()) return;
  std::error_code ec;
  fs::remove_all(private_directory_, ec);
  private_directory_.clear();
}

}  // namespace barvell::entry
