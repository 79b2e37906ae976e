#include "runtime/controls/window_creation.h"

#include <memory>

#include "platform/text/gbk.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/windows/window_object.h"
#include "runtime/windows/hidden_owner.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

constexpr uint32_t kCentred = 1;
constexpr uint32_t kLastBorder = 6;

WindowOptions OptionsOf(const WindowBlock& block) {
  WindowOptions options;
  options.esc_closes = block.esc_closes == 1;
  options.enter_moves_focus = block.enter_moves_focus == 1;
  options.f1_help = block.f1_help == 1;
  options.help_context = block.help_context;
  options.help_file = block.help_file;
  options.drag = block.drag == 1;
  options.start_position = block.start_position;
  options.sizeable = ui::IsSizeable(static_cast<ui::WindowBorder>(block.border));
  return options;
}

}  // namespace

ComponentObject* CreateWindowComponent(const CreateRequest& request) {
  std::optional<WindowBlock> block =
      DecodeBlock<WindowBlock>(request.property_block);
  if (!block || block->border > kLastBorder) return nullptr;

  ui::TopLevelParams params;
  params.caption = platform::GbkToUtf8(block->caption);
  params.border = static_cast<ui::WindowBorder>(block->border);
  params.maximiseBox = block->maximise_box == 1;
  params.minimiseBox = block->minimise_box == 1;
  params.controlBox = block->control_box == 1;
  params.alwaysOnTop = block->always_on_top != 0;
  ui::Rect outer{request.rect.left, request.rect.top, request.rect.width, request.rect.height};
  if (block->start_position == kCentred) {
    ui::ScreenMetrics screen = Ui().Metrics();
    outer.left = (screen.width - outer.width) / 2;
    outer.top = (screen.height - outer.height) / 2;
  }
  params.outer = outer;
  params.owner = request.owner;
  if (params.owner == ui::kNoWindow && (request.modal || block->taskbar == 0)) {
    params.owner = HiddenOwnerWindow();
  }

  ui::WindowHandle handle = Ui().CreateTopLevel(params);
  if (handle == ui::kNoWindow) return nullptr;
  ui::Rect made = Ui().GetRect(handle);
  if (made.width != outer.width || made.height != outer.height) Ui().SetRect(handle, outer);
  Ui().SetBackground(handle, BackgroundRgb(block->back_colour));
  // Icons, the notification-area icon and the background sound have no counterpart here.
  return new WindowObject(handle, OptionsOf(*block));
}

}  // namespace barvell::runtime::controls
