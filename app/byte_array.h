// A byte array the runtime handed over (a new heap block): owned here and freed once.
#pragma once

#include <cstdint>
#include <utility>

#include "barvell/call_interface.h"

namespace barvell::app {

class ByteArray {
 public:
  ByteArray() = default;
  explicit ByteArray(void* block) : block_(block) {}
  ByteArray(ByteArray&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  ByteArray& operator=(ByteArray&& other) noexcept {
    std::swap(block_, other.block_);
    return *this;
  }
  ByteArray(const ByteArray&) = delete;
  ByteArray& operator=(const ByteArray&) = delete;
  ~ByteArray();

  // The block as the runtime's byte-array argument takes it (null: the empty array).
  const void* Block() const { return block_; }
  uint32_t Size() const { return ArrayElementCount(block_); }
  const uint8_t* Data() const { return block_ != nullptr ? ArrayElements(block_) : nullptr; }

 private:
  void* block_ = nullptr;
};

}  // namespace barvell::app
