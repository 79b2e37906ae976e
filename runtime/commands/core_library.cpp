// The runtime's first command library. Command numbers are those of barvell::command.
#include <iterator>

#include "barvell/call_interface.h"
#include "runtime/command_library.h"
#include "runtime/commands/text_library.h"

namespace barvell::runtime {

namespace {

constexpr LibraryCommand kCoreCommands[] = {
    /* command::kTextLength      */ TextLengthCommand,
    /* command::kLeftText        */ LeftTextCommand,
    /* command::kRightText       */ RightTextCommand,
    /* command::kMidText         */ MidTextCommand,
    /* command::kFindText        */ FindTextCommand,
    /* command::kToUpper         */ ToUpperCommand,
    /* command::kSplitText       */ SplitTextCommand,
    /* command::kToNumber        */ ToNumberCommand,
    /* command::kToInteger       */ ToIntegerCommand,
    /* command::kToText          */ ToTextCommand,
    /* command::kRemainder       */ RemainderCommand,
    /* command::kBlankBytes      */ BlankBytesCommand,
    /* command::kByteArrayLength */ ByteArrayLengthCommand,
};
static_assert(size_t(command::kByteArrayLength) + 1 == std::size(kCoreCommands),
              "one entry per command number, in order");

}  // namespace

// Component types are added here as the controls arrive.
const CommandLibrary kCoreLibrary = {
    "core", int32_t(std::size(kCoreCommands)), kCoreCommands, 0, nullptr, nullptr,
};

}  // namespace barvell::runtime
