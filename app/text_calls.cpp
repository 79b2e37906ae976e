#include "text_calls.h"

#include "library_call.h"

namespace barvell::app {

int32_t TextLength(const std::string& text) {
  return CallCommand(command::kTextLength, {TextArg(text)}).Int();
}

std::string LeftText(const std::string& text, int32_t n) {
  return TakeText(CallCommand(command::kLeftText, {TextArg(text), ArgRecord::Int(n)}));
}

std::string RightText(const std::string& text, int32_t n) {
  return TakeText(CallCommand(command::kRightText, {TextArg(text), ArgRecord::Int(n)}));
}

std::string MidText(const std::string& text, int32_t start, int32_t n) {
  return TakeText(
      CallCommand(command::kMidText, {TextArg(text), ArgRecord::Int(start), ArgRecord::Int(n)}));
}

int32_t ToInteger(const std::string& text) {
  return CallCommand(command::kToInteger, {TextArg(text)}).Int();
}

double ToNumber(const std::string& text) {
  return CallCommand(command::kToNumber, {TextArg(text)}).Double();
}

std::string ToText(int32_t value) {
  return TakeText(CallCommand(command::kToText, {ArgRecord::Int(value)}));
}

std::string ToText(double value) {
  return TakeText(CallCommand(command::kToText, {ArgRecord::Double(value)}));
}

int32_t FindText(const std::string& text, const std::string& sought) {
  return CallCommand(command::kFindText, {TextArg(text), TextArg(sought)}).Int();
}

std::string ToUpper(const std::string& text) {
  return TakeText(CallCommand(command::kToUpper, {TextArg(text)}));
}

}  // namespace barvell::app
