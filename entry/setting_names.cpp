#include "entry/setting_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>

namespace barvell::entry {

namespace {

constexpr SettingName kSettings[] = {
    {"输出宽度", "width", "编辑框_输出宽度", SettingKind::kText},
    {"输出高度", "height", "编辑框_输出高度", SettingKind::kText},
    {"打印分辨率", "dpi", "编辑框_打印分辨率", SettingKind::kText},
    {"线条粗细", "line-width", "编辑框8", SettingKind::kText},
    {"条码高度", "bar-height", "编辑框9", SettingKind::kText},
    {"标识符加长", "guard-extension", "编辑框10", SettingKind::kText},
    {"字体大小", "font-size", "编辑框11", SettingKind::kText},
    {"顶部边距", "top-margin", "编辑框5", SettingKind::kText},
    {"左边边距", "left-margin", "编辑框6", SettingKind::kText},
    {"背景颜色", "background", "颜色选择器1", SettingKind::kColour},
    {"线条颜色", "bar-colour", "颜色选择器2", SettingKind::kColour},
    {"字体颜色", "text-colour", "颜色选择器3", SettingKind::kColour},
    {"保存格式", "format", "组合框1", SettingKind::kFormat},
};

// The combo box's items, in order.
constexpr const char* kFormats[] = {"PNG", "JPG", "BMP"};

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::span<const SettingName> SettingNames() { return kSettings; }

const SettingName* FindSetting(std::string_view name) {
  for (const SettingName& s : kSettings) {
    if (name == s.caption || SameLetters(name, s.alias)) return &s;
  }
  // "color" for the American reader.
  if (name.ends_with("-color")) {
    std::string british(name.substr(0, name.size() - 5));
    british += "colour";
    return FindSetting(british);
  }
  return nullptr;
}

std::optional<unsigned> ParseColour(std::string_view text) {
  if (text.starts_with('#')) {
    std::string_view hex = text.substr(1);
    if (hex.size() != 6) return std::nullopt;
    unsigned rgb = 0;
    auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
    if (ec != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
    // #RRGGBB -> 0x00BBGGRR
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
  }
  unsigned value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > 0xFFFFFF)
    return std::nullopt;
  return value;
}

std::optional<int> ParseFormat(std::string_view text) {
  if (SameLetters(text, "JPEG")) return 1;
  for (size_t i = 0; i < std::size(kFormats); ++i) {
    if (SameLetters(text, kFormats[i])) return int(i);
  }
  return std::nullopt;
}

}  // namespace barvell::entry
