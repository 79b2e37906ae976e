#include "platform/text/shared_converter.h"

#include <cstring>
#include <vector>

namespace barvell::platform {

iconv_t SharedConverter(const char* from, const char* to) {
  struct Open {
    const char* from;
    const char* to;
    iconv_t cd;
  };
  static struct Converters {
    ~Converters() {
      for (const Open& o : open) iconv_close(o.cd);
    }
    std::vector<Open> open;
  } converters;
  for (const Open& o : converters.open) {
    if (std::strcmp(o.from, from) == 0 && std::strcmp(o.to, to) == 0) {
      iconv(o.cd, nullptr, nullptr, nullptr, nullptr);
      return o.cd;
    }
  }
  iconv_t cd = iconv_open(to, from);
  if (cd != reinterpret_cast<iconv_t>(-1)) converters.open.push_back({from, to, cd});
  return cd;
}

}  // namespace barvell::platform
