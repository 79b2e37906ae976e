#include "entry/script_player.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "barvell/call_interface.h"
#include "entry/setting_names.h"
#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/templates/component_records.h"
#include "runtime/templates/window_registry.h"
#include "runtime/windows/menu_bar.h"
#include "runtime/windows/ui_backend.h"
#include "runtime/windows/window_loader.h"

namespace barvell::entry {

namespace {

// Enough presses of the down arrow to leave the colour popup's grid for its last entry,
// "其它颜色...", which opens the colour dialog.
constexpr int kDownToOtherColour = 12;

struct NamedKey {
  const char* name;
  int key;
};
constexpr NamedKey kNamedKeys[] = {
    {"enter", ui::key::kReturn}, {"return", ui::key::kReturn}, {"tab", ui::key::kTab},
    {"esc", ui::key::kEscape},   {"escape", ui::key::kEscape}, {"space", ui::key::kSpace},
    {"back", ui::key::kBack},    {"backspace", ui::key::kBack}, {"delete", ui::key::kDelete},
    {"left", ui::key::kLeft},    {"right", ui::key::kRight},   {"up", ui::key::kUp},
    {"down", ui::key::kDown},    {"home", ui::key::kHome},     {"end", ui::key::kEnd},
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return out;
}

// "Ctrl+Shift+F4" -> key and modifiers.
std::optional<std::pair<int, int>> ParseKey(std::string_view text) {
  int modifiers = 0;
  while (true) {
    size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 == text.size()) break;
    std::string m = Lower(text.substr(0, plus));
    if (m == "ctrl") modifiers |= ui::modifier::kCtrl;
    else if (m == "shift") modifiers |= ui::modifier::kShift;
    else if (m == "alt") modifiers |= ui::modifier::kAlt;
    else return std::nullopt;
    text.remove_prefix(plus + 1);
  }
  std::string name = Lower(text);
  for (const NamedKey& k : kNamedKeys) {
    if (name == k.name) return std::pair{k.key, modifiers};
  }
  if (name.size() >= 2 && name[0] == 'f') {
    int n = 0;
    auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
    if (ec == std::errc() && end == name.data() + name.size() && n >= 1 && n <= 12)
      return std::pair{ui::key::kF1 + n - 1, modifiers};
  }
  if (name.size() == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9')))
    return std::pair{int(name[0] >= 'a' ? name[0] - 'a' + 'A' : name[0]), modifiers};
  return std::nullopt;
}

std::optional<ui::MessageBoxAnswer> ParseAnswer(std::string_view text) {
  std::string t = Lower(text);
  if (t == "ok") return ui::MessageBoxAnswer::kOk;
  if (t == "cancel") return ui::MessageBoxAnswer::kCancel;
  if (t == "abort") return ui::MessageBoxAnswer::kAbort;
  if (t == "retry") return ui::MessageBoxAnswer::kRetry;
  if (t == "ignore") return ui::MessageBoxAnswer::kIgnore;
  if (t == "yes") return ui::MessageBoxAnswer::kYes;
  if (t == "no") return ui::MessageBoxAnswer::kNo;
  return std::nullopt;
}

std::optional<std::string> PathOrCancel(const std::string& arg) {
  if (arg == "cancel") return std::nullopt;
  return arg;
}

// The loaded program window the script means: by caption, or the active one.
runtime::Window* TargetWindow(const std::string& caption) {
  if (caption.empty()) {
    std::optional<runtime::LiveComponent> live =
        runtime::ComponentOfHandle(runtime::Ui().ActiveWindow());
    return live ? live->window : nullptr;
  }
  runtime::WindowRegistry* registry = runtime::TemplateRegistry();
  if (registry == nullptr) return nullptr;
  for (size_t i = 0; i < registry->Count(); ++i) {
    runtime::Window& w = registry->At(i);
    if (!w.loaded) continue;
    if (runtime::Ui().GetText(runtime::HandleOf(w, 0)) == caption) return &w;
  }
  return nullptr;
}

// A control of the window by its template name, or a button by its unique caption.
ui::WindowHandle ControlOf(runtime::Window& window, const std::string& name_utf8,
                           TypeId* type = nullptr) {
  std::string gbk = platform::Utf8ToGbk(name_utf8);
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    const runtime::ComponentRecord& c = window.Component(i);
    if (!c.is_menu_item && c.name == gbk) {
      if (type) *type = c.type;
      return runtime::HandleOf(window, i);
    }
  }
  ui::WindowHandle found = ui::kNoWindow;
  for (size_t i = 1; i < window.ComponentCount(); ++i) {
    const runtime::ComponentRecord& c = window.Component(i);
    if (c.is_menu_item || c.type != type_id::kButton) continue;
    ui::WindowHandle h = runtime::HandleOf(window, i);
    if (h == ui::kNoWindow || runtime::Ui().GetText(h) != name_utf8) continue;
    if (found != ui::kNoWindow) return ui::kNoWindow;  // ambiguous
    found = h;
    if (type) *type = c.type;
  }
  return found;
}

}  // namespace

void ScriptPlayer::Start() {
  system_.Driver().Do([this] { Step(); });
}

void ScriptPlayer::Step() {
  if (Failed() || next_ >= script_.size()) return;
  // Taken out of the script: a pasted code list is not held on here for the whole run.
  const Action a = std::move(script_[next_++]);
  if (!Perform(a)) return;
  system_.Driver().Do([this] { Step(); });
}

bool ScriptPlayer::Fail(const Action& a, const std::string& why) {
  failure_ = a.line > 0 ? "script line " + std::to_string(a.line) + ": " + why : why;
  return false;
}

bool ScriptPlayer::Perform(const Action& a) {
  ui::InputDriver& driver = system_.Driver();
  const std::string& verb = a.verb;
  // Dialog answers wait in the driver for the next dialog of their kind.
  if (verb == "answer-save") {
    driver.AnswerFileDialog(PathOrCancel(a.args[0]));
    return true;
  }
  if (verb == "answer-folder") {
    driver.AnswerFolder(PathOrCancel(a.args[0]));
    return true;
  }
  if (verb == "answer-box") {
    std::optional<ui::MessageBoxAnswer> answer = ParseAnswer(a.args[0]);
    if (!answer) return Fail(a, "unknown message box button \"" + a.args[0] + "\"");
    driver.AnswerMessageBox(*answer);
    return true;
  }
  if (verb == "answer-colour" || verb == "answer-color") {
    if (a.args[0] == "cancel") {
      driver.AnswerColour(std::nullopt);
      return true;
    }
    std::optional<unsigned> colour = ParseColour(a.args[0]);
    if (!colour) return Fail(a, "\"" + a.args[0] + "\" is not a colour");
    driver.AnswerColour(*colour);
    return true;
  }
  if (verb == "window") {
    window_caption_ = a.args[0] == "active" ? "" : a.args[0];
    return true;
  }
  if (verb == "key") {
    std::optional<std::pair<int, int>> key = ParseKey(a.args[0]);
    if (!key) return Fail(a, "unknown key \"" + a.args[0] + "\"");
    driver.PressKey(key->first, key->second);
    return true;
  }

  runtime::Window* window = TargetWindow(window_caption_);
  if (window == nullptr) {
    return Fail(a, window_caption_.empty() ? "no program window is active"
                                           : "no open window \"" + window_caption_ + "\"");
  }
  ui::WindowHandle top = runtime::HandleOf(*window, 0);
  if (verb == "batch-progress") {
    ui::WindowHandle list = ControlOf(*window, "编辑框4");
    if (progress_ != nullptr && progress_->Shows() && list != ui::kNoWindow) {
      progress_->Start(a.args[0],
                       BatchCodeCount(runtime::Ui().GetText(list), a.args[1] == "ean13"));
    }
    return true;
  }
  if (verb == "close") {
    if (progress_ != nullptr) progress_->Stop();
    driver.Close(top);
    return true;
  }
  if (verb == "menu") {
    std::string gbk = platform::Utf8ToGbk(a.args[0]);
    runtime::MenuRun run = window->Menu();
    for (size_t i = run.first; i < run.first + run.count; ++i) {
      if (window->Component(i).caption == gbk) {
        driver.ChooseMenu(top, runtime::kFirstMenuCommand + int(i - run.first));
        return true;
      }
    }
    return Fail(a, "no menu item \"" + a.args[0] + "\"");
  }

  TypeId type = 0;
  ui::WindowHandle control = ControlOf(*window, a.args[0], &type);
  if (control == ui::kNoWindow) {
    return Fail(a, "no control \"" + a.args[0] + "\" in the window \"" +
                       runtime::Ui().GetText(top) + "\"");
  }
  if (verb == "type") {
    driver.TypeInto(control, a.args[1]);
  } else if (verb == "paste") {
    // Over the whole content: the caret to the end, every character erased, then the paste.
    driver.Focus(control);
    driver.PressKey(ui::key::kEnd, ui::modifier::kCtrl);
    size_t characters = 0;
    for (unsigned char c : runtime::Ui().GetText(control)) characters += (c & 0xC0) != 0x80;
    for (size_t i = 0; i < characters; ++i) driver.PressKey(ui::key::kBack);
    driver.Paste(control, a.args[1]);
  } else if (verb == "click") {
    driver.Click(control);
  } else if (verb == "choose") {
    int index = -1;
    auto [end, ec] = std::from_chars(a.args[1].data(), a.args[1].data() + a.args[1].size(), index);
    if (ec != std::errc() || end != a.args[1].data() + a.args[1].size()) {
      std::optional<int> format = type == type_id::kComboBox ? ParseFormat(a.args[1]) : std::nullopt;
      if (!format) return Fail(a, "\"" + a.args[1] + "\" is not an item number");
      index = *format;
    }
    driver.ChooseItem(control, index);
  } else if (verb == "colour" || verb == "color") {
    std::optional<unsigned> colour = ParseColour(a.args[1]);
    if (!colour) return Fail(a, "\"" + a.args[1] + "\" is not a colour");
    // The picker's popup, down to "其它颜色...", and the colour dialog answered.
    driver.AnswerColour(*colour);
    driver.Click(control);
    for (int i = 0; i < kDownToOtherColour; ++i) driver.PressKey(ui::key::kDown);
    driver.PressKey(ui::key::kReturn);
  } else if (verb == "print") {
    std::fprintf(out_, "%s\n", runtime::Ui().GetText(control).c_str());
  } else {
    return Fail(a, "unknown action \"" + verb + "\"");
  }
  return true;
}

}  // namespace barvell::entry
