// The runtime heap: every block handed to the program comes from here and is freed with
// FreeBlock. Pointers into the ConstantArea are never freed or resized in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace barvell::runtime {

// A failed allocation (or a negative size) is the fatal "分配 %d 字节内存失败!".
void* AllocateBlock(int32_t bytes);
// Null behaves as AllocateBlock. A ConstantArea pointer is copied into a new block:
// min(bytes, bytes to the end of the area) of it.
void* ReallocateBlock(void* block, int32_t bytes);
// Null and ConstantArea pointers are ignored.
void FreeBlock(void* block);
// As AllocateBlock, but a failure gives null instead of the fatal error.
void* TryAllocateBlock(int32_t bytes);

// A new zero-terminated copy of a text; the empty text gives null (no block).
char* CopyText(std::string_view text);
// A new one-dimensional byte array block; no bytes give null (the empty byte array).
void* NewByteArray(std::span<const uint8_t> bytes);
// A new byte array block of `size` (> 0) bytes for the caller to fill through `bytes`, so
// that a large picture is made in place rather than copied in; null when it cannot be had.
void* TryNewByteArrayToFill(size_t size, uint8_t** bytes);

// The program's ConstantArea, [start, start + size).
void SetConstantArea(const void* start, size_t size);
bool InConstantArea(const void* p);

}  // namespace barvell::runtime
