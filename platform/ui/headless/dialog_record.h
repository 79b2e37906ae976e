#pragma once
// What a person in front of the headless window system saw of the dialogs: one entry per
// dialog shown (and per document handed to the shell), in order, with the answer given.
// Tests read the entries; the command line prints them as a transcript.

#include <string>
#include <vector>

namespace barvell::ui {

enum class DialogKind { kMessageBox, kOpenFile, kSaveFile, kFolder, kColour, kShellOpen };

struct ShownDialog {
  DialogKind kind = DialogKind::kMessageBox;
  std::string title;  // caption or dialog title, UTF-8
  // The message; for file dialogs the initial name; for the shell the document or address.
  std::string text;
  unsigned flags = 0;  // message-box style, file-dialog or folder flags as shown
  // The button ("OK", "Yes", ...), the chosen path or colour ("#RRGGBB"); empty when the
  // dialog was cancelled.
  std::string answer;
};

const char* DialogKindName(DialogKind kind);

// One line per dialog: kind, title in brackets, flags in hex, text, then "->" and the
// answer (or "cancelled").
std::string Transcript(const std::vector<ShownDialog>& shown);

}  // namespace barvell::ui
