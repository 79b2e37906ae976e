// The program's handler names from app/handlers.def (BARVELL_HANDLER(name) lines, in
// table order). A handler's offset from the code base is its position times the stride.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace barvell::tools {

class HandlerNames {
 public:
  // Reads the list; a line that is neither blank, a comment nor one entry is an error.
  static std::optional<HandlerNames> Read(const std::string& path, std::string* error);
  static std::optional<HandlerNames> Parse(std::string_view text, std::string* error);

  std::optional<int32_t> OffsetOf(std::string_view name) const;
  // The name at an offset, or nullopt when the offset names no entry.
  std::optional<std::string> NameAt(int32_t offset) const;

 private:
  std::vector<std::string> names_;
};

}  // namespace barvell::tools
