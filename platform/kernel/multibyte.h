// MultiByteToWideChar of the kernel stand-in module: narrow code-page text to UTF-16,
// with the system function's arguments and results.
#pragma once

#include <cstdint>

namespace barvell::platform {

constexpr uint32_t kMbErrInvalidChars = 8;  // MB_ERR_INVALID_CHARS

// Converts `mb_length` bytes of `mb` (-1: up to and including the terminating zero) from
// `code_page` (0 / 936 GBK, 65001 UTF-8). With `wide_capacity` 0 it returns the number of
// UTF-16 units needed; otherwise it writes them and returns their number. 0 on failure:
// unknown code page, bad arguments, a buffer too small, or (with MB_ERR_INVALID_CHARS) an
// undecodable byte; without that flag an undecodable byte becomes '?'.
int32_t MultiByteToWideChar(uint32_t code_page, uint32_t flags, const char* mb,
                            int32_t mb_length, char16_t* wide, int32_t wide_capacity);

}  // namespace barvell::platform
