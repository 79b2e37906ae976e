#include "code39.h"

#include <iterator>

#include "text_calls.h"

namespace barvell::app {

namespace {

struct Code39Entry {
  char character;
  const char* pattern;  // "1" dark, "0" light; 13 modules, the last one the gap
};

constexpr Code39Entry kCode39Table[] = {
    {'0', "1010011011010"}, {'1', "1101001010110"}, {'2', "1011001010110"},
    {'3', "1101100101010"}, {'4', "1010011010110"}, {'5', "1101001101010"},
    {'6', "1011001101010"}, {'7', "1010010110110"}, {'8', "1101001011010"},
    {'9', "1011001011010"}, {'A', "1101010010110"}, {'B', "1011010010110"},
    {'C', "1101101001010"}, {'D', "1010110010110"}, {'E', "1101011001010"},
    {'F', "1011011001010"}, {'G', "1010100110110"}, {'H', "1101010011010"},
    {'I', "1011010011010"}, {'J', "1010110011010"}, {'K', "1101010100110"},
    {'L', "1011010100110"}, {'M', "1101101010010"}, {'N', "1010110100110"},
    {'O', "1101011010010"}, {'P', "1011011010010"}, {'Q', "1010101100110"},
    {'R', "1101010110010"}, {'S', "1011010110010"}, {'T', "1010110110010"},
    {'U', "1100101010110"}, {'V', "1001101010110"}, {'W', "1100110101010"},
    {'X', "1001011010110"}, {'Y', "1100101101010"}, {'Z', "1001101101010"},
    {'+', "1001010010010"}, {'-', "1001010110110"}, {'*', "1001011011010"},
    {'/', "1001001010010"}, {'%', "1010010010010"}, {'$', "1001001001010"},
    {'.', "1100101011010"}, {' ', "1001101011010"},
};
static_assert(std::size(kCode39Table) == 44);

constexpr const char* kStartStop = "1001011011010";

// The pattern of a one-byte text, or null when the byte is not a Code 39 character.
const char* PatternOf(const std::string& character) {
  if (character.size() != 1) return nullptr;
  for (const Code39Entry& e : kCode39Table)
    if (e.character == character[0]) return e.pattern;
  return nullptr;
}

}  // namespace

std::string EncodeCode39(const std::string& text) {
  std::string result;
  for (int32_t i = 1;; ++i) {
    // Byte by byte: each half of a double-byte character is looked up on its own.
    std::string character = ToUpper(MidText(text, i, 1));
    if (character.empty()) return result;
    if (const char* pattern = PatternOf(character)) result += pattern;
  }
}

std::string Code39Symbol(const std::string& text) {
  return kStartStop + EncodeCode39(text) + kStartStop;
}

}  // namespace barvell::app
