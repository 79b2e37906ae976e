#include "runtime/heap.h"

#include <cstdlib>
#include <cstring>

namespace barvell::runtime {

namespace {
const uint8_t* g_constant_start = nullptr;
size_t g_constant_size = 0;
}  // namespace

// First form: plain malloc; the fatal allocation report comes with the call interface.
void* AllocateBlock(int32_t bytes) { return std::malloc(bytes > 0 ? size_t(bytes) : 1); }

void* ReallocateBlock(void* block, int32_t bytes) {
  if (block == nullptr) return AllocateBlock(bytes);
  return std::realloc(block, bytes > 0 ? size_t(bytes) : 1);
}

void FreeBlock(void* block) {
  if (block == nullptr || InConstantArea(block)) return;
  std::free(block);
}

char* CopyText(std::string_view text) {
  if (text.empty()) return nullptr;
  char* p = static_cast<char*>(AllocateBlock(int32_t(text.size() + 1)));
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\0';
  return p;
}

void* NewByteArray(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return nullptr;
  auto* words = static_cast<uint32_t*>(AllocateBlock(int32_t(8 + bytes.size())));
  words[0] = 1;
  words[1] = uint32_t(bytes.size());
  std::memcpy(words + 2, bytes.data(), bytes.size());
  return words;
}

void SetConstantArea(const void* start, size_t size) {
  g_constant_start = static_cast<const uint8_t*>(start);
  g_constant_size = size;
}

bool InConstantArea(const void* p) {
  auto* b = static_cast<const uint8_t*>(p);
  return g_constant_start != nullptr && b >= g_constant_start &&
         b < g_constant_start + g_constant_size;
}

}  // namespace barvell::runtime
