// The main window's settings as the command line names them: by the caption beside the
// control (without its colon) or by an English alias, and how a person enters each.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace barvell::entry {

enum class SettingKind {
  kText,    // an edit box: the value is pasted over its content
  kColour,  // a colour picker: the colour is chosen through the picker
  kFormat,  // the save-format combo box: the item is chosen
};

struct SettingName {
  const char* caption;  // UTF-8, as on the screen without the colon
  const char* alias;
  const char* control;  // the control's template name (UTF-8)
  SettingKind kind;
};

std::span<const SettingName> SettingNames();
// By caption or alias (the alias case-insensitively); null when there is none.
const SettingName* FindSetting(std::string_view name);

// "#RRGGBB" (or "RRGGBB" after '#') or a decimal COLORREF 0..16777215 -> COLORREF.
std::optional<unsigned> ParseColour(std::string_view text);
// "PNG", "JPG" or "BMP" (any case; "JPEG" too) -> the combo box item index.
std::optional<int> ParseFormat(std::string_view text);

}  // namespace barvell::entry
