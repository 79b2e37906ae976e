#include "platform/kernel/message_box.h"

#include <cstdio>

#include "platform/text/gbk.h"

namespace barvell::platform {

namespace {

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

std::vector<RecordedMessageBox>& Recorded() {
  static std::vector<RecordedMessageBox> boxes;
  return boxes;
}

// Terminal lines end in "\n" alone.
std::string WithoutCarriageReturns(std::string text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

int32_t RecordAndPrint(std::string_view text, std::string_view caption, uint32_t style) {
  Recorded().push_back({std::string(text), std::string(caption), style});
  // Appended piece by piece: "[" + std::string at -O3 trips GCC 12's -Wrestrict.
  std::string shown = "[";
  shown += GbkToUtf8(caption);
  shown += "] ";
  shown += WithoutCarriageReturns(GbkToUtf8(text));
  std::fprintf(stderr, "%s\n", shown.c_str());
  std::fflush(stderr);
  return kMessageBoxAnswerOk;
}

}  // namespace

int32_t ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) {
  if (Hook()) return Hook()(text, caption, style);
  return RecordAndPrint(text, caption, style);
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook old = std::move(Hook());
  Hook() = std::move(hook);
  return old;
}

const std::vector<RecordedMessageBox>& RecordedMessageBoxes() { return Recorded(); }
void ClearRecordedMessageBoxes() { Recorded().clear(); }

}  // namespace barvell::platform
