#include "code39_batch.h"

#include <optional>

#include "batch_save.h"
#include "code39_drawing.h"
#include "code_range.h"
#include "control_calls.h"
#include "increment_formula.h"
#include "program_windows.h"
#include "service_calls.h"
#include "text_calls.h"

namespace barvell::app {

const char kIncrementFormulaHelp[] =
    "注:增量部分用?n*?表示其中*为保留位数,例如AT?n3?,起始位置为1那么就会生成AT001,"
    "每次增加1则生产AT002、AT003、AT004依次类推直至结束位置;如果留空则按起始位置到终止为止"
    "依次增加";

namespace {

namespace ids {
constexpr ComponentId kStart = 0x16010269;      // 编辑框1 起始位置
constexpr ComponentId kEnd = 0x1601026B;        // 编辑框2 结束位置
constexpr ComponentId kStep = 0x1601026D;       // 编辑框3 单次增加
constexpr ComponentId kGenerate = 0x1601026E;   // 按钮1 生成编码信息
constexpr ComponentId kFormula = 0x16010270;    // 编辑框6 计算公式
constexpr ComponentId kChoose = 0x1601025A;     // 按钮3 ..
constexpr ComponentId kDirectory = 0x1601025B;  // 编辑框5 存放目录
constexpr ComponentId kBatchSave = 0x1601025D;  // 按钮2 批量生成
constexpr ComponentId kCodeList = 0x1601025E;   // 编辑框4
}  // namespace ids

const BatchWindowControls kControls{kCode39BatchWindow, ids::kCodeList, ids::kDirectory,
                                    {ids::kGenerate, ids::kChoose, ids::kBatchSave}};

// Any text can be drawn; bytes outside Code 39 stay in the text and the file name.
bool IsNotEmpty(const std::string& line) { return !line.empty(); }

const BatchSymbology kCode39{IsNotEmpty, RenderCode39};

constexpr char kSetCodesMessage[] = "请设置编码信息";
constexpr char kFormulaMessage[] = "公式设置错误,请按规定设置";

std::string Edit(ComponentId id) { return EditText(kCode39BatchWindow, id); }

}  // namespace

void GenerateCodeList() {
  const std::string start = Edit(ids::kStart);
  const std::string end = Edit(ids::kEnd);
  const std::string step_text = Edit(ids::kStep);
  if (start.empty() || end.empty() || step_text.empty()) {
    ShowMessageBox(kSetCodesMessage, kErrorIcon);
    return;
  }
  const int32_t last = ToInteger(end);
  const int32_t first = ToInteger(start);
  const int32_t step = ToInteger(step_text);

  // The empty formula: the number alone, not filled.
  const std::string formula_text = Edit(ids::kFormula);
  std::optional<IncrementFormula> formula = IncrementFormula{};
  if (!formula_text.empty()) formula = ParseIncrementFormula(formula_text);
  if (!formula) {
    ShowMessageBox(kFormulaMessage, kErrorIcon);
    return;
  }
  if (first > last) return;
  // A step that never reaches the end would never stop.
  if (step < 1) {
    ShowMessageBox(kSetCodesMessage, kErrorIcon);
    return;
  }
  if (RangeCount(first, last, step) > kMaxRangeCodes) {
    ShowMessageBox(kRangeTooLongMessage, kErrorIcon);
    return;
  }
  for (int64_t n = first; n <= last; n += step)
    AppendText(kCode39BatchWindow, ids::kCodeList, FormulaCode(*formula, int32_t(n)) + "\r\n");
}

HandlerResult Code39Batch_Help_LeftDown(const uint32_t*, uint32_t) {
  ShowMessageBox(kIncrementFormulaHelp, kInformationIcon);
  return HandlerResult::None();
}

HandlerResult Code39Batch_GenerateList_Click(const uint32_t*, uint32_t) {
  GenerateCodeList();
  return HandlerResult::None();
}

HandlerResult Code39Batch_ChooseDirectory_Click(const uint32_t*, uint32_t) {
  ChooseStorageDirectory(kControls, "请选择文件夹");
  return HandlerResult::None();
}

HandlerResult Code39Batch_BatchSave_Click(const uint32_t*, uint32_t) {
  BatchSave(kControls, kCode39);
  return HandlerResult::None();
}

HandlerResult Code39Batch_Destroying(const uint32_t*, uint32_t) {
  BatchWindowDestroyed(kCode39BatchWindow);
  return HandlerResult::None();
}

}  // namespace barvell::app
