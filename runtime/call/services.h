// The ServiceTable: services 0 to 6, reached through the kernel's service entry.
#pragma once

#include <cstdint>

#include "barvell/call_interface.h"

namespace barvell::runtime {

// Unknown service numbers answer 0.
intptr_t CallService(int32_t service, intptr_t a, intptr_t b, intptr_t c, intptr_t d,
                     intptr_t e);

// Service 0: the next name of a file search. `pattern` starts a search when *handle is 0
// (an empty pattern means "*"); `attributes` non-zero admits only entries having at least
// one of those attribute bits; `directories_only` admits only directories. The
// name is a new text; at the end of the search the handle is closed, set to 0, and the
// result is null.
char* FindFile(const char* pattern, uint32_t attributes, bool directories_only,
               intptr_t* handle);
// Service 1.
void CloseFileSearch(intptr_t handle);
// Service 2: a ConstantArea array is replaced by a heap copy of its header and elements.
void MakeArrayWritable(int32_t element_size, void** array);
// Service 3: added once; called at shutdown with its position.
void RegisterCleanup(CleanupRoutine routine);

}  // namespace barvell::runtime
