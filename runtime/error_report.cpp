#include "runtime/error_report.h"

#include <cstdio>
#include <cstdlib>

namespace barvell::runtime {

// Minimal first form: the full report (composition, message box, shutdown) replaces it.
void RuntimeErrorReport(const char* message, int32_t code, uint32_t a, uint32_t b) {
  std::fprintf(stderr, "runtime error %d: %s\n%u, %u\n", code, message ? message : "", a, b);
  std::exit(-1);
}

}  // namespace barvell::runtime
