#include "handler_table.h"

namespace barvell::app {

// The handlers themselves come with the windows' behaviour; until then every entry is
// present by name with no function, which dispatch treats as no handler.
const HandlerEntry kHandlerTable[] = {
#define BARVELL_HANDLER(name) {#name, nullptr},
#include "handlers.def"
#undef BARVELL_HANDLER
};

const size_t kHandlerCount = sizeof kHandlerTable / sizeof kHandlerTable[0];

}  // namespace barvell::app
