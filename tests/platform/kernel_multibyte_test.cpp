// MultiByteToWideChar of the kernel stand-in: the system function's arguments and results.
#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/multibyte.h"
#include "platform/text/gbk.h"

namespace barvell::platform {
namespace {

// "条码" in GBK, then "A".
const char kGbk[] = "\xCC\xF5\xC2\xEB" "A";

TEST(KernelMultiByte, ConvertsGbkWithAndWithoutTerminator) {
  char16_t wide[8] = {};
  EXPECT_EQ(MultiByteToWideChar(936, 0, kGbk, -1, wide, 8), 4);
  EXPECT_EQ(std::u16string(wide), u"条码A");
  EXPECT_EQ(wide[3], u'\0');

  char16_t exact[3] = {u'x', u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(0, 0, kGbk, 4, exact, 3), 2);  // no terminator counted
  EXPECT_EQ(exact[0], u'条');
  EXPECT_EQ(exact[1], u'码');
  EXPECT_EQ(exact[2], u'x');  // untouched
}

TEST(KernelMultiByte, SizeQueryAndTooSmallBuffer) {
  EXPECT_EQ(MultiByteToWideChar(0, 0, kGbk, -1, nullptr, 0), 4);
  char16_t small[2];
  EXPECT_EQ(MultiByteToWideChar(0, 0, kGbk, -1, small, 2), 0);
}

TEST(KernelMultiByte, RefusesBadArguments) {
  char16_t wide[4];
  EXPECT_EQ(MultiByteToWideChar(0, 0, nullptr, -1, wide, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(0, 0, kGbk, 0, wide, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(0, 0, kGbk, -2, wide, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(0, 0, kGbk, -1, nullptr, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(12345, 0, kGbk, -1, wide, 4), 0);  // unknown code page
}

TEST(KernelMultiByte, UndecodableBytesFailOnlyWhenAskedTo) {
  const char bad[] = "a\xFF" "b";
  char16_t wide[8] = {};
  EXPECT_EQ(MultiByteToWideChar(936, kMbErrInvalidChars, bad, -1, wide, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(936, 0, bad, -1, wide, 8), 4);
  EXPECT_EQ(std::u16string(wide), u"a?b");
  // A lead byte cut off at the end of the input.
  EXPECT_EQ(MultiByteToWideChar(936, kMbErrInvalidChars, "\xCC", 1, wide, 8), 0);
  // The converter is kept for the next text: nothing of the cut-off byte carries over.
  EXPECT_EQ(MultiByteToWideChar(936, 0, kGbk, -1, wide, 8), 4);
  EXPECT_EQ(std::u16string(wide), u"条码A");
  // Nor into the plain conversions, which share the converter.
  EXPECT_EQ(MultiByteToWideChar(936, kMbErrInvalidChars, "\xCC", 1, wide, 8), 0);
  EXPECT_EQ(GbkToUtf16("\xF5\xC2"), u"趼");
}

TEST(KernelMultiByte, Utf8CodePage) {
  char16_t wide[4] = {};
  EXPECT_EQ(MultiByteToWideChar(65001, 0, "\xE6\x9D\xA1", 3, wide, 4), 1);
  EXPECT_EQ(wide[0], u'条');
}

}  // namespace
}  // namespace barvell::platform
