#include "platform/ui/headless/edit_model.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/keys.h"
#include "platform/ui/utf8.h"

namespace barvell::ui {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed UTF-8 sequence at p[i], or 0 when the byte there starts
// none: the same rules by which texts crossing the interface are decoded elsewhere (no
// overlong forms, no surrogates, nothing above U+10FFFF).
std::size_t SequenceAt(const unsigned char* p, std::size_t i, std::size_t n) {
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  const unsigned char b = p[i];
  if (b < 0x80) return 1;
  const int extra = (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 0;
  if (extra == 0 || i + extra >= n) return 0;
  char32_t c = b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    if ((p[i + k] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (p[i + k] & 0x3F);
  }
  if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return extra + 1;
}

// A text as stored: well-formed UTF-8 (each malformed byte becomes U+FFFD) and its number
// of characters. Well-formed input, the usual case, is taken as it is.
struct Stored {
  std::string copy;  // only when the input had to be mended
  int chars = 0;
  bool mended = false;
};

Stored Store(const std::string& utf8) {
  Stored s;
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t n = utf8.size();
  for (std::size_t i = 0; i < n; ++s.chars) {
    const std::size_t len = SequenceAt(p, i, n);
    if (len == 0 && !s.mended) {
      s.mended = true;
      s.copy.assign(utf8, 0, i);
    }
    if (s.mended) {
      if (len == 0) s.copy += kReplacement;
      else s.copy.append(utf8, i, len);
    }
    i += len == 0 ? 1 : len;  // a malformed byte resynchronises at the next one
  }
  return s;
}

const std::string& TextOf(const Stored& s, const std::string& input) {
  return s.mended ? s.copy : input;
}

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int CountCharacters(const std::string& utf8, std::size_t bytes) {
  int chars = 0;
  for (std::size_t i = 0; i < bytes; ++i) chars += !Continuation(utf8[i]);
  return chars;
}

}  // namespace

EditModel::Position EditModel::At(int chars) const {
  chars = std::clamp(chars, 0, length_);
  // Walk from the nearest position already known.
  Position p;
  for (const Position& known : {start_, end_, End()}) {
    if (std::abs(known.chars - chars) < std::abs(p.chars - chars)) p = known;
  }
  while (p.chars < chars) {
    ++p.bytes;
    while (p.bytes < text_.size() && Continuation(text_[p.bytes])) ++p.bytes;
    ++p.chars;
  }
  while (p.chars > chars) {
    --p.bytes;
    while (p.bytes > 0 && Continuation(text_[p.bytes])) --p.bytes;
    --p.chars;
  }
  return p;
}

void EditModel::SetText(const std::string& utf8) {
  Stored s = Store(utf8);
  if (s.mended) text_ = std::move(s.copy);
  else text_ = utf8;
  length_ = s.chars;
  start_ = end_ = End();
}

void EditModel::Select(int start, int end) {
  const int n = length_;
  // A negative start removes the selection, as the native edit does.
  if (start < 0) {
    start_ = end_ = At(std::clamp(end, 0, n));
    return;
  }
  if (end < 0) end = n;
  const Position from = At(std::min(start, end));
  const Position to = At(std::max(start, end));
  start_ = from;
  end_ = to;
}

void EditModel::Insert(const std::string& utf8, int chars) {
  text_.replace(start_.bytes, end_.bytes - start_.bytes, utf8);
  length_ += chars - (end_.chars - start_.chars);
  start_.chars += chars;
  start_.bytes += utf8.size();
  end_ = start_;
}

void EditModel::ReplaceSelection(const std::string& utf8) {
  const Stored s = Store(utf8);
  Insert(TextOf(s, utf8), s.chars);
}

void EditModel::Append(const std::string& utf8) {
  const Stored s = Store(utf8);
  text_ += TextOf(s, utf8);
  length_ += s.chars;
  start_ = end_ = End();
}

bool EditModel::TypeCharacter(char32_t c) {
  if (readOnly_) return false;
  if (c == 8) {  // back-space: the selection, or the character before the caret
    if (start_.chars == end_.chars) {
      if (start_.chars == 0) return false;
      Position from = At(start_.chars - 1);
      // "\r\n" goes as one line break.
      if (from.chars > 0 && text_[from.bytes] == '\n' && text_[from.bytes - 1] == '\r') {
        --from.chars;
        --from.bytes;
      }
      start_ = from;
    }
    Insert({}, 0);
    return true;
  }
  if (c == 13) {
    if (!multiLine_) return false;
    Insert("\r\n", 2);
    return true;
  }
  if (c == 9) {
    if (!multiLine_) return false;
    Insert("\t", 1);
    return true;
  }
  if (c < 32 || c == 127) return false;  // other control characters insert nothing
  Insert(EncodeUtf8(c), 1);  // one that is no character goes in as U+FFFD
  return true;
}

bool EditModel::Paste(const std::string& utf8) {
  if (readOnly_) return false;
  Stored s = Store(utf8);
  if (!s.mended) s.copy = utf8;
  if (!multiLine_) {
    // A one-line box takes the clipboard's first line only.
    const std::size_t br = s.copy.find_first_of("\r\n");
    if (br != std::string::npos) {
      s.copy.resize(br);
      s.chars = CountCharacters(s.copy, br);
    }
  }
  if (s.copy.empty() && start_.chars == end_.chars) return false;
  Insert(s.copy, s.chars);
  return true;
}

bool EditModel::DeleteForward() {
  if (readOnly_) return false;
  if (start_.chars == end_.chars) {
    if (end_.chars >= length_) return false;
    const std::size_t b = start_.bytes;
    const bool lineBreak = text_[b] == '\r' && b + 1 < text_.size() && text_[b + 1] == '\n';
    end_ = lineBreak ? Position{start_.chars + 2, b + 2} : At(start_.chars + 1);
  }
  Insert({}, 0);
  return true;
}

void EditModel::MoveCaret(int k) {
  Position caret = end_;
  if (k == key::kLeft) caret = start_.chars != end_.chars ? start_ : At(caret.chars - 1);
  else if (k == key::kRight) caret = start_.chars != end_.chars ? end_ : At(caret.chars + 1);
  else if (k == key::kHome) caret = Position{};
  else if (k == key::kEnd) caret = End();
  else return;
  start_ = end_ = caret;
}

}  // namespace barvell::ui
