// The message box command: any value shown as text, the style flags passed through (task
// modal unless system modal), the default caption, an owner only when asked for.
#include <string>

#include "platform/text/gbk.h"
#include "platform/ui/dialogs.h"
#include "runtime/call/service_callback.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/dialog_commands.h"
#include "runtime/commands/text_commands.h"
#include "runtime/windows/control_object.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

constexpr char kDefaultCaption[] = "信息：";

// Results by the button that closed the box; anything else is 0.
struct AnswerResult {
  ui::MessageBoxAnswer answer;
  int32_t result;
};
constexpr AnswerResult kAnswerResults[] = {
    {ui::MessageBoxAnswer::kOk, 0},    {ui::MessageBoxAnswer::kCancel, 1},
    {ui::MessageBoxAnswer::kAbort, 2}, {ui::MessageBoxAnswer::kRetry, 3},
    {ui::MessageBoxAnswer::kIgnore, 4}, {ui::MessageBoxAnswer::kYes, 5},
    {ui::MessageBoxAnswer::kNo, 6},
};

// Texts as they are; numbers, logical values and dates through the to-text conversion;
// any other kind (byte arrays, subroutines, components) is no message.
std::string MessageText(const ArgRecord& content) {
  switch (content.tag) {
    case tag::kText:
    case tag::kByte:
    case tag::kShort:
    case tag::kInt:
    case tag::kLong:
    case tag::kFloat:
    case tag::kDouble:
    case tag::kBool:
    case tag::kDateTime: return ToText(content);
    default: return {};
  }
}

// A window reference gives the window's handle (none when it is not loaded); an integer
// is a handle already.
ui::WindowHandle OwnerOf(const ArgRecord& owner) {
  if (IsComponentReference(owner)) {
    auto* object = reinterpret_cast<ComponentObject*>(
        LibraryServiceCallback(library_service::kComponentObject, intptr_t(owner.low), 0));
    ControlObject* window = AsControl(object);
    return window != nullptr ? window->Handle() : ui::kNoWindow;
  }
  if (owner.tag == tag::kInt) return ui::WindowHandle(owner.low);
  return ui::kNoWindow;
}

}  // namespace

void ShowMessageBoxCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  ui::MessageBoxRequest request;
  request.text = platform::GbkToUtf8(MessageText(ArgAt(count, args, 0)));
  ArgRecord style = ArgAt(count, args, 1);
  request.style = IsGiven(style) ? uint32_t(ToInteger(style)) : 0;
  if ((request.style & ui::mb::kSystemModal) == 0) request.style |= ui::mb::kTaskModal;
  ArgRecord caption = ArgAt(count, args, 2);
  request.caption = platform::GbkToUtf8(IsGiven(caption) ? ToText(caption) : kDefaultCaption);
  if (count == 4) request.owner = OwnerOf(args[3]);

  ui::MessageBoxAnswer answer = Ui().ShowMessageBox(request);
  int32_t value = 0;
  for (const AnswerResult& a : kAnswerResults) {
    if (a.answer == answer) value = a.result;
  }
  result->low = uint32_t(value);
}

}  // namespace barvell::runtime
