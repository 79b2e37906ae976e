#include "tests/fuzz/text_command_kernel.h"

#include "runtime/call/error_report.h"
#include "runtime/call/heap.h"
#include "runtime/commands/text_library.h"

namespace barvell {

// The runtime's error report shows a box and ends the program; under a fuzzer the error
// must come back to the caller, which decides whether it was due.
[[noreturn]] void runtime::RuntimeErrorReport(const char* message, int32_t, uint32_t, uint32_t) {
  throw fuzz::FatalRuntimeError{message != nullptr ? message : ""};
}

namespace fuzz {

namespace {

// The text and number commands at their numbers.
constexpr LibraryCommand kTextCommands[] = {
    runtime::TextLengthCommand,  runtime::LeftTextCommand,   runtime::RightTextCommand,
    runtime::MidTextCommand,     runtime::FindTextCommand,   runtime::ToUpperCommand,
    runtime::SplitTextCommand,   runtime::ToNumberCommand,   runtime::ToIntegerCommand,
    runtime::ToTextCommand,      runtime::RemainderCommand,  runtime::BlankBytesCommand,
    runtime::ByteArrayLengthCommand,
};
static_assert(command::kTextLength == 0 && command::kByteArrayLength == 12);

[[noreturn]] void Unexpected(const char* what) { throw FatalRuntimeError{what}; }

ResultRecord LibraryCommandOf(int32_t library, int32_t number, int32_t count, ArgRecord* args) {
  if (library != 1) Unexpected("a command of another library");
  return CallTextCommand(number, count, args);
}

const KernelEntryTable kKernel = {
    [](int32_t, uint32_t, uint32_t) { Unexpected("a runtime error raised by the program"); },
    [](int32_t) -> void* { Unexpected("a DLL command"); },
    LibraryCommandOf,
    CallTextCommand,
    [](WindowId, ComponentId, int32_t, int32_t) -> int64_t { Unexpected("a property read"); },
    [](WindowId, ComponentId, int32_t, int32_t, uint32_t, uint32_t) {
      Unexpected("a property write");
    },
    runtime::AllocateBlock,
    runtime::ReallocateBlock,
    runtime::FreeBlock,
    [](int32_t) { Unexpected("the end of the program"); },
    [] { Unexpected("a message loop"); },
    [](WindowId) { Unexpected("a window load"); },
    [](int32_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) -> intptr_t {
      Unexpected("a service");
    },
};

}  // namespace

ResultRecord CallTextCommand(int32_t number, int32_t count, ArgRecord* args) {
  if (number < 0 || size_t(number) >= std::size(kTextCommands)) Unexpected("no text command");
  ResultRecord result;
  kTextCommands[number](&result, count, args);
  return result;
}

const KernelEntryTable& TextCommandKernel() { return kKernel; }

}  // namespace fuzz
}  // namespace barvell
