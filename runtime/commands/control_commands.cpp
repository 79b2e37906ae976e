#include "runtime/commands/control_commands.h"

#include <string>

#include "platform/ui/geometry.h"
#include "runtime/commands/text_commands.h"
#include "runtime/controls/combo_box.h"
#include "runtime/windows/control_object.h"
#include "runtime/controls/edit_box.h"
#include "runtime/call/service_callback.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime {

namespace {

ArgRecord Arg(int32_t count, const ArgRecord* args, int32_t i) {
  return i < count && args != nullptr ? args[i] : ArgRecord{};
}

// The live object a reference names; the service ends in the runtime error report when
// the window or component is missing or not loaded.
ComponentObject* Referenced(const ArgRecord& reference) {
  return reinterpret_cast<ComponentObject*>(LibraryServiceCallback(
      library_service::kRequireComponentObject, intptr_t(reference.low),
      intptr_t(reference.high)));
}

ui::Size ClientSizeOf(const ArgRecord& reference) {
  ControlObject* control = AsControl(Referenced(reference));
  if (control == nullptr || !control->HasWindow()) return {};
  return Ui().ClientSize(control->Handle());
}

int32_t IntArg(const ArgRecord& a) { return a.tag == tag::kInt ? int32_t(a.low) : ToInteger(a); }

void SetInt(ResultRecord* r, int32_t v) { r->low = uint32_t(v); }

}  // namespace

void GetClientWidthCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  SetInt(result, ClientSizeOf(Arg(count, args, 0)).width);
}

void GetClientHeightCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  SetInt(result, ClientSizeOf(Arg(count, args, 0)).height);
}

void ComboItemDataCommand(ResultRecord* result, int32_t count, ArgRecord* args) {
  ComponentObject* combo = Referenced(Arg(count, args, 0));
  SetInt(result, controls::ComboItemData(combo, IntArg(Arg(count, args, 1))));
}

void AppendTextCommand(ResultRecord*, int32_t count, ArgRecord* args) {
  ComponentObject* edit = Referenced(Arg(count, args, 0));
  for (int32_t i = 1; i < count; ++i) {
    const ArgRecord& a = args[i];
    // A value of another kind is appended as its text, never taken for a pointer.
    std::string text = a.tag == tag::kText ? std::string(a.Text() ? a.Text() : "") : ToText(a);
    if (text.empty()) continue;
    if (!controls::AppendToEditBox(edit, text)) return;
  }
}

}  // namespace barvell::runtime
