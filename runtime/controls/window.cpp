// Window: the window component of every window, created from the window PropertyBlock.
#include "runtime/controls/control_types.h"
#include "runtime/controls/type_table.h"
#include "runtime/controls/window_creation.h"

namespace barvell::runtime::controls {

namespace {

// One property per option of the window PropertyBlock after its version.
constexpr auto kProperties = PropertyTable<32>({
    {8, "边框", "BorderStyle", data_type::kChoice},
    {11, "背景颜色", "BackColor", data_type::kColour},
    {31, "标题", "Caption", data_type::kText},
});

}  // namespace

constinit const TypeDescriptor kWindowType =
    MakeType("窗口", "Window", kRaisesEvents, kProperties,
             Operations<&CreateWindowComponent>);

}  // namespace barvell::runtime::controls
