// The Code 39 batch window (CODE39批量编码): codes of a numbered series, built by the
// increment formula, listed and then saved one picture per code.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::app {

// The formula help shown by the 帮助信息 label.
extern const char kIncrementFormulaHelp[];

// 生成编码信息: appends the code of every number start, start + step, ... up to end.
void GenerateCodeList();

HandlerResult Code39Batch_Help_LeftDown(const uint32_t* args, uint32_t count);
HandlerResult Code39Batch_GenerateList_Click(const uint32_t* args, uint32_t count);
HandlerResult Code39Batch_ChooseDirectory_Click(const uint32_t* args, uint32_t count);
HandlerResult Code39Batch_BatchSave_Click(const uint32_t* args, uint32_t count);
HandlerResult Code39Batch_Destroying(const uint32_t* args, uint32_t count);

}  // namespace barvell::app
