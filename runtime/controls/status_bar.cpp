// Status bar: a surface in the button face along the window (its text is drawn with the
// surfaces' text drawing).
#include <memory>

#include "runtime/controls/colours.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<type_id::kStatusBar>({});

ComponentObject* Create(const CreateRequest& request) {
  std::optional<StatusBarBlock> block = DecodeBlock<StatusBarBlock>(request.property_block);
  if (!block) return nullptr;
  return CreateSurface(type_id::kStatusBar, request, ui::ControlKind::kSurface,
                       ui::ControlBorder::kStaticEdge, BackgroundRgb(kDefaultColourRef))
      .release();
}

}  // namespace

constinit const TypeDescriptor kStatusBarType =
    MakeType(type_id::kStatusBar, kRaisesEvents, kProperties, Operations<&Create>);

}  // namespace barvell::runtime::controls
