// Window: the window component of every window, created from the window PropertyBlock.
#include "runtime/controls/control_types.h"
#include "runtime/controls/type_table.h"
#include "runtime/controls/window_creation.h"

namespace barvell::runtime::controls {

namespace {

// One property per option of the window PropertyBlock after its version.
constexpr auto kProperties = PropertyTable<type_id::kWindow>({
    {property::kWindowBorderStyle, "边框", "BorderStyle", data_type::kChoice},
    {property::kWindowBackColour, "背景颜色", "BackColor", data_type::kColour},
    {property::kWindowCaption, "标题", "Caption", data_type::kText},
});

}  // namespace

constinit const TypeDescriptor kWindowType =
    MakeType(type_id::kWindow, kRaisesEvents, kProperties,
             Operations<&CreateWindowComponent>);

}  // namespace barvell::runtime::controls
