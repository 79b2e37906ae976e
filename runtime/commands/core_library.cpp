// The runtime's first command library. Command numbers are those of barvell::command.
#include <array>
#include <iterator>

#include "barvell/call_interface.h"
#include "runtime/call/command_library.h"
#include "runtime/commands/config_commands.h"
#include "runtime/commands/control_commands.h"
#include "runtime/commands/dialog_commands.h"
#include "runtime/commands/draw_panel_commands.h"
#include "runtime/commands/file_commands.h"
#include "runtime/commands/text_library.h"

namespace barvell::runtime {

namespace {

struct NumberedCommand {
  int32_t number;
  LibraryCommand command;
};

// Each command at its number of barvell::command. Ranges: text and numbers 0-19, the draw
// panel 20-39, the other controls 40-59, configuration, files and dialogs 60-79.
constexpr NumberedCommand kNumberedCommands[] = {
    // text and number conversion
    {command::kTextLength, TextLengthCommand},
    {command::kLeftText, LeftTextCommand},
    {command::kRightText, RightTextCommand},
    {command::kMidText, MidTextCommand},
    {command::kFindText, FindTextCommand},
    {command::kToUpper, ToUpperCommand},
    {command::kSplitText, SplitTextCommand},
    {command::kToNumber, ToNumberCommand},
    {command::kToInteger, ToIntegerCommand},
    {command::kToText, ToTextCommand},
    {command::kRemainder, RemainderCommand},
    {command::kBlankBytes, BlankBytesCommand},
    {command::kByteArrayLength, ByteArrayLengthCommand},
    // draw panel
    {command::kClear, ClearCommand},
    {command::kDrawLine, DrawLineCommand},
    {command::kFillRectangle, FillRectangleCommand},
    {command::kWriteAt, WriteAtCommand},
    {command::kTextWidth, TextWidthCommand},
    {command::kTextHeight, TextHeightCommand},
    {command::kGetPicture, GetPictureCommand},
    {command::kSetPixel, SetPixelCommand},
    {command::kDrawRectangle, DrawRectangleCommand},
    // other controls
    {command::kGetClientWidth, GetClientWidthCommand},
    {command::kGetClientHeight, GetClientHeightCommand},
    {command::kComboItemData, ComboItemDataCommand},
    {command::kAppendText, AppendTextCommand},
    // configuration items and files
    {command::kGetRunDirectory, GetRunDirectoryCommand},
    {command::kReadConfigItem, ReadConfigItemCommand},
    {command::kWriteConfigItem, WriteConfigItemCommand},
    {command::kFileExists, FileExistsCommand},
    {command::kWriteToFile, WriteToFileCommand},
    {command::kGetSpecialFolder, GetSpecialFolderCommand},
    // dialogs
    {command::kShowMessageBox, ShowMessageBoxCommand},
    {command::kOpenDialog, OpenDialogCommand},
    {command::kBrowseForFolder, BrowseForFolderCommand},
    {command::kLoadWindow, LoadWindowCommand},
    {command::kDoEvents, DoEventsCommand},
    {command::kOpenWithShell, OpenWithShellCommand},

};

constexpr int32_t kCommandSlots = 80;

// The library's table by number; numbers without a command stay null (calling one is a
// fatal error of the call interface, never a jump to nowhere).
constexpr auto kCoreCommands = [] {
  std::array<LibraryCommand, kCommandSlots> table{};
  for (const NumberedCommand& c : kNumberedCommands) table[size_t(c.number)] = c.command;
  return table;
}();

}  // namespace

// Component types are added here as the controls arrive.
const CommandLibrary kCoreLibrary = {
    "core", int32_t(kCoreCommands.size()), kCoreCommands.data(), 0, nullptr, nullptr,
};

}  // namespace barvell::runtime
