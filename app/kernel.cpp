#include "kernel.h"

namespace barvell::app {

namespace {
const KernelEntryTable* g_kernel = nullptr;
}

void SetKernel(const KernelEntryTable* kernel) { g_kernel = kernel; }

const KernelEntryTable& Kernel() { return *g_kernel; }

}  // namespace barvell::app
