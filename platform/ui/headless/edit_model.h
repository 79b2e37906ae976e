#pragma once
// The text and selection of a headless edit box, and what typing and pasting do to them,
// as a native edit box does it.

#include <string>

namespace barvell::ui {

class EditModel {
 public:
  void Configure(bool multiLine, bool readOnly) {
    multiLine_ = multiLine;
    readOnly_ = readOnly;
  }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool ReadOnly() const { return readOnly_; }

  // Programmatic access: the caret goes to the end, as setting a native edit's text does.
  void SetText(const std::string& utf8);
  std::string Text() const;
  const std::u32string& Characters() const { return text_; }

  void Select(int start, int end);
  int SelectionStart() const { return start_; }
  int SelectionEnd() const { return end_; }
  void ReplaceSelection(const std::string& utf8);
  // At the end, caret after it, whatever was selected.
  void Append(const std::string& utf8);

  // The user's input; each returns true when the text changed.
  bool TypeCharacter(char32_t c);
  bool Paste(const std::string& utf8);
  bool DeleteForward();
  void MoveCaret(int key);  // Left, Right, Home, End

 private:
  void Insert(const std::u32string& s);

  std::u32string text_;
  int start_ = 0;
  int end_ = 0;
  bool multiLine_ = false;
  bool readOnly_ = false;
};

}  // namespace barvell::ui
