#include "code39.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "program_test_kernel.h"

namespace barvell::app {
namespace {

constexpr char kStartStop[] = "1001011011010";
constexpr char kAllCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-*/%$. ";

class Code39Test : public ::testing::Test {
 protected:
  void SetUp() override { UseTestKernel(); }
};

// Run lengths of a pattern's modules.
std::vector<int> Runs(const std::string& modules) {
  std::vector<int> runs;
  for (size_t i = 0; i < modules.size();) {
    size_t j = i;
    while (j < modules.size() && modules[j] == modules[i]) ++j;
    runs.push_back(int(j - i));
    i = j;
  }
  return runs;
}

TEST_F(Code39Test, EveryCharacterIsFiveBarsAndFourSpacesThreeWideThenALightGap) {
  std::set<std::string> seen;
  for (const char* c = kAllCharacters; *c != '\0'; ++c) {
    const std::string pattern = EncodeCode39(std::string(1, *c));
    ASSERT_EQ(pattern.size(), 13u) << "character " << *c;
    EXPECT_EQ(pattern.front(), '1') << *c;
    EXPECT_EQ(pattern.back(), '0') << *c;
    std::vector<int> elements = Runs(pattern.substr(0, 12));
    ASSERT_EQ(elements.size(), 9u) << *c;
    int wide = 0;
    for (int e : elements) {
      EXPECT_TRUE(e == 1 || e == 2) << *c;
      wide += e == 2;
    }
    EXPECT_EQ(wide, 3) << *c;
    EXPECT_TRUE(seen.insert(pattern).second) << *c << " shares its pattern";
  }
  EXPECT_EQ(seen.size(), 44u);
}

TEST_F(Code39Test, SymbolIsFramedByStartAndStop) {
  EXPECT_EQ(EncodeCode39("A1"), "1101010010110" "1101001010110");
  const std::string symbol = Code39Symbol("A1");
  EXPECT_EQ(symbol.size(), 52u);
  EXPECT_EQ(symbol.substr(0, 13), kStartStop);
  EXPECT_EQ(symbol.substr(39), kStartStop);
  // A "*" in the text is the start/stop pattern like any table character.
  EXPECT_EQ(EncodeCode39("A*B"), EncodeCode39("A") + kStartStop + EncodeCode39("B"));
  EXPECT_EQ(EncodeCode39(" ."), "1001101011010" "1100101011010");
}

TEST_F(Code39Test, LowerCaseIsUpperCaseAndOtherBytesAreSkipped) {
  EXPECT_EQ(EncodeCode39("abc"), EncodeCode39("ABC"));
  EXPECT_EQ(EncodeCode39("ab-1"), EncodeCode39("AB-1"));
  EXPECT_EQ(EncodeCode39("A#B"), EncodeCode39("AB"));
  EXPECT_EQ(EncodeCode39("#"), "");
  EXPECT_EQ(EncodeCode39(""), "");
  EXPECT_EQ(Code39Symbol("#"), std::string(kStartStop) + kStartStop);
  // Letters beyond ASCII do not fold ("\xE9" is no "e").
  EXPECT_EQ(EncodeCode39("\xE9"), "");
}

TEST_F(Code39Test, DoubleByteCharactersAreLookedUpByteByByte) {
  // "条" is 0xCC 0xF5: neither byte is a Code 39 character.
  EXPECT_EQ(EncodeCode39("条1"), EncodeCode39("1"));
  // "丄" is 0x81 0x41: its lead byte is skipped, its trail byte is an "A".
  EXPECT_EQ(EncodeCode39("丄"), EncodeCode39("A"));
}

}  // namespace
}  // namespace barvell::app
