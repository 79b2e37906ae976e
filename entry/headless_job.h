// A command-line job run: the real program on the headless window system, driven by the
// job's script, its message boxes printed, on a private copy of its settings file.
#pragma once

#include "entry/command_line.h"

namespace barvell::entry {

// The process exit status: 0 when no error message box was shown, 1 when one was, 2 for
// a usage error (bad script, missing file).
int RunHeadlessJob(const Job& job);

}  // namespace barvell::entry
