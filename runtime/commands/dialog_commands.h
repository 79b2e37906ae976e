// Library commands of the dialogs: the message box, the file dialog of a common-dialog
// control, the folder chooser, loading a program window, letting pending messages run,
// and handing a document or address to the shell's "open".
#pragma once

#include "barvell/call_interface.h"

namespace barvell::runtime {

// (content, [style flags], [caption], [owner]) -> int: the button, 0 (OK) to 6 (No).
void ShowMessageBoxCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (common-dialog control) -> bool: true when the user confirmed; FileName then holds
// the chosen path.
void OpenDialogCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (title, [include files]) -> text: the chosen path, empty when cancelled.
void BrowseForFolderCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (window, [parent window], [modal]) -> bool: true when the window was loaded.
void LoadWindowCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// () -> none: dispatches what is pending, then returns.
void DoEventsCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (document or address) -> bool: true when the shell took it.
void OpenWithShellCommand(ResultRecord* result, int32_t count, ArgRecord* args);

}  // namespace barvell::runtime
