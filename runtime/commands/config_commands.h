// The run directory and the configuration items of INI files, as library commands.
// Texts are GBK; a file name may use "\" between its directories.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::runtime {

// () -> text: the program's directory, without a trailing separator.
void GetRunDirectoryCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (file, section, key, [default]) -> text: the item's value, or the default when the file,
// section or key is missing. Leading blanks and control bytes of file, section and key do
// not count; when one of them is then empty the result is the empty text.
void ReadConfigItemCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (file, section, [key], [value]) -> bool: the item written; without a value the key is
// deleted, without key (and value) the section. An empty text is a value, not a missing one.
void WriteConfigItemCommand(ResultRecord* result, int32_t count, ArgRecord* args);

}  // namespace barvell::runtime
