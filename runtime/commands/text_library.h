// The text and number commands as library commands of the runtime's first command library
// (numbers in barvell::command). Each reads its ArgRecords, converts arguments of another
// kind the way ToInteger / ToNumber / ToText do, and fills the zeroed ResultRecord: ints in
// the low word, doubles as their bits, texts and arrays as new heap blocks (an empty text
// or byte array is no block, a zero result).
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"

namespace barvell::runtime {

void TextLengthCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void LeftTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void RightTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void MidTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void FindTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ToUpperCommand(ResultRecord* result, int32_t count, ArgRecord* args);
// The result is an array block: u32 1, u32 count, then count text pointers (null for an
// empty element). The caller frees every element, then the block.
void SplitTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ToNumberCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ToIntegerCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ToTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void RemainderCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void BlankBytesCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ByteArrayLengthCommand(ResultRecord* result, int32_t count, ArgRecord* args);

}  // namespace barvell::runtime
