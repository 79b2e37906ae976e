// The heap rules of the call interface: constants are never freed or resized in place.
#include <gtest/gtest.h>

#include <cstring>

#include "child_process.h"
#include "runtime/call/heap.h"
#include "test_program.h"

namespace barvell {
namespace {

using testing::RunInChild;
using testing::TestProgram;

TEST(Heap, FreeBlockLeavesConstantsIntact) {
  TestProgram program;
  const KernelEntryTable& kernel = program.Start();
  kernel.FreeBlock(program.constants.literal);
  kernel.FreeBlock(program.constants.array);
  kernel.FreeBlock(nullptr);
  EXPECT_STREQ(program.constants.literal, "条码");
  EXPECT_EQ(program.constants.array[3], 20u);
}

TEST(Heap, ReallocatingAConstantCopiesUpToTheEndOfTheArea) {
  TestProgram program;
  const KernelEntryTable& kernel = program.Start();
  char* start = program.constants.tail;  // the last four bytes of the area

  // Growing: only the bytes up to the area's end are copied, the rest is new memory.
  auto* grown = static_cast<char*>(kernel.ReallocateBlock(start, 64));
  ASSERT_NE(grown, start);
  EXPECT_STREQ(grown, "end");
  grown[63] = 'x';  // the whole new size is ours
  kernel.FreeBlock(grown);

  // Shrinking: the new size bounds the copy, and the constant stays as it was.
  auto* literal = static_cast<char*>(kernel.ReallocateBlock(program.constants.literal, 2));
  ASSERT_NE(literal, program.constants.literal);
  EXPECT_EQ(std::memcmp(literal, "条", 2), 0);
  kernel.FreeBlock(literal);
  EXPECT_STREQ(program.constants.literal, "条码");
}

TEST(Heap, ReallocatingNullAllocatesAndHeapBlocksKeepTheirContents) {
  TestProgram program;
  const KernelEntryTable& kernel = program.Start();
  auto* p = static_cast<char*>(kernel.ReallocateBlock(nullptr, 4));
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "abc", 4);
  p = static_cast<char*>(kernel.ReallocateBlock(p, 1 << 16));
  EXPECT_STREQ(p, "abc");
  p = static_cast<char*>(kernel.ReallocateBlock(p, 0));  // still a block of its own
  EXPECT_NE(p, nullptr);
  kernel.FreeBlock(p);
  void* empty = kernel.AllocateBlock(0);
  EXPECT_NE(empty, nullptr);
  kernel.FreeBlock(empty);
}

TEST(Heap, EmptyTextsAndByteArraysAreNoBlock) {
  EXPECT_EQ(runtime::CopyText(""), nullptr);
  EXPECT_EQ(runtime::NewByteArray({}), nullptr);
  const uint8_t bytes[] = {7, 8, 9};
  void* array = runtime::NewByteArray(bytes);
  EXPECT_EQ(ArrayElementCount(array), 3u);
  EXPECT_EQ(ArrayElements(array)[2], 9);
  runtime::FreeBlock(array);
}

TEST(Heap, ImpossibleSizesAreTheFatalAllocationError) {
  auto outcome = RunInChild([] { runtime::AllocateBlock(-5); });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_EQ(outcome.boxes,
            "错误|运行时出错!\r\n\r\n错误信息：分配 -5 字节内存失败!\r\n\r\n0, 0\r\n\n");

  outcome = RunInChild([] { runtime::ReallocateBlock(runtime::AllocateBlock(4), -1); });
  EXPECT_EQ(outcome.exit_code, 255);
  EXPECT_NE(outcome.boxes.find("分配 -1 字节内存失败!"), std::string::npos);
}

TEST(Heap, MakeArrayWritableCopiesOnlyConstants) {
  TestProgram program;
  const KernelEntryTable& kernel = program.Start();
  void* array = program.constants.array;
  kernel.Service(service::kMakeArrayWritable, 4, reinterpret_cast<intptr_t>(&array), 0, 0, 0);
  ASSERT_NE(array, static_cast<void*>(program.constants.array));
  EXPECT_EQ(std::memcmp(array, program.constants.array, sizeof program.constants.array), 0);

  // Writing the copy leaves the constant alone; a heap array is already writable.
  static_cast<uint32_t*>(array)[2] = 99;
  EXPECT_EQ(program.constants.array[2], 10u);
  void* before = array;
  kernel.Service(service::kMakeArrayWritable, 4, reinterpret_cast<intptr_t>(&array), 0, 0, 0);
  EXPECT_EQ(array, before);
  kernel.FreeBlock(array);
}

TEST(Heap, MakeArrayWritableNeverCopiesPastTheConstantArea) {
  TestProgram program;
  const KernelEntryTable& kernel = program.Start();
  program.constants.array[1] = 1000000;  // a header claiming far more than the area holds
  void* array = program.constants.array;
  kernel.Service(service::kMakeArrayWritable, 4, reinterpret_cast<intptr_t>(&array), 0, 0, 0);
  ASSERT_NE(array, static_cast<void*>(program.constants.array));
  EXPECT_STREQ(reinterpret_cast<char*>(array) + sizeof program.constants.array, "end");
  kernel.FreeBlock(array);
}

}  // namespace
}  // namespace barvell
