#include "settings.h"

#include <string>

#include "control_calls.h"
#include "main_window_controls.h"
#include "service_calls.h"
#include "text_calls.h"

namespace barvell::app {

namespace {

using namespace main_window;

constexpr const char kSection[] = "条码生成";
constexpr const char kFileName[] = "\\boot.ini";

enum class Kind { kEdit, kColour, kFormat };

struct SettingKey {
  const char* key;
  ComponentId control;
  Kind kind;
  const char* default_text;  // edit boxes: the text written when the file has none
  int32_t default_colour;    // colour pickers
};

// In the order of loading.
constexpr SettingKey kSettingKeys[] = {
    {"输出宽度", kOutputWidth, Kind::kEdit, "35", 0},
    {"输出高度", kOutputHeight, Kind::kEdit, "20", 0},
    {"打印分辨率", kResolution, Kind::kEdit, "300", 0},
    {"保存格式", kSaveFormat, Kind::kFormat, "", 0},
    {"背景颜色", kBackColour, Kind::kColour, "", 0x00FFFFFF},
    {"线条颜色", kLineColour, Kind::kColour, "", 0x00000000},
    {"字体颜色", kTextColour, Kind::kColour, "", 0x00000000},
    {"字体大小", kFontSize, Kind::kEdit, "3", 0},
    {"条码高度", kBarHeight, Kind::kEdit, "10", 0},
    {"标识加长", kGuardExtension, Kind::kEdit, "2", 0},
    {"顶部边距", kTopMargin, Kind::kEdit, "5", 0},
    {"左边边距", kLeftMargin, Kind::kEdit, "5", 0},
};

// Built afresh for every read and write.
std::string SettingsFile() { return GetRunDirectory() + kFileName; }

std::string Read(const SettingKey& s) { return ReadConfigItem(SettingsFile(), kSection, s.key); }

void Load(const SettingKey& s) {
  switch (s.kind) {
    case Kind::kEdit:
      // Each write raises the box's change event, which stores the value straight back.
      SetEditText(kWindow, s.control, Read(s));
      if (EditText(kWindow, s.control).empty()) SetEditText(kWindow, s.control, s.default_text);
      return;
    case Kind::kFormat:
      WriteInt(kWindow, s.control, property::kCurrentSelection, ToInteger(Read(s)));
      return;
    case Kind::kColour:
      if (Read(s).empty()) {
        WriteInt(kWindow, s.control, property::kColour, s.default_colour);
      } else {
        WriteInt(kWindow, s.control, property::kColour, ToInteger(Read(s)));
      }
      return;
  }
}

std::string CurrentValue(const SettingKey& s) {
  switch (s.kind) {
    case Kind::kEdit: return EditText(kWindow, s.control);
    case Kind::kColour: return ToText(ReadInt(kWindow, s.control, property::kColour));
    case Kind::kFormat: return ToText(ReadInt(kWindow, s.control, property::kCurrentSelection));
  }
  return {};
}

}  // namespace

void LoadSettings() {
  for (const SettingKey& s : kSettingKeys) Load(s);
}

void SaveSetting(ComponentId control) {
  for (const SettingKey& s : kSettingKeys) {
    if (s.control == control) {
      WriteConfigItem(SettingsFile(), kSection, s.key, CurrentValue(s));
      return;
    }
  }
}

}  // namespace barvell::app
