// The flag words of component records, as the template stores them and the common
// properties read and write them.
#pragma once

#include <cstdint>

namespace barvell::runtime {

// Flag bits of a control record.
namespace component_flag {
constexpr uint32_t kVisible = 1;
constexpr uint32_t kDisabled = 2;
constexpr uint32_t kTabStop = 4;
}  // namespace component_flag

// Flag bits of a menu item record.
namespace menu_flag {
constexpr uint32_t kHidden = 1;
constexpr uint32_t kDisabled = 2;
constexpr uint32_t kChecked = 4;
}  // namespace menu_flag

}  // namespace barvell::runtime
