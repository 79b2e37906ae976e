#pragma once
// Which of the processor's wider vector units the row loops may use. The program is built
// for baseline x86-64; the wider loops are compiled for their unit alone and chosen at run
// time, once.

namespace barvell::gfx {

#if defined(__x86_64__) || defined(__i386__)
inline bool HasByteShuffle() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
  }();
  return has;
}

inline bool HasAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}
#else
inline bool HasByteShuffle() { return false; }
inline bool HasAvx2() { return false; }
#endif

}  // namespace barvell::gfx
