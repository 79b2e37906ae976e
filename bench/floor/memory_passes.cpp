// The passes over memory a code of the batch asks for, done by bare loops with nothing
// drawn or encoded, each as the program does it: the 413 x 236 panel cleared (one row
// filled, the others copied from it), the 292,694-byte BMP built in a byte array (one row
// packed, the others copied), and each of its rows compared with the row above when it is
// read back (a barcode's rows are nearly all alike, so each compare runs to the end).
// Prints microseconds a code.
//   barvell_memory_passes [COUNT]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kWidth = 413, kHeight = 236;
constexpr size_t kHeaderBytes = 54;
constexpr size_t kBmpRow = 1240;  // 413 pixels of 3 bytes, padded to 4
constexpr size_t kBmp = kHeaderBytes + kBmpRow * kHeight;

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  std::vector<uint32_t> panel(kWidth * kHeight);
  std::vector<uint8_t> bmp(kBmp);
  long alike = 0;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    const uint32_t background = 0xFFFFFFu - uint32_t(i & 1);  // differs from code to code
    std::fill_n(panel.data(), kWidth, background);
    for (size_t y = 1; y < kHeight; ++y) std::memcpy(&panel[y * kWidth], panel.data(), kWidth * 4);
    uint8_t* pixels = bmp.data() + kHeaderBytes;
    for (size_t x = 0; x < kWidth; ++x) std::memcpy(pixels + 3 * x, &panel[x], 3);
    for (size_t y = 1; y < kHeight; ++y) std::memcpy(pixels + y * kBmpRow, pixels, kBmpRow);
    for (size_t y = 1; y < kHeight; ++y) alike += std::memcmp(pixels + y * kBmpRow, pixels + (y - 1) * kBmpRow, 3 * kWidth) == 0;
    // A panel row no pass reads, looked at so that no clearing of it is left out.
    alike -= panel[(size_t(i) * 7 % kHeight) * kWidth] != background;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.1f\n", seconds / count * 1e6);
  return alike == long(count) * long(kHeight - 1) ? 0 : 1;
}
