// A batch window's code list as the batches use it: one code appended per line, then the
// whole list split at its line breaks. Both should grow with the list's length, not with
// its square (compare the complexity estimates for 1,000 to 100,000 codes).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/ui/headless/headless_window_system.h"
#include "runtime/commands/text_commands.h"

namespace {

using namespace barvell;

constexpr char kCodeLine[] = "6901234560015\r\n";

ui::WindowHandle CodeList(ui::HeadlessWindowSystem& ws) {
  ui::TopLevelParams window;
  window.caption = "codes";
  window.outer = {50, 50, 393, 241};
  ui::ControlParams list;
  list.kind = ui::ControlKind::kEdit;
  list.parent = ws.CreateTopLevel(window);
  list.rect = {0, 0, 192, 208};
  list.multiLine = true;
  return ws.CreateControl(list);
}

void AppendCodes(benchmark::State& state) {
  for (auto _ : state) {
    ui::HeadlessWindowSystem ws;
    ui::WindowHandle list = CodeList(ws);
    for (int64_t i = 0; i < state.range(0); ++i) ws.AppendText(list, kCodeLine);
    benchmark::DoNotOptimize(ws.GetText(list).size());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(AppendCodes)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

void SplitCodes(benchmark::State& state) {
  std::string text;
  for (int64_t i = 0; i < state.range(0); ++i) text += kCodeLine;
  for (auto _ : state) benchmark::DoNotOptimize(runtime::SplitText(text.c_str(), "\r\n").size());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(SplitCodes)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

}  // namespace
