// The pieces of a text between separators, read in place one at a time: a list of 100,000
// codes is held once, not once more as 100,000 texts of the runtime.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace barvell::app {

// Cut as the runtime's SplitText cuts: empty pieces between separators are kept, a final
// separator leaves no empty last piece, and a double-byte character is stepped over as a
// unit, so its trail byte never starts a separator.
class SplitText {
 public:
  SplitText(std::string text, std::string separator)
      : text_(std::move(text)), separator_(std::move(separator)) {}

  // The next piece; false when none is left.
  bool Next(std::string& piece);

 private:
  std::string text_;
  std::string separator_;
  size_t cut_ = 0;  // where the next piece starts
};

}  // namespace barvell::app
