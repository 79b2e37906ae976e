// libFuzzer target: the template area parser must refuse or accept any bytes without
// reading outside them, and what it accepts must survive a rewrite unchanged. Every
// property block the area holds goes through its type's decoder as well.
#include <cstddef>
#include <cstdint>

#include "runtime/controls/property_blocks.h"
#include "runtime/templates/template_area.h"

namespace {

using namespace barvell::runtime;

void DecodeBlocks(const TemplateArea& area) {
  for (const WindowTemplate& w : area.windows) {
    for (size_t i = 0; i < w.components.size(); ++i) {
      controls::WithBlockFor(w.components[i].type, [&](auto& block) {
        using Block = std::remove_reference_t<decltype(block)>;
        std::optional<Block> decoded = controls::DecodeBlock<Block>(w.PropertyBlock(i));
        if (decoded) {
          std::vector<uint8_t> again = controls::EncodeBlock(*decoded);
          if (!controls::DecodeBlock<Block>(again)) __builtin_trap();
        }
      });
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParseResult parsed = ParseTemplateArea(std::span<const uint8_t>(data, size));
  if (!parsed.ok()) {
    if (parsed.error.position > size || parsed.error.reason.empty()) __builtin_trap();
    return 0;
  }
  DecodeBlocks(*parsed.area);
  std::vector<uint8_t> rewritten = EncodeTemplateArea(ToSource(*parsed.area));
  ParseResult reparsed = ParseTemplateArea(rewritten);
  if (!reparsed.ok()) __builtin_trap();
  if (EncodeTemplateArea(ToSource(*reparsed.area)) != rewritten) __builtin_trap();
  return 0;
}
