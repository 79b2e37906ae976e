// The runtime's text and number commands as the program calls them: each is one library
// command call with argument records; text results are taken over and freed.
#pragma once

#include <cstdint>
#include <string>

namespace barvell::app {

int32_t TextLength(const std::string& text);
std::string LeftText(const std::string& text, int32_t n);
std::string RightText(const std::string& text, int32_t n);
std::string MidText(const std::string& text, int32_t start, int32_t n);
int32_t ToInteger(const std::string& text);
double ToNumber(const std::string& text);
std::string ToText(int32_t value);
std::string ToText(double value);
// 1-based byte position of the first occurrence, stepping over double-byte characters; -1.
int32_t FindText(const std::string& text, const std::string& sought);
std::string ToUpper(const std::string& text);
}  // namespace barvell::app
