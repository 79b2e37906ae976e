// The text and number commands as library commands (temporary declarations; the text
// helper's header replaces this file).
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
void SplitTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ToNumberCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ToIntegerCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ToTextCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void RemainderCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void BlankBytesCommand(ResultRecord* result, int32_t count, ArgRecord* args);
void ByteArrayLengthCommand(ResultRecord* result, int32_t count, ArgRecord* args);

}  // namespace barvell::runtime
