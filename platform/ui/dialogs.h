#pragma once
// The standard dialogs, with the style and answer numbering of the platform the runtime
// was designed on, so that the program's style flags pass through unchanged.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/window_handle.h"

namespace barvell::ui {

namespace mb {
// Buttons (low four bits of the style).
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kAbortRetryIgnore = 0x2;
inline constexpr unsigned kYesNoCancel = 0x3;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kRetryCancel = 0x5;
inline constexpr unsigned kButtonMask = 0xF;
// Icons.
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr unsigned kIconMask = 0xF0;
// Default button: 0 first, 0x100 second, 0x200 third.
inline constexpr unsigned kDefaultButtonMask = 0xF00;
inline constexpr unsigned kSystemModal = 0x1000;
inline constexpr unsigned kTaskModal = 0x2000;
}  // namespace mb

// Flags of the file dialogs (the words a person's dialog was shown with, for the record).
namespace ofn {
inline constexpr unsigned kOverwritePrompt = 0x2;
inline constexpr unsigned kHideReadOnly = 0x4;
inline constexpr unsigned kNoChangeDir = 0x8;
inline constexpr unsigned kPathMustExist = 0x800;
inline constexpr unsigned kFileMustExist = 0x1000;
inline constexpr unsigned kCreatePrompt = 0x2000;
}  // namespace ofn

// Flags of the folder chooser.
namespace bif {
inline constexpr unsigned kEditBox = 0x10;
inline constexpr unsigned kBrowseIncludeFiles = 0x4000;
}  // namespace bif

// The button that closed a message box.
enum class MessageBoxAnswer { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

// The buttons a style shows, in order, and the one a box answers with when the user
// just confirms it (the default button).
std::vector<MessageBoxAnswer> MessageBoxButtons(unsigned style);
MessageBoxAnswer DefaultMessageBoxAnswer(unsigned style);

struct MessageBoxRequest {
  WindowHandle owner = kNoWindow;
  std::string text;     // UTF-8
  std::string caption;  // UTF-8
  unsigned style = 0;
};

struct FileDialogRequest {
  WindowHandle owner = kNoWindow;
  bool save = true;  // false: open an existing file
  std::string title;
  // Pairs of description and pattern ("PNG picture", "*.png").
  std::vector<std::pair<std::string, std::string>> filters;
  int filterIndex = 0;  // 0-based, the pair shown first
  std::string initialName;
  std::string initialDirectory;
  // Appended when the chosen name has no extension: the selected filter's extension when
  // it names one, else this text up to its first "|" without a leading "*." or ".".
  std::string defaultExtension;
  bool overwritePrompt = false;
  bool fileMustExist = false;
  bool pathMustExist = false;
  bool createPrompt = false;
  // Asks that the current directory stay as it is. The dialogs here never change it, so
  // this only shows in the flags.
  bool keepCurrentDirectory = false;
};

// The dialog's flags as the system's file dialog takes them (read-only box always hidden).
unsigned FileDialogFlags(const FileDialogRequest& request);

// Applies the default-extension rule of FileDialogRequest to a chosen path.
std::string CompleteFileName(const std::string& path, const FileDialogRequest& request,
                             int chosenFilter);

struct FolderRequest {
  WindowHandle owner = kNoWindow;
  std::string title;
  bool includeFiles = false;
};

// The chooser's flags: always an edit box for typing a path, files shown on request.
unsigned FolderFlags(const FolderRequest& request);

// A chosen path without trailing separators, except the one that is the root itself.
std::string WithoutTrailingSeparator(std::string path);

// The name of a message-box answer ("OK", "Yes", ...).
const char* AnswerName(MessageBoxAnswer answer);

}  // namespace barvell::ui
