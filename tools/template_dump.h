// The dump: a template area's windows back as source text that the compiler turns into
// the same bytes.
#pragma once

#include <string>
#include <vector>

#include "runtime/templates/template_area.h"
#include "tools/handler_names.h"

namespace barvell::tools {

// Handler offsets are written as names when `handlers` knows them, else as @offset.
std::string DumpWindows(const std::vector<runtime::WindowSource>& windows,
                        const HandlerNames* handlers);

}  // namespace barvell::tools
