// The EAN-13 core as a batch uses it: one check digit and one encoding per code, each
// digit read through the runtime's text commands.
#include <benchmark/benchmark.h>

#include <string>

#include "ean13.h"
#include "kernel.h"
#include "program_globals.h"
#include "runtime/call/kernel_entries.h"
#include "runtime/call/runtime_state.h"

namespace {

using namespace barvell;

void UseRuntime() {
  static const ProgramDescriptor kDescriptor = [] {
    ProgramDescriptor d{};
    d.run_mode = 3;
    d.library_count = 9;
    return d;
  }();
  static bool ready = [] {
    runtime::AttachProgram(&kDescriptor);
    app::SetKernel(&runtime::KernelEntries());
    app::Kernel().Service(service::kInitialise, 0, 0, 0, 0, 0);
    app::AllocateGlobals();
    app::BuildEan13Tables();
    return true;
  }();
  (void)ready;
}

std::string Code12(int64_t n) {
  std::string digits = std::to_string(690123000000 + n % 1000000);
  return digits;
}

void CheckDigit(benchmark::State& state) {
  UseRuntime();
  int64_t n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(app::ComputeCheckDigit(Code12(n++)));
}
BENCHMARK(CheckDigit);

void CompleteAndEncode(benchmark::State& state) {
  UseRuntime();
  int64_t n = 0;
  for (auto _ : state) {
    auto full = app::CompleteCode("690123", std::to_string(100000 + n++ % 900000));
    benchmark::DoNotOptimize(app::EncodeEan13(*full));
  }
}
BENCHMARK(CompleteAndEncode);

}  // namespace
