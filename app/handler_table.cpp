#include "handler_table.h"

#include <string_view>

#include "code39_batch.h"
#include "code39_drawing.h"
#include "main_window_handlers.h"
#include "menus.h"
#include "product_batch.h"
#include "tutorial.h"

namespace barvell::app {

namespace {

struct HandlerBinding {
  std::string_view name;
  Handler function;
};

// The handlers that exist, by their names in handlers.def.
#define BIND(name) {#name, &name},
constexpr HandlerBinding kBindings[] = {
    // Main window
    BIND(MainWindow_Created)
    BIND(MainWindow_Destroying)
    BIND(MainWindow_Sized)
    BIND(MainWindow_ComputeCode_Click)
    BIND(MainWindow_DrawFullCode_Click)
    BIND(MainWindow_DrawProductCode_Click)
    BIND(MainWindow_SavePicture_Click)
    BIND(MainWindow_Refresh_Click)
    BIND(MainWindow_ProductBatch_Click)
    BIND(MainWindow_Code39Batch_Click)
    BIND(MainWindow_HorizontalBar_Changed)
    BIND(MainWindow_VerticalBar_Changed)
    BIND(MainWindow_OutputWidth_Changed)
    BIND(MainWindow_OutputHeight_Changed)
    BIND(MainWindow_Resolution_Changed)
    BIND(MainWindow_SaveFormat_Changed)
    BIND(MainWindow_BackColour_Changed)
    BIND(MainWindow_LineColour_Changed)
    BIND(MainWindow_TextColour_Changed)
    BIND(MainWindow_BarHeight_Changed)
    BIND(MainWindow_GuardExtension_Changed)
    BIND(MainWindow_TopMargin_Changed)
    BIND(MainWindow_LeftMargin_Changed)
    BIND(MainWindow_FontSize_Changed)
    // Code 39, the help menu, the batch and tutorial windows
    BIND(MainWindow_DrawCode39_Click)
    BIND(MainWindow_ShowTutorial)
    BIND(MainWindow_ShowAbout)
    BIND(ProductBatch_ComputeCodes_Click)
    BIND(ProductBatch_ChooseDirectory_Click)
    BIND(ProductBatch_BatchSave_Click)
    BIND(ProductBatch_Destroying)
    BIND(Code39Batch_Help_LeftDown)
    BIND(Code39Batch_GenerateList_Click)
    BIND(Code39Batch_ChooseDirectory_Click)
    BIND(Code39Batch_BatchSave_Click)
    BIND(Code39Batch_Destroying)
    BIND(Tutorial_OpenPage_Click)
};
#undef BIND

// A name with no handler yet gets none, which dispatch treats as no handler.
constexpr Handler Bound(std::string_view name) {
  for (const HandlerBinding& b : kBindings) {
    if (b.name == name) return b.function;
  }
  return nullptr;
}

}  // namespace

const HandlerEntry kHandlerTable[] = {
#define BARVELL_HANDLER(name) {#name, Bound(#name)},
#include "handlers.def"
#undef BARVELL_HANDLER
};

const size_t kHandlerCount = sizeof kHandlerTable / sizeof kHandlerTable[0];

}  // namespace barvell::app
