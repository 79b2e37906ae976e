// The process: its own module path, the current directory, debugger breaks and the end of
// the process. Paths are texts of the system's narrow code page (GBK).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace barvell::platform {

// The separator between directory and file name in paths of this platform.
constexpr char kPathSeparator = '/';

// The full path of the running program's own file ("" when it cannot be found).
std::string ModuleFileName();
// Makes ModuleFileName give this path from now on (the command line runs the program as
// if it lay in a private directory with a copy of its settings); "" undoes it.
void SetModuleFileNameForRun(std::string_view gbk_path);

bool SetCurrentDirectory(std::string_view path);
std::string CurrentDirectory();

// Breaks into an attached debugger; does nothing when no debugger is attached.
void RequestDebuggerBreak();

// Ends the process at once with the exit code, after flushing the standard streams. No
// static destructors run (nothing of the process must run after its shutdown).
[[noreturn]] void ExitProcess(int32_t exit_code);

}  // namespace barvell::platform
