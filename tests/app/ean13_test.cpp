#include "ean13.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "program_test_kernel.h"

namespace barvell::app {
namespace {

class Ean13Test : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTestKernel();
    AllocateGlobals();
    BuildEan13Tables();
  }
  void TearDown() override { FreeGlobals(); }
};

std::string Modules(const Ean13Symbol& symbol) {
  std::string all;
  for (const BarSegment& s : symbol.segments) all += s.pattern;
  return all;
}

std::string Captions(const Ean13Symbol& symbol) {
  std::string all;
  for (const BarSegment& s : symbol.segments) all += s.caption;
  return all;
}

TEST_F(Ean13Test, CheckDigitsOfKnownCodes) {
  EXPECT_EQ(ComputeCheckDigit("690123456789"), "2");
  EXPECT_EQ(ComputeCheckDigit("400638133393"), "1");
  EXPECT_EQ(ComputeCheckDigit("978020137962"), "4");
  // 10 - 0 gives "10", which becomes "0".
  EXPECT_EQ(ComputeCheckDigit("000000000000"), "0");
  // Only the first twelve positions count; missing ones are 0.
  EXPECT_EQ(ComputeCheckDigit("6901234567899999"), "2");
  EXPECT_EQ(ComputeCheckDigit("690123"), "3");
  EXPECT_EQ(ComputeCheckDigit(""), "0");
}

TEST_F(Ean13Test, CompleteCodeJoinsBothPartsAndAppendsTheCheckDigit) {
  EXPECT_EQ(CompleteCode("690123", "456789"), "6901234567892");
  // No length test: 14 characters get the check digit of their first twelve as the 15th.
  EXPECT_EQ(CompleteCode("6901234", "5678901"), "69012345678901" "2");
  EXPECT_EQ(CompleteCode("69012", "3"), "6901233");
  // A blank is not empty; it counts as 0.
  EXPECT_EQ(CompleteCode(" ", "1"), " 1" + ComputeCheckDigit(" 1"));
}

TEST_F(Ean13Test, CompleteCodeRefusesAnEmptyPart) {
  EXPECT_EQ(CompleteCode("", "456789"), std::nullopt);
  EXPECT_EQ(CompleteCode("690123", ""), std::nullopt);
  EXPECT_EQ(CompleteCode("", ""), std::nullopt);
}

TEST_F(Ean13Test, EncodesTheReferenceCodeModuleForModule) {
  Ean13Symbol symbol = EncodeEan13("6901234567892");
  EXPECT_EQ(symbol.leading_caption, "6");
  EXPECT_EQ(Modules(symbol),
            "10100010110100111011001100110110111101010001101010100111010100001000100100100011101"
            "001101100101");
  ASSERT_EQ(symbol.segments.size(), 15u);
  EXPECT_EQ(symbol.segments[0].kind, SegmentKind::StartGuard);
  EXPECT_EQ(symbol.segments[7].kind, SegmentKind::CentreGuard);
  EXPECT_EQ(symbol.segments[14].kind, SegmentKind::EndGuard);
  for (size_t i = 0; i < symbol.segments.size(); ++i) {
    const BarSegment& s = symbol.segments[i];
    bool guard = i == 0 || i == 7 || i == 14;
    EXPECT_EQ(s.is_long, guard) << i;
    EXPECT_EQ(s.pattern.size(), i == 7 ? 5u : guard ? 3u : 7u) << i;
    EXPECT_EQ(s.caption.empty(), guard) << i;
  }
  EXPECT_EQ(Captions(symbol), "901234567892");
}

TEST_F(Ean13Test, SurplusAndMissingPositionsAndNonDigits) {
  // The 15-character code: only its first 13 are encoded, so its check digit has no bars.
  Ean13Symbol long_code = EncodeEan13("690123456789012");
  EXPECT_EQ(Modules(long_code), Modules(EncodeEan13("6901234567890")));

  // Missing positions 8 to 13 encode as 0 with the caption "0".
  Ean13Symbol short_code = EncodeEan13("6901233");
  for (int i = 8; i <= 13; ++i) {
    EXPECT_EQ(short_code.segments[i].pattern, "1110010");
    EXPECT_EQ(short_code.segments[i].caption, "0");
  }

  // A letter at position 5 is encoded as 0; the caption shows the value, not the letter.
  Ean13Symbol letter = EncodeEan13("6901X34567892");
  Ean13Symbol zero = EncodeEan13("6901034567892");
  EXPECT_EQ(Modules(letter), Modules(zero));
  EXPECT_EQ(letter.segments[4].caption, "0");

  // A leading "0" encodes the whole left half from the L set.
  Ean13Symbol leading_zero = EncodeEan13("0000000000000");
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(leading_zero.segments[i].pattern, "0001101");

  // The leading caption is the character itself, unconverted.
  EXPECT_EQ(EncodeEan13("X901234567892").leading_caption, "X");
  EXPECT_EQ(Modules(EncodeEan13("X901234567892")), Modules(EncodeEan13("0901234567892")));
  EXPECT_EQ(EncodeEan13("").leading_caption, "");
  EXPECT_EQ(Modules(EncodeEan13("")).size(), 95u);
}

TEST_F(Ean13Test, DoubleByteCharactersCountAsZeroPerByte) {
  // "条" is two bytes; each alone converts to 0.
  std::string code = "条" "0123456789";
  ASSERT_EQ(code.size(), 12u);
  EXPECT_EQ(ComputeCheckDigit(code), ComputeCheckDigit("000123456789"));
  EXPECT_EQ(Modules(EncodeEan13(code)), Modules(EncodeEan13("000123456789")));
}

// An independent reference: the R set is the complement of the L set, the G set the
// mirror of the R set, and the parity of the left half is a bit mask.
namespace reference {

const char* const kL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                            "0110001", "0101111", "0111011", "0110111", "0001011"};
// Bit 5 - i set: left-half digit i (0-based) uses the G set.
const int kParityMask[10] = {0x00, 0x0B, 0x0D, 0x0E, 0x13, 0x19, 0x1C, 0x15, 0x16, 0x1A};

std::string R(int d) {
  std::string r = kL[d];
  for (char& c : r) c = c == '0' ? '1' : '0';
  return r;
}
std::string G(int d) {
  std::string r = R(d);
  return std::string(r.rbegin(), r.rend());
}

int Check(const std::string& digits12) {
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += (digits12[i] - '0') * (i % 2 ? 3 : 1);
  return (10 - sum % 10) % 10;
}

std::string Modules(const std::string& code13) {
  std::string m = "101";
  int mask = kParityMask[code13[0] - '0'];
  for (int i = 0; i < 6; ++i) {
    int d = code13[i + 1] - '0';
    m += (mask >> (5 - i)) & 1 ? G(d) : std::string(kL[d]);
  }
  m += "01010";
  for (int i = 7; i < 13; ++i) m += R(code13[i] - '0');
  return m + "101";
}

}  // namespace reference

TEST_F(Ean13Test, AgreesWithAnIndependentReferenceOnRandomCodes) {
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int n = 0; n < 3000; ++n) {
    std::string code12;
    for (int i = 0; i < 12; ++i) code12 += char('0' + digit(rng));
    std::string check = ComputeCheckDigit(code12);
    ASSERT_EQ(check, std::to_string(reference::Check(code12))) << code12;
    std::string full = code12 + check;
    ASSERT_EQ(Modules(EncodeEan13(full)), reference::Modules(full)) << full;
  }
}

}  // namespace
}  // namespace barvell::app
