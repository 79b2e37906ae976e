// The message box the runtime's own reports use (the fatal error report). The window
// system installs its hook to show a real box; without a hook the box is recorded and
// printed on stderr in UTF-8, and answered with OK. Texts are GBK.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace barvell::platform {

constexpr uint32_t kMessageBoxIconError = 16;        // MB_ICONERROR
constexpr uint32_t kMessageBoxIconInformation = 64;  // MB_ICONINFORMATION
constexpr int32_t kMessageBoxAnswerOk = 1;           // IDOK

using MessageBoxHook =
    std::function<int32_t(std::string_view text, std::string_view caption, uint32_t style)>;

// Shows a message box without owner and returns the answer.
int32_t ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style);

// Replaces the hook (an empty hook restores the recording default); returns the old one.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

struct RecordedMessageBox {
  std::string text;
  std::string caption;
  uint32_t style;
};
// The boxes the default has shown, oldest first.
const std::vector<RecordedMessageBox>& RecordedMessageBoxes();
void ClearRecordedMessageBoxes();

}  // namespace barvell::platform
