#include "runtime/call/event_records.h"

#include "runtime/call/frame_hooks.h"

namespace barvell::runtime {

EventOutcome RaiseEvent(WindowId window, ComponentId component, int32_t event,
                        std::initializer_list<uint32_t> arguments) {
  EventRecord record;
  record.window = window;
  record.component = component;
  record.event = event;
  for (uint32_t argument : arguments) {
    if (record.argument_count == 5) break;
    record.arguments[record.argument_count++] = argument;
  }
  EventOutcome outcome;
  outcome.handled = Frame().dispatch && Frame().dispatch(record) != 0;
  outcome.has_value = record.result_flag != 0;
  outcome.value = int32_t(record.result_value);
  return outcome;
}

}  // namespace barvell::runtime
