// One open iconv converter per pair of encodings for the whole run, shared by every
// conversion of the platform: opening one loads the C library's conversion module and
// closing the last unloads it again, which cost more than the conversion itself when a
// batch converts a few file names per code.
#pragma once

#include <iconv.h>

namespace barvell::platform {

// The converter from `from` to `to` (iconv names), its shift state reset for a new text;
// (iconv_t)-1 when the host has none. The names must outlive the run (string literals).
iconv_t SharedConverter(const char* from, const char* to);

}  // namespace barvell::platform
