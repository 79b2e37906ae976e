// The product-code batch window (商品编码): the full EAN-13 codes of a range of self codes
// under one fixed code, listed and then saved one picture per code.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::app {

// 计算编码: appends fixed + self + check digit for every self number of the range, the
// self numbers zero-filled to the longer typed width of start and end.
void ComputeCodes();

HandlerResult ProductBatch_ComputeCodes_Click(const uint32_t* args, uint32_t count);
HandlerResult ProductBatch_ChooseDirectory_Click(const uint32_t* args, uint32_t count);
HandlerResult ProductBatch_BatchSave_Click(const uint32_t* args, uint32_t count);
HandlerResult ProductBatch_Destroying(const uint32_t* args, uint32_t count);

}  // namespace barvell::app
