// libFuzzer target: the GBK conversions at the program's edges. The input is taken as GBK,
// as UTF-8 and as UTF-16 units. Nothing may fail or grow without bound; valid text must
// round-trip byte for byte, and what a conversion gives must itself round-trip, whatever
// was replaced by "?" on the way.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/text/gbk.h"

namespace {

using namespace barvell::platform;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

size_t Questions(std::string_view s) { return size_t(std::count(s.begin(), s.end(), '?')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // As GBK: a GBK character is at most three bytes of UTF-8 or one UTF-16 unit.
  const std::string utf8 = GbkToUtf8(bytes);
  const std::u16string utf16 = GbkToUtf16(bytes);
  Check(utf8.size() <= 3 * size && utf16.size() <= size);
  Check(Utf8ToGbk(GbkToUtf8(Utf8ToGbk(utf8))) == Utf8ToGbk(utf8));
  Check(Utf16ToGbk(utf16) == Utf8ToGbk(utf8));
  // No replacement made: the text was valid GBK, which comes back unchanged.
  if (Questions(utf8) == Questions(bytes)) {
    Check(Utf8ToGbk(utf8) == bytes);
    Check(Utf16ToGbk(utf16) == bytes);
  }

  // As UTF-8: what GBK holds of it comes back the same from GBK.
  const std::string gbk = Utf8ToGbk(bytes);
  Check(gbk.size() <= 2 * size);
  Check(Utf8ToGbk(GbkToUtf8(gbk)) == gbk);
  Check(GbkToUtf8(gbk).size() <= 3 * size);

  // As UTF-16 units, lone surrogates included.
  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);
  const std::string from_units = Utf16ToGbk(units);
  Check(from_units.size() <= 2 * units.size());
  Check(Utf16ToGbk(GbkToUtf16(from_units)) == from_units);
  return 0;
}
