// The colour popup's 32 preset colours in grid order (row by row, 7 per row), with the
// names the popup gives them.
#pragma once

#include <array>
#include <cstdint>

namespace barvell::runtime::controls {

struct PresetColour {
  const char* name;  // GBK
  uint8_t red, green, blue;
  // As the program's colour values (COLORREF): blue in the high byte.
  constexpr uint32_t ColourRef() const { return uint32_t(blue) << 16 | uint32_t(green) << 8 | red; }
};

inline constexpr std::array<PresetColour, 32> kPresetColours = {{
    {"黑色", 0, 0, 0},       {"藏青", 0, 0, 128},     {"墨绿", 0, 128, 0},
    {"深青", 0, 128, 128},   {"红褐", 128, 0, 0},     {"紫红", 128, 0, 128},
    {"褐绿", 128, 128, 0},   {"浅灰", 192, 192, 192}, {"灰色", 128, 128, 128},
    {"蓝色", 0, 0, 255},     {"绿色", 0, 255, 0},     {"艳青", 0, 255, 255},
    {"红色", 255, 0, 0},     {"品红", 255, 0, 255},   {"黄色", 255, 255, 0},
    {"白色", 255, 255, 255}, {"蓝灰", 128, 128, 255}, {"藏蓝", 88, 48, 224},
    {"嫩绿", 128, 224, 0},   {"青绿", 0, 224, 128},   {"黄褐", 192, 96, 0},
    {"粉红", 255, 168, 255}, {"嫩黄", 216, 216, 0},   {"银白", 236, 236, 236},
    {"紫色", 144, 0, 255},   {"天蓝", 0, 136, 255},   {"灰绿", 128, 160, 128},
    {"青蓝", 0, 96, 192},    {"橙黄", 255, 128, 0},   {"桃红", 255, 80, 128},
    {"芙红", 255, 128, 192}, {"深灰", 96, 96, 96},
}};

inline constexpr int kPresetColumns = 7;

}  // namespace barvell::runtime::controls
