#include "split_text.h"

namespace barvell::app {

namespace {

// The next character after `pos`: a GBK lead byte takes the byte after it along; npos when
// a lead byte ends the text.
size_t NextCharacter(const std::string& text, size_t pos) {
  if (static_cast<unsigned char>(text[pos]) < 0x80) return pos + 1;
  return pos + 1 < text.size() ? pos + 2 : std::string::npos;
}

}  // namespace

bool SplitText::Next(std::string& piece) {
  if (cut_ >= text_.size()) return false;
  size_t pos = separator_.empty() ? std::string::npos : cut_;
  for (; pos != std::string::npos && pos < text_.size(); pos = NextCharacter(text_, pos)) {
    if (text_.compare(pos, separator_.size(), separator_) == 0) {
      piece.assign(text_, cut_, pos - cut_);
      cut_ = pos + separator_.size();
      return true;
    }
  }
  piece.assign(text_, cut_);
  cut_ = text_.size();
  return true;
}

}  // namespace barvell::app
