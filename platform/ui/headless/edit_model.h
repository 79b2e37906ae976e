#pragma once
// The text and selection of a headless edit box, and what typing and pasting do to them,
// as a native edit box does it.
//
// The text is kept as UTF-8, as it crosses the window-system interface, so a long code
// list costs a byte a digit. Positions are in characters; the selection's ends are kept
// both as characters and as byte offsets, and a new position is found by walking from the
// nearest known one (start, selection ends, end of text), so appending at the end and
// typing at the caret never walk the whole text.

#include <cstddef>
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
  const std::string& Text() const { return text_; }
  int Length() const { return length_; }  // in characters

  void Select(int start, int end);
  int SelectionStart() const { return start_.chars; }
  int SelectionEnd() const { return end_.chars; }
  void ReplaceSelection(const std::string& utf8);
  // At the end, caret after it, whatever was selected.
  void Append(const std::string& utf8);

  // The user's input; each returns true when the text changed.
  bool TypeCharacter(char32_t c);
  bool Paste(const std::string& utf8);
  bool DeleteForward();
  void MoveCaret(int key);  // Left, Right, Home, End

 private:
  struct Position {
    int chars = 0;
    std::size_t bytes = 0;
  };
  Position At(int chars) const;
  Position End() const { return {length_, text_.size()}; }
  // Replaces the selection with well-formed UTF-8 of `chars` characters.
  void Insert(const std::string& utf8, int chars);

  std::string text_;
  int length_ = 0;
  Position start_;
  Position end_;
  bool multiLine_ = false;
  bool readOnly_ = false;
};

}  // namespace barvell::ui
