#include "platform/ui/headless/edit_model.h"

#include <algorithm>

#include "platform/ui/keys.h"
#include "platform/ui/utf8.h"

namespace barvell::ui {

void EditModel::SetText(const std::string& utf8) {
  text_ = DecodeUtf8(utf8);
  start_ = end_ = static_cast<int>(text_.size());
}

std::string EditModel::Text() const { return EncodeUtf8(text_); }

void EditModel::Select(int start, int end) {
  const int n = static_cast<int>(text_.size());
  // A negative start removes the selection, as the native edit does.
  if (start < 0) {
    start_ = end_ = std::clamp(end, 0, n);
    return;
  }
  if (end < 0) end = n;
  start_ = std::clamp(std::min(start, end), 0, n);
  end_ = std::clamp(std::max(start, end), 0, n);
}

void EditModel::Insert(const std::u32string& s) {
  text_.replace(start_, end_ - start_, s);
  start_ = end_ = start_ + static_cast<int>(s.size());
}

void EditModel::ReplaceSelection(const std::string& utf8) { Insert(DecodeUtf8(utf8)); }

void EditModel::Append(const std::string& utf8) {
  text_ += DecodeUtf8(utf8);
  start_ = end_ = static_cast<int>(text_.size());
}

bool EditModel::TypeCharacter(char32_t c) {
  if (readOnly_) return false;
  if (c == 8) {  // back-space: the selection, or the character before the caret
    if (start_ == end_) {
      if (start_ == 0) return false;
      // "\r\n" goes as one line break.
      int from = start_ - 1;
      if (from > 0 && text_[from] == U'\n' && text_[from - 1] == U'\r') --from;
      start_ = from;
    }
    Insert(U"");
    return true;
  }
  if (c == 13) {
    if (!multiLine_) return false;
    Insert(U"\r\n");
    return true;
  }
  if (c == 9) {
    if (!multiLine_) return false;
    Insert(U"\t");
    return true;
  }
  if (c < 32 || c == 127) return false;  // other control characters insert nothing
  Insert(std::u32string(1, c));
  return true;
}

bool EditModel::Paste(const std::string& utf8) {
  if (readOnly_) return false;
  std::u32string s = DecodeUtf8(utf8);
  if (!multiLine_) {
    // A one-line box takes the clipboard's first line only.
    std::size_t br = s.find_first_of(U"\r\n");
    if (br != std::u32string::npos) s.resize(br);
  }
  if (s.empty() && start_ == end_) return false;
  Insert(s);
  return true;
}

bool EditModel::DeleteForward() {
  if (readOnly_) return false;
  if (start_ == end_) {
    const int n = static_cast<int>(text_.size());
    if (end_ >= n) return false;
    end_ = start_ + ((text_[start_] == U'\r' && start_ + 1 < n && text_[start_ + 1] == U'\n') ? 2 : 1);
  }
  Insert(U"");
  return true;
}

void EditModel::MoveCaret(int k) {
  const int n = static_cast<int>(text_.size());
  int caret = end_;
  if (k == key::kLeft) caret = start_ != end_ ? start_ : std::max(0, caret - 1);
  else if (k == key::kRight) caret = start_ != end_ ? end_ : std::min(n, caret + 1);
  else if (k == key::kHome) caret = 0;
  else if (k == key::kEnd) caret = n;
  else return;
  start_ = end_ = caret;
}

}  // namespace barvell::ui
