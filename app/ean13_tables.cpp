// The EAN-13 module tables (L, G and R sets) and the leading-digit parity table.
#include "ean13.h"
#include "kernel.h"
#include "program_globals.h"

namespace barvell::app {

namespace {

constexpr const char* kLTable[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                     "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr const char* kGTable[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                     "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr const char* kRTable[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                     "1001110", "1010000", "1000100", "1001000", "1110100"};
// "A": the left-half digit at that place comes from the L set, "B": from the G set.
constexpr const char* kParityTable[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                          "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
constexpr const char* kOuterGuard = "101";
constexpr const char* kCentreGuard = "01010";

}  // namespace

void BuildEan13Tables() {
  ProgramGlobals& g = Globals();
  for (int32_t d = 0; d < 10; ++d) {
    SetArrayText(g.parity_table, d, kParityTable[d]);
    SetArrayText(g.l_table, d, kLTable[d]);
    SetArrayText(g.g_table, d, kGTable[d]);
    SetArrayText(g.r_table, d, kRTable[d]);
  }
  Kernel().FreeBlock(g.outer_guard);
  Kernel().FreeBlock(g.centre_guard);
  g.outer_guard = NewHeapText(kOuterGuard);
  g.centre_guard = NewHeapText(kCentreGuard);
}

}  // namespace barvell::app
