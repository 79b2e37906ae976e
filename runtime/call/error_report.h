// The runtime error report: every fatal error of the runtime ends here. It shows the
// composed message and ends the program with exit code -1.
#pragma once

#include <cstdint>
#include <string>

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

// Runtime error n (1 to 11) raised by the program's code: its text from the error table.
[[noreturn]] void RaiseRuntimeError(int32_t error, uint32_t position_a, uint32_t position_b);

// The report's text, byte for byte, as the box shows it.
std::string ComposeErrorReport(const char* message, int32_t code, uint32_t position_a,
                               uint32_t position_b);

// The caption of the report's box.
inline constexpr const char* kErrorReportCaption = "错误";

}  // namespace barvell::runtime
