// The batch's code list is cut in place by the program; its pieces must be those of the
// runtime's SplitText, which the list's users know, however the bytes fall.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "runtime/commands/text_commands.h"
#include "split_text.h"

namespace barvell::app {
namespace {

std::vector<std::string> Pieces(const std::string& text, const std::string& separator) {
  SplitText split(text, separator);
  std::vector<std::string> pieces;
  for (std::string piece; split.Next(piece);) pieces.push_back(piece);
  return pieces;
}

TEST(SplitText, LinesOfACodeList) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(Pieces("6901234567892\r\n\r\n12\r\n", "\r\n"), (Lines{"6901234567892", "", "12"}));
  // The last line needs no line break; a lone CR or LF does not end a line.
  EXPECT_EQ(Pieces("a\rb\nc\r\nd", "\r\n"), (Lines{"a\rb\nc", "d"}));
  EXPECT_EQ(Pieces("\r\n", "\r\n"), Lines{""});
  EXPECT_EQ(Pieces("", "\r\n"), Lines{});
  // A lead byte takes the CR after it as its trail byte: that CR LF ends no line.
  EXPECT_EQ(Pieces("ab\x81\r\nc\r\nd", "\r\n"), (Lines{"ab\x81\r\nc", "d"}));
  // A lead byte at the very end stays in the last line.
  EXPECT_EQ(Pieces("a\r\nb\xCC", "\r\n"), (Lines{"a", "b\xCC"}));
}

// Texts made of the bytes that matter (separator bytes, lead bytes, plain characters),
// cut by both at several separators.
TEST(SplitText, CutsAsTheRuntimesSplitTextOnAnyBytes) {
  const char alphabet[] = {'a', '1', '\r', '\n', ',', '\x81', '\xB0', '\xA1', '\x0D'};
  const std::vector<std::string> separators = {"\r\n", ",", "", "\xB0\xA1", "\n\r"};
  std::mt19937 random(20261209);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    const size_t length = random() % 24;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % sizeof alphabet];
    for (const std::string& separator : separators) {
      ASSERT_EQ(Pieces(text, separator), runtime::SplitText(text.c_str(), separator.c_str()))
          << "text of " << text.size() << " bytes, separator of " << separator.size();
    }
  }
}

}  // namespace
}  // namespace barvell::app
