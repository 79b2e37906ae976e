// Conversion between the program's GBK byte texts and the host's Unicode forms, used at
// the edges only: widget texts, file-system paths, terminal output.
//
// Invalid input never fails a conversion: every byte (or UTF-16 unit) that cannot be
// decoded, and every character GBK cannot hold, becomes one '?' in the output, and the
// conversion goes on with the next input unit. Valid GBK round-trips byte-exactly.
#pragma once

#include <string>
#include <string_view>

namespace barvell::platform {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);

}  // namespace barvell::platform
