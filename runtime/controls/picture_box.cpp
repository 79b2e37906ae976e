// Picture box: a surface in its background colour (the picture itself is drawn once
// picture decoding exists).
#include <memory>

#include "runtime/controls/border_style.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/control_types.h"
#include "runtime/controls/native_control.h"
#include "runtime/controls/property_blocks.h"
#include "runtime/controls/type_table.h"

namespace barvell::runtime::controls {

namespace {

constexpr auto kProperties = PropertyTable<15>({
    {8, "边框", "BorderStyle", data_type::kChoice},
    {10, "背景颜色", "BackColor", data_type::kColour},
});

ComponentObject* Create(const CreateRequest& request) {
  std::optional<PictureBoxBlock> block = DecodeBlock<PictureBoxBlock>(request.property_block);
  if (!block) return nullptr;
  return CreateSurface(type_id::kPictureBox, request, ui::ControlKind::kSurface,
                       BorderFromStyle(block->border_style), BackgroundRgb(block->back_colour))
      .release();
}

TypeOperation Interface(int32_t operation) {
  if (operation == type_operation::kCreate) return reinterpret_cast<TypeOperation>(&Create);
  return nullptr;
}

}  // namespace

constinit const TypeDescriptor kPicBoxType =
    MakeType("图片框", "PicBox", kRaisesEvents, kProperties, Interface);

}  // namespace barvell::runtime::controls
