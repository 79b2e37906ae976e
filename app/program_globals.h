// The program's global tables: allocated on the runtime heap by the start routine, filled
// when the main window is created, and freed once by the registered clean-up routine.
#pragma once

#include <cstdint>

namespace barvell::app {

struct ProgramGlobals {
  // Array blocks of one dimension of 10 texts, indexed by digit value.
  void* parity_table = nullptr;
  void* l_table = nullptr;
  void* g_table = nullptr;
  void* r_table = nullptr;
  // The two guard patterns.
  char* outer_guard = nullptr;
  char* centre_guard = nullptr;
  // The image library's 16-byte start-up input.
  void* gdiplus_startup_input = nullptr;
};

ProgramGlobals& Globals();

// Start routine: four empty 10-text arrays and the zeroed 16-byte block.
void AllocateGlobals();
// Clean-up routine: frees the guard texts, every element, each array and the block.
void FreeGlobals();

// Element i of a text array block (null = the empty text).
const char* ArrayText(const void* block, int32_t i);
// Replaces element i with a heap copy of text, freeing the old element.
void SetArrayText(void* block, int32_t i, const char* text);
// A runtime heap copy of a text; the empty text gives null.
char* NewHeapText(const char* text);

}  // namespace barvell::app
