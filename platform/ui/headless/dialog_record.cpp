#include "platform/ui/headless/dialog_record.h"

#include <cstdio>

namespace barvell::ui {

const char* DialogKindName(DialogKind kind) {
  switch (kind) {
    case DialogKind::kMessageBox: return "message box";
    case DialogKind::kOpenFile: return "open file";
    case DialogKind::kSaveFile: return "save file";
    case DialogKind::kFolder: return "folder";
    case DialogKind::kColour: return "colour";
    case DialogKind::kShellOpen: return "shell open";
  }
  return "dialog";
}

namespace {

// A message's line breaks shown as "\n", so that one dialog stays one line.
std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

}  // namespace

std::string Transcript(const std::vector<ShownDialog>& shown) {
  std::string out;
  for (const ShownDialog& d : shown) {
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%X", d.flags);
    out += std::string(DialogKindName(d.kind)) + " [" + d.title + "] " + flags + " " +
           OneLine(d.text) + " -> " + (d.answer.empty() ? "cancelled" : d.answer) + "\n";
  }
  return out;
}

}  // namespace barvell::ui
