// File names as the program builds them: GBK texts that may use "\" or "/" between their
// elements. Both count as separators, except a "\" byte that is the second half of a
// double-byte GBK character. Names are converted to the file system's UTF-8 only here.
#pragma once

#include <string>
#include <string_view>

namespace barvell::platform {

// Length of the GBK character starting at text[i]: 2 for a lead byte with a byte after it.
size_t GbkCharLength(std::string_view text, size_t i);

// Offset of the last separator of a GBK name, or npos.
size_t LastSeparator(std::string_view gbk_name);

// The file system's form of a GBK name: separators made "/", the text UTF-8.
std::string NativePath(std::string_view gbk_name);

// Whether two GBK names are equal when single-byte ASCII letters are compared without
// regard to case; double-byte characters must be equal byte for byte.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace barvell::platform
