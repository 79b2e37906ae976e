#include "platform/ui/dialogs.h"

namespace barvell::ui {

namespace {

using A = MessageBoxAnswer;

// The buttons of each button style, in the order they are shown.
const std::vector<A> kButtonsByStyle[] = {
    {A::kOk},
    {A::kOk, A::kCancel},
    {A::kAbort, A::kRetry, A::kIgnore},
    {A::kYes, A::kNo, A::kCancel},
    {A::kYes, A::kNo},
    {A::kRetry, A::kCancel},
};

std::string ExtensionOfPattern(const std::string& pattern) {
  // "*.png" names an extension; "*.*", "*" or "a;b" lists do not.
  std::string first = pattern.substr(0, pattern.find(';'));
  if (first.rfind("*.", 0) != 0) return {};
  std::string ext = first.substr(2);
  if (ext.empty() || ext.find_first_of("*?") != std::string::npos) return {};
  return ext;
}

}  // namespace

std::vector<MessageBoxAnswer> MessageBoxButtons(unsigned style) {
  unsigned kind = style & mb::kButtonMask;
  if (kind >= std::size(kButtonsByStyle)) kind = 0;
  return kButtonsByStyle[kind];
}

MessageBoxAnswer DefaultMessageBoxAnswer(unsigned style) {
  std::vector<A> buttons = MessageBoxButtons(style);
  unsigned index = (style & mb::kDefaultButtonMask) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

std::string CompleteFileName(const std::string& path, const FileDialogRequest& request,
                             int chosenFilter) {
  if (request.defaultExtension.empty() || path.empty()) return path;
  std::size_t nameStart = path.find_last_of("/\\");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  if (path.find('.', nameStart) != std::string::npos) return path;

  std::string ext;
  if (chosenFilter >= 0 && chosenFilter < static_cast<int>(request.filters.size()))
    ext = ExtensionOfPattern(request.filters[chosenFilter].second);
  if (ext.empty()) {
    ext = request.defaultExtension.substr(0, request.defaultExtension.find('|'));
    if (ext.rfind("*.", 0) == 0) ext = ext.substr(2);
    else if (ext.rfind('.', 0) == 0) ext = ext.substr(1);
    if (ext.find_first_of("*?") != std::string::npos) ext.clear();
  }
  return ext.empty() ? path : path + "." + ext;
}

unsigned FileDialogFlags(const FileDialogRequest& request) {
  unsigned flags = ofn::kHideReadOnly;
  if (request.createPrompt) flags |= ofn::kCreatePrompt;
  if (request.fileMustExist) flags |= ofn::kFileMustExist;
  if (request.overwritePrompt) flags |= ofn::kOverwritePrompt;
  if (request.pathMustExist) flags |= ofn::kPathMustExist;
  if (request.keepCurrentDirectory) flags |= ofn::kNoChangeDir;
  return flags;
}

unsigned FolderFlags(const FolderRequest& request) {
  return request.includeFiles ? bif::kEditBox | bif::kBrowseIncludeFiles : bif::kEditBox;
}

std::string WithoutTrailingSeparator(std::string path) {
  auto separator = [](char c) { return c == '/' || c == '\\'; };
  while (path.size() > 1 && separator(path.back())) {
    // "C:\\" is a drive root and keeps its separator.
    if (path.size() == 3 && path[1] == ':') break;
    path.pop_back();
  }
  return path;
}

const char* AnswerName(MessageBoxAnswer answer) {
  switch (answer) {
    case A::kOk: return "OK";
    case A::kCancel: return "Cancel";
    case A::kAbort: return "Abort";
    case A::kRetry: return "Retry";
    case A::kIgnore: return "Ignore";
    case A::kYes: return "Yes";
    case A::kNo: return "No";
  }
  return "?";
}

}  // namespace barvell::ui
