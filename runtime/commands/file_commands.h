// File services as library commands: existence of a file, writing byte arrays to a file,
// and the special folders. Texts are GBK; a file name may use "\" between its directories.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::runtime {

// Code of the special folder that is the temporary directory.
constexpr int32_t kTemporaryFolder = 11;

// (path) -> bool: a file or directory is found by the path; "*" and "?" in its last
// element match any name, and a path ending in a separator finds nothing.
void FileExistsCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (file, byte array, [byte array ...]) -> bool: the file holds the arrays one after
// another and nothing else. False for an empty name, a file that cannot be opened for
// writing, or a failed write (the file then keeps what was written until then).
void WriteToFileCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// (code) -> text: for code 11 the user's temporary directory, ending in its separator;
// the empty text for other codes.
void GetSpecialFolderCommand(ResultRecord* result, int32_t count, ArgRecord* args);

}  // namespace barvell::runtime
