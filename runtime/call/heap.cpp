#include "runtime/call/heap.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/call/error_report.h"

namespace barvell::runtime {

namespace {

const uint8_t* g_constant_start = nullptr;
size_t g_constant_size = 0;

[[noreturn]] void AllocationFailed(int64_t bytes) {
  char message[64];
  std::snprintf(message, sizeof message, "分配 %d 字节内存失败!",
                int(std::clamp<int64_t>(bytes, INT32_MIN, INT32_MAX)));
  FatalError(message);
}

// A zero-byte request still yields a block of its own, as the platform heap does.
size_t BlockSize(int32_t bytes) { return bytes > 0 ? size_t(bytes) : 1; }

}  // namespace

void* TryAllocateBlock(int32_t bytes) {
  if (bytes < 0) return nullptr;
  return std::malloc(BlockSize(bytes));
}

void* AllocateBlock(int32_t bytes) {
  void* p = TryAllocateBlock(bytes);
  if (p == nullptr) AllocationFailed(bytes);
  return p;
}

void* ReallocateBlock(void* block, int32_t bytes) {
  if (block == nullptr) return AllocateBlock(bytes);
  if (InConstantArea(block)) {
    // Constants are never resized: copy what the area holds from there on.
    void* copy = AllocateBlock(bytes);
    size_t to_end = size_t(g_constant_start + g_constant_size - static_cast<uint8_t*>(block));
    std::memcpy(copy, block, std::min(size_t(bytes), to_end));
    return copy;
  }
  if (bytes < 0) AllocationFailed(bytes);
  void* p = std::realloc(block, BlockSize(bytes));
  if (p == nullptr) AllocationFailed(bytes);
  return p;
}

void FreeBlock(void* block) {
  if (block == nullptr || InConstantArea(block)) return;
  std::free(block);
}

char* CopyText(std::string_view text) {
  if (text.empty()) return nullptr;
  if (text.size() >= size_t(INT32_MAX)) AllocationFailed(int64_t(text.size()) + 1);
  char* p = static_cast<char*>(AllocateBlock(int32_t(text.size() + 1)));
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\0';
  return p;
}

void* NewByteArray(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return nullptr;
  if (bytes.size() > size_t(INT32_MAX) - 8) AllocationFailed(int64_t(bytes.size()) + 8);
  auto* words = static_cast<uint32_t*>(AllocateBlock(int32_t(8 + bytes.size())));
  words[0] = 1;
  words[1] = uint32_t(bytes.size());
  std::memcpy(words + 2, bytes.data(), bytes.size());
  return words;
}

void* TryNewByteArrayToFill(size_t size, uint8_t** bytes) {
  if (size == 0 || size > size_t(INT32_MAX) - 8) return nullptr;
  auto* words = static_cast<uint32_t*>(TryAllocateBlock(int32_t(8 + size)));
  if (words == nullptr) return nullptr;
  words[0] = 1;
  words[1] = uint32_t(size);
  *bytes = reinterpret_cast<uint8_t*>(words + 2);
  return words;
}

void SetConstantArea(const void* start, size_t size) {
  g_constant_start = static_cast<const uint8_t*>(start);
  g_constant_size = start != nullptr ? size : 0;
}

bool InConstantArea(const void* p) {
  auto* b = static_cast<const uint8_t*>(p);
  return g_constant_start != nullptr && b >= g_constant_start &&
         b < g_constant_start + g_constant_size;
}

}  // namespace barvell::runtime
