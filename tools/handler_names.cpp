#include "tools/handler_names.h"

#include <fstream>
#include <sstream>

#include "barvell/call_interface.h"

namespace barvell::tools {

std::optional<HandlerNames> HandlerNames::Read(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path;
    return std::nullopt;
  }
  std::stringstream text;
  text << in.rdbuf();
  return Parse(text.str(), error);
}

std::optional<HandlerNames> HandlerNames::Parse(std::string_view text, std::string* error) {
  static constexpr std::string_view kOpen = "BARVELL_HANDLER(";
  HandlerNames names;
  size_t line_no = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == text.npos ? std::string_view() : text.substr(end + 1);
    ++line_no;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
    if (line.empty() || line.starts_with("//")) continue;
    if (!line.starts_with(kOpen) || !line.ends_with(")")) {
      *error = "line " + std::to_string(line_no) + ": expected BARVELL_HANDLER(name)";
      return std::nullopt;
    }
    std::string name(line.substr(kOpen.size(), line.size() - kOpen.size() - 1));
    if (name.empty() || names.OffsetOf(name)) {
      *error = "line " + std::to_string(line_no) + ": empty or repeated handler name";
      return std::nullopt;
    }
    names.names_.push_back(std::move(name));
  }
  return names;
}

std::optional<int32_t> HandlerNames::OffsetOf(std::string_view name) const {
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == name) return int32_t(i) * kHandlerStride;
  }
  return std::nullopt;
}

std::optional<std::string> HandlerNames::NameAt(int32_t offset) const {
  if (offset < 0 || offset % kHandlerStride != 0) return std::nullopt;
  size_t index = size_t(offset) / kHandlerStride;
  if (index >= names_.size()) return std::nullopt;
  return names_[index];
}

}  // namespace barvell::tools
