// Runtime initialisation (service 6), as far as it goes without windows.
#pragma once

namespace barvell::runtime {

// Reads the attached program's descriptor: run mode, program directory and file name
// (and the current directory set to it), start-up thread, ConstantArea, DLL command
// tables, command libraries (each notified with the service callback), window templates.
void InitialiseRuntime();

}  // namespace barvell::runtime
