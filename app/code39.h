// Code 39: the module patterns of a text's characters and the whole symbol with its start
// and stop characters. No check character, no full-ASCII extension.
#pragma once

#include <string>

namespace barvell::app {

// Modules per character: nine elements (narrow 1, wide 2 modules) and the light gap.
constexpr int kCode39CharacterModules = 13;

// The patterns of the text's characters, one byte at a time, lower-case letters as upper
// case; a byte outside the 44 characters adds nothing. Length a multiple of 13, maybe 0.
std::string EncodeCode39(const std::string& text);
// "*", the text's characters, "*": 13 × (n + 2) modules, the last one light.
std::string Code39Symbol(const std::string& text);

}  // namespace barvell::app
