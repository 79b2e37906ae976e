#include "program_globals.h"

#include <cstring>

#include "kernel.h"

namespace barvell::app {

namespace {

constexpr int32_t kTableSize = 10;
constexpr int32_t kStartupInputBytes = 16;

ProgramGlobals g_globals;

char** Elements(void* block) { return reinterpret_cast<char**>(ArrayElements(block)); }

void* NewTextArray() {
  int32_t bytes = int32_t(2 * sizeof(uint32_t) + kTableSize * sizeof(char*));
  auto* words = static_cast<uint32_t*>(Kernel().AllocateBlock(bytes));
  words[0] = 1;
  words[1] = kTableSize;
  std::memset(Elements(words), 0, kTableSize * sizeof(char*));
  return words;
}

void FreeTextArray(void*& block) {
  if (block == nullptr) return;
  char** elements = Elements(block);
  for (uint32_t i = 0; i < ArrayElementCount(block); ++i) Kernel().FreeBlock(elements[i]);
  Kernel().FreeBlock(block);
  block = nullptr;
}

void FreeText(char*& text) {
  Kernel().FreeBlock(text);
  text = nullptr;
}

}  // namespace

ProgramGlobals& Globals() { return g_globals; }

void AllocateGlobals() {
  g_globals.parity_table = NewTextArray();
  g_globals.l_table = NewTextArray();
  g_globals.g_table = NewTextArray();
  g_globals.r_table = NewTextArray();
  g_globals.gdiplus_startup_input = Kernel().AllocateBlock(kStartupInputBytes);
  std::memset(g_globals.gdiplus_startup_input, 0, kStartupInputBytes);
}

void FreeGlobals() {
  FreeText(g_globals.outer_guard);
  FreeText(g_globals.centre_guard);
  FreeTextArray(g_globals.parity_table);
  FreeTextArray(g_globals.l_table);
  FreeTextArray(g_globals.g_table);
  FreeTextArray(g_globals.r_table);
  Kernel().FreeBlock(g_globals.gdiplus_startup_input);
  g_globals.gdiplus_startup_input = nullptr;
}

const char* ArrayText(const void* block, int32_t i) {
  if (block == nullptr || i < 0 || uint32_t(i) >= ArrayElementCount(block)) return nullptr;
  return reinterpret_cast<char* const*>(ArrayElements(block))[i];
}

void SetArrayText(void* block, int32_t i, const char* text) {
  char*& slot = Elements(block)[i];
  Kernel().FreeBlock(slot);
  slot = nullptr;
  slot = NewHeapText(text);
}

char* NewHeapText(const char* text) {
  if (text == nullptr || *text == '\0') return nullptr;
  size_t n = std::strlen(text);
  auto* copy = static_cast<char*>(Kernel().AllocateBlock(int32_t(n + 1)));
  std::memcpy(copy, text, n + 1);
  return copy;
}

}  // namespace barvell::app
