#include "platform/kernel/multibyte.h"

#include <cstring>
#include <string_view>

#include "platform/kernel/code_page.h"

namespace barvell::platform {

int32_t MultiByteToWideChar(uint32_t code_page, uint32_t flags, const char* mb,
                            int32_t mb_length, char16_t* wide, int32_t wide_capacity) {
  if (mb == nullptr || mb_length == 0 || mb_length < -1 || wide_capacity < 0) return 0;
  if (wide_capacity > 0 && wide == nullptr) return 0;
  size_t length = mb_length == -1 ? std::strlen(mb) + 1 : size_t(mb_length);
  auto units = DecodeCodePage(std::string_view(mb, length), code_page,
                              (flags & kMbErrInvalidChars) != 0);
  if (!units || units->size() > size_t(INT32_MAX)) return 0;
  int32_t needed = int32_t(units->size());
  if (wide_capacity == 0) return needed;
  if (needed > wide_capacity) return 0;
  std::memcpy(wide, units->data(), units->size() * sizeof(char16_t));
  return needed;
}

}  // namespace barvell::platform
