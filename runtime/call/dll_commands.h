// DLL commands: outside functions the program calls by DLL file name and export name,
// bound on first call and kept until shutdown.
#pragma once

#include <cstdint>

namespace barvell::runtime {

// The address of DLL command `number`, binding it on first use. An export that cannot be
// found is fatal ("无法找到指定DLL库文件…中的输出命令…"), as is a number outside the table.
void* BindDllCommand(int32_t number);

}  // namespace barvell::runtime
