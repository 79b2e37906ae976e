#include "text_calls.h"

#include <initializer_list>
#include <vector>

#include "kernel.h"

namespace barvell::app {

namespace {

ResultRecord Call(int32_t command, std::initializer_list<ArgRecord> args) {
  std::vector<ArgRecord> records(args);
  return Kernel().CallLibraryCommand(command, int32_t(records.size()), records.data());
}

// A text argument: the empty text is passed as no text.
ArgRecord TextArg(const std::string& text) {
  return ArgRecord::Text(text.empty() ? nullptr : text.c_str());
}

// Takes over a text result block and frees it.
std::string TakeText(const ResultRecord& result) {
  char* block = result.Pointer<char>();
  if (block == nullptr) return {};
  std::string text(block);
  Kernel().FreeBlock(block);
  return text;
}

}  // namespace

int32_t TextLength(const std::string& text) {
  return Call(command::kTextLength, {TextArg(text)}).Int();
}

std::string LeftText(const std::string& text, int32_t n) {
  return TakeText(Call(command::kLeftText, {TextArg(text), ArgRecord::Int(n)}));
}

std::string RightText(const std::string& text, int32_t n) {
  return TakeText(Call(command::kRightText, {TextArg(text), ArgRecord::Int(n)}));
}

std::string MidText(const std::string& text, int32_t start, int32_t n) {
  return TakeText(
      Call(command::kMidText, {TextArg(text), ArgRecord::Int(start), ArgRecord::Int(n)}));
}

int32_t ToInteger(const std::string& text) {
  return Call(command::kToInteger, {TextArg(text)}).Int();
}

double ToNumber(const std::string& text) {
  return Call(command::kToNumber, {TextArg(text)}).Double();
}

std::string ToText(int32_t value) {
  return TakeText(Call(command::kToText, {ArgRecord::Int(value)}));
}

std::string ToText(double value) {
  return TakeText(Call(command::kToText, {ArgRecord::Double(value)}));
}

}  // namespace barvell::app
