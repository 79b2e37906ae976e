#include "product_batch.h"

#include <algorithm>

#include "batch_save.h"
#include "code_range.h"
#include "control_calls.h"
#include "ean13.h"
#include "ean13_drawing.h"
#include "program_windows.h"
#include "service_calls.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

namespace ids {
constexpr ComponentId kFixedCode = 0x16010200;  // 编辑框1 固定编码
constexpr ComponentId kStart = 0x16010203;      // 编辑框2 起始位置
constexpr ComponentId kEnd = 0x16010205;        // 编辑框3 终止位置
constexpr ComponentId kCompute = 0x16010206;    // 按钮1 计算编码
constexpr ComponentId kCodeList = 0x16010207;   // 编辑框4
constexpr ComponentId kBatchSave = 0x16010208;  // 按钮2 批量生成
constexpr ComponentId kDirectory = 0x16010245;  // 编辑框5 存放目录
constexpr ComponentId kChoose = 0x16010246;     // 按钮3 ..
}  // namespace ids

const BatchWindowControls kControls{kProductBatchWindow, ids::kCodeList, ids::kDirectory,
                                    {ids::kCompute, ids::kChoose, ids::kBatchSave}};

// Only a full code is drawn; its characters are not looked at.
bool IsFullCodeLength(const std::string& line) { return TextLength(line) == 13; }

const BatchSymbology kEan13{IsFullCodeLength, RenderEan13};

std::string Edit(ComponentId id) { return EditText(kProductBatchWindow, id); }

}  // namespace

void ComputeCodes() {
  const std::string fixed = Edit(ids::kFixedCode);
  const std::string start = Edit(ids::kStart);
  const std::string end = Edit(ids::kEnd);
  if (fixed.empty() || start.empty() || end.empty()) {
    ShowMessageBox("请输入编码信息", kErrorIcon);
    return;
  }
  const int32_t width = std::max(TextLength(start), TextLength(end));
  const int32_t first = ToInteger(start);
  const int32_t last = ToInteger(end);
  if (RangeCount(first, last, 1) > kMaxRangeCodes) {
    ShowMessageBox(kRangeTooLongMessage, kErrorIcon);
    return;
  }
  for (int64_t n = first; n <= last; ++n) {
    const std::string base = fixed + ZeroFilled(ToText(int32_t(n)), width);
    AppendText(kProductBatchWindow, ids::kCodeList, base + ComputeCheckDigit(base) + "\r\n");
  }
}

HandlerResult ProductBatch_ComputeCodes_Click(const uint32_t*, uint32_t) {
  ComputeCodes();
  return HandlerResult::None();
}

HandlerResult ProductBatch_ChooseDirectory_Click(const uint32_t*, uint32_t) {
  ChooseStorageDirectory(kControls, "请选择目录");
  return HandlerResult::None();
}

HandlerResult ProductBatch_BatchSave_Click(const uint32_t*, uint32_t) {
  BatchSave(kControls, kEan13);
  return HandlerResult::None();
}

HandlerResult ProductBatch_Destroying(const uint32_t*, uint32_t) {
  BatchWindowDestroyed(kProductBatchWindow);
  return HandlerResult::None();
}

}  // namespace barvell::app
