// The command line's script language: one input action of a person per line. Every
// subcommand is a script too, so a picture made from the command line goes through the
// same clicks, keys and dialog answers as one made by hand.
//
//   # a comment (a line whose first word begins with #); blank lines are skipped
//   type CONTROL TEXT        focus the control and type TEXT character by character
//   paste CONTROL TEXT       replace the control's whole content with TEXT, as pasted
//   click CONTROL            a left click in the middle of the control
//   choose CONTROL ITEM      pick a drop-down item, by its text or its 0-based index
//   colour CONTROL COLOUR    choose a colour through the picker (#RRGGBB or decimal)
//   key KEY                  press a key: Enter, Tab, Esc, Space, Back, Delete, F1..F12,
//                            a letter or digit; prefixes Ctrl+, Shift+, Alt+
//   menu CAPTION             click the menu item with that caption in the active window
//   close                    close the active window with its close box
//   answer-save PATH|cancel  how the next file dialog is answered
//   answer-folder PATH|cancel
//                            how the next folder chooser is answered
//   answer-box BUTTON        how the next message box is answered: ok, cancel, yes, no,
//                            abort, retry, ignore (unanswered boxes take their default)
//   answer-colour COLOUR|cancel
//                            how the next colour dialog is answered
//   print CONTROL            print the control's text on standard output
//   window CAPTION           look controls up in that window from now on ("active": the
//                            active window, which is the default)
//
// CONTROL is a control's name in its window ("编辑框1", "按钮4") or the caption of a
// button when exactly one button of the window carries it ("计算编码"). Arguments are
// separated by blanks; an argument holding blanks is written in double quotes, where \"
// \\ \t and \n (a line break of a multi-line box: CR LF) may be used.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace barvell::entry {

struct Action {
  std::string verb;
  std::vector<std::string> args;  // UTF-8
  int line = 0;                   // in the script file; 0 for actions a subcommand made
};

using Script = std::vector<Action>;

struct ScriptError {
  int line = 0;
  std::string message;
};

// Parses a script's text; the first malformed line is the error.
std::variant<Script, ScriptError> ParseScript(const std::string& text);

// Whether the verb is one of the language and takes that many arguments.
bool IsKnownVerb(const std::string& verb, size_t arg_count);

}  // namespace barvell::entry
