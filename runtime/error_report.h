// The runtime error report: every fatal error of the runtime ends here. It shows the
// composed message and ends the process with exit code -1.
#pragma once

#include <cstdint>

namespace barvell::runtime {

// Shows "运行时出错!" with the code, the GBK message and the position words (a WindowId
// and a ComponentId where the error concerns a component), then ends the program with -1.
[[noreturn]] void RuntimeErrorReport(const char* message, int32_t code, uint32_t position_a,
                                     uint32_t position_b);

// A fatal runtime error without error number.
[[noreturn]] inline void FatalError(const char* message, uint32_t position_a = 0,
                                    uint32_t position_b = 0) {
  RuntimeErrorReport(message, 0, position_a, position_b);
}

}  // namespace barvell::runtime
