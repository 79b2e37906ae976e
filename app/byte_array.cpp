#include "byte_array.h"

#include "kernel.h"

namespace barvell::app {

ByteArray::~ByteArray() { Kernel().FreeBlock(block_); }

}  // namespace barvell::app
