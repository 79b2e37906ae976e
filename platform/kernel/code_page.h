// Decoding of the code pages the kernel's MultiByteToWideChar understands, with the
// system function's choice between failing and replacing on an undecodable byte (the
// plain GBK conversions of platform/text always replace).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace barvell::platform {

constexpr uint32_t kCodePageAnsi = 0;      // CP_ACP: the system's narrow code page
constexpr uint32_t kCodePageOem = 1;       // CP_OEMCP
constexpr uint32_t kCodePageThread = 3;    // CP_THREAD_ACP
constexpr uint32_t kCodePageGbk = 936;
constexpr uint32_t kCodePageUtf8 = 65001;  // CP_UTF8

// Multi-byte text of a code page to UTF-16. With strict set, an undecodable byte fails the
// whole conversion (nullopt); otherwise each undecodable byte becomes U+003F '?'. An
// unknown code page gives nullopt.
std::optional<std::u16string> DecodeCodePage(std::string_view bytes, uint32_t code_page,
                                             bool strict);

}  // namespace barvell::platform
