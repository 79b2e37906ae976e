#include "entry/private_settings.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <system_error>
#include <variant>

#include "entry/input_files.h"
#include "platform/kernel/file_writes.h"

namespace barvell::entry {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsFile = "boot.ini";

bool WriteNew(const fs::path& path, const std::string& bytes) {
  return platform::ReplaceFile(path.string(), std::span(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                        bytes.size()));
}

// The real file's bytes; nullopt when there is none (a dangling link counts as none).
std::variant<std::optional<std::string>, std::string> ReadReal(const fs::path& real) {
  std::error_code ec;
  fs::file_status st = fs::status(real, ec);
  if (st.type() == fs::file_type::not_found) return std::optional<std::string>();
  if (st.type() != fs::file_type::regular) return std::string("boot.ini is no regular file");
  std::variant<std::string, InputError> bytes = ReadInputFile(real.string());
  if (auto* e = std::get_if<InputError>(&bytes)) return e->message;
  return std::optional<std::string>(std::move(std::get<std::string>(bytes)));
}

}  // namespace

bool PrivateSettings::Prepare(const std::string& program_directory) {
  program_directory_ = program_directory;
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string pattern = (base / "barvell-run-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return false;
  private_directory_ = pattern;
  // A file that cannot be read is not copied: the program then starts with its defaults,
  // as it does on the desktop, and the file is never replaced by them.
  auto real = ReadReal(fs::path(program_directory) / kSettingsFile);
  if (auto* why = std::get_if<std::string>(&real)) {
    not_copied_ = *why;
    return true;
  }
  original_ = std::get<std::optional<std::string>>(real);
  if (original_ && !WriteNew(fs::path(private_directory_) / kSettingsFile, *original_)) return false;
  return true;
}

std::string PrivateSettings::SaveBack() const {
  std::error_code ec;
  fs::path copy = fs::path(private_directory_) / kSettingsFile;
  if (!fs::is_regular_file(copy, ec)) return {};  // the program wrote nothing
  if (!not_copied_.empty()) return not_copied_;
  fs::path real = fs::path(program_directory_) / kSettingsFile;
  auto now = ReadReal(real);
  if (auto* why = std::get_if<std::string>(&now)) return *why;
  const std::optional<std::string>& current = std::get<std::optional<std::string>>(now);
  // Another run saved its settings meanwhile; putting ours over them would lose theirs.
  // A file deleted meanwhile is made again.
  if (current && current != original_) return "boot.ini changed while the command ran";
  std::variant<std::string, InputError> bytes = ReadInputFile(copy.string());
  if (auto* e = std::get_if<InputError>(&bytes)) return e->message;
  // A link is followed: the file it names is replaced, the link stays; a read-only file
  // or directory is refused.
  if (!WriteNew(real, std::get<std::string>(bytes))) return "boot.ini could not be replaced";
  return {};
}

void PrivateSettings::Discard() {
  if (private_directory_.empty()) return;
  std::error_code ec;
  fs::remove_all(private_directory_, ec);
  private_directory_.clear();
}

}  // namespace barvell::entry
