// The standard dialogs on the desktop: native message box, file, folder and colour
// dialogs, and the default browser.

#include <wx/colordlg.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "platform/ui/wx/shell_open.h"
#include "platform/ui/wx/wx_text.h"
#include "platform/ui/wx/wx_window_system.h"

namespace barvell::ui {

namespace {


struct IconStyle {
  unsigned ours;
  long wx;
};
constexpr IconStyle kIcons[] = {
    {mb::kIconError, wxICON_ERROR},
    {mb::kIconQuestion, wxICON_QUESTION},
    {mb::kIconWarning, wxICON_WARNING},
    {mb::kIconInformation, wxICON_INFORMATION},
};

}  // namespace

wxWindow* WxWindowSystem::DialogParent(WindowHandle owner) const {
  const Entry* e = Find(TopLevelOf(owner));
  if (e && e->window->IsShown()) return e->window;
  wxWindow* active = wxGetActiveWindow();
  return active ? wxGetTopLevelParent(active) : nullptr;
}

MessageBoxAnswer WxWindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  // A dialog holds the loop (a batch's failure box, for one): meanwhile the surfaces show
  // what is drawn on them now, not a picture held from before.
  ReleaseHeldSurfaces();
  const unsigned buttons = request.style & mb::kButtonMask;
  long style = wxCENTRE;
  for (const IconStyle& i : kIcons)
    if ((request.style & mb::kIconMask) == i.ours) style |= i.wx;
  if ((request.style & mb::kIconMask) == 0) style |= wxICON_NONE;
  // The native box knows OK, OK/Cancel, Yes/No and Yes/No/Cancel; the other two sets are
  // those with other labels.
  switch (buttons) {
    case mb::kOkCancel:
    case mb::kRetryCancel: style |= wxOK | wxCANCEL; break;
    case mb::kYesNo: style |= wxYES_NO; break;
    case mb::kYesNoCancel:
    case mb::kAbortRetryIgnore: style |= wxYES_NO | wxCANCEL; break;
    default: style |= wxOK; break;
  }
  const unsigned defaultIndex = (request.style & mb::kDefaultButtonMask) >> 8;
  if (defaultIndex == 1) style |= (buttons == mb::kOkCancel || buttons == mb::kRetryCancel) ? wxCANCEL_DEFAULT : wxNO_DEFAULT;
  if (defaultIndex == 2 && (buttons == mb::kYesNoCancel || buttons == mb::kAbortRetryIgnore))
    style |= wxCANCEL_DEFAULT;
  if (request.style & mb::kSystemModal) style |= wxSTAY_ON_TOP;

  wxMessageDialog box(DialogParent(request.owner), Wx(request.text), Wx(request.caption), style);
  // The buttons speak the program's language, whatever the desktop's.
  switch (buttons) {
    case mb::kOkCancel: box.SetOKCancelLabels(Wx("确定"), Wx("取消")); break;
    case mb::kRetryCancel: box.SetOKCancelLabels(Wx("重试"), Wx("取消")); break;
    case mb::kYesNo: box.SetYesNoLabels(Wx("是"), Wx("否")); break;
    case mb::kYesNoCancel: box.SetYesNoCancelLabels(Wx("是"), Wx("否"), Wx("取消")); break;
    case mb::kAbortRetryIgnore: box.SetYesNoCancelLabels(Wx("中止"), Wx("重试"), Wx("忽略")); break;
    default: box.SetOKLabel(Wx("确定")); break;
  }
  const int id = box.ShowModal();
  switch (buttons) {
    case mb::kRetryCancel: return id == wxID_OK ? MessageBoxAnswer::kRetry : MessageBoxAnswer::kCancel;
    case mb::kAbortRetryIgnore:
      return id == wxID_YES ? MessageBoxAnswer::kAbort
             : id == wxID_NO ? MessageBoxAnswer::kRetry
                             : MessageBoxAnswer::kIgnore;
    default: break;
  }
  // Closing a box without a Cancel button (Esc, the close box) gives its OK, or No.
  if (id == wxID_CANCEL && buttons == mb::kOk) return MessageBoxAnswer::kOk;
  if (id == wxID_CANCEL && buttons == mb::kYesNo) return MessageBoxAnswer::kNo;
  switch (id) {
    case wxID_CANCEL: return MessageBoxAnswer::kCancel;
    case wxID_YES: return MessageBoxAnswer::kYes;
    case wxID_NO: return MessageBoxAnswer::kNo;
    default: return buttons == mb::kOk || buttons == mb::kOkCancel ? MessageBoxAnswer::kOk
                                                                   : MessageBoxAnswer::kCancel;
  }
}

std::optional<std::string> WxWindowSystem::ShowFileDialog(const FileDialogRequest& request) {
  ReleaseHeldSurfaces();
  wxString wildcard;
  for (const auto& [description, pattern] : request.filters) {
    if (!wildcard.empty()) wildcard += "|";
    wildcard += Wx(description) + "|" + Wx(pattern);
  }
  long style = request.save ? wxFD_SAVE : wxFD_OPEN;
  if (request.save && request.overwritePrompt) style |= wxFD_OVERWRITE_PROMPT;
  if (!request.save && request.fileMustExist) style |= wxFD_FILE_MUST_EXIST;
  // An initial name with a folder (the path chosen last time) opens in that folder; the
  // toolkit takes the name alone.
  std::string directory = request.initialDirectory, name = request.initialName;
  const std::size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) {
    directory = slash == 0 ? name.substr(0, 1) : name.substr(0, slash);
    name = name.substr(slash + 1);
  }
  wxFileDialog dialog(DialogParent(request.owner), Wx(request.title), Wx(directory), Wx(name),
                      wildcard.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : wildcard,
                      style);
  if (!request.filters.empty() && request.filterIndex >= 0 &&
      request.filterIndex < static_cast<int>(request.filters.size()))
    dialog.SetFilterIndex(request.filterIndex);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return CompleteFileName(Utf8(dialog.GetPath()), request, dialog.GetFilterIndex());
}

// The native folder chooser; a path can be typed into its location entry (typing "/" or
// Ctrl+L opens it). It offers folders only, with or without the include-files flag.
std::optional<std::string> WxWindowSystem::ChooseFolder(const FolderRequest& request) {
  ReleaseHeldSurfaces();
  wxDirDialog dialog(DialogParent(request.owner), Wx(request.title), wxString(),
                     wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  std::string path = Utf8(dialog.GetPath());
  if (path.empty()) return std::nullopt;
  return WithoutTrailingSeparator(path);
}

std::optional<std::uint32_t> WxWindowSystem::ChooseColour(WindowHandle owner, std::uint32_t initial) {
  ReleaseHeldSurfaces();
  wxColourData data;
  data.SetChooseFull(true);
  data.SetColour(wxColour(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF));
  wxColourDialog dialog(DialogParent(owner), &data);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  wxColour c = dialog.GetColourData().GetColour();
  return static_cast<std::uint32_t>(c.Red()) | (static_cast<std::uint32_t>(c.Green()) << 8) |
         (static_cast<std::uint32_t>(c.Blue()) << 16);
}

bool WxWindowSystem::OpenWebPage(const std::string& url) { return OpenWithDefaultHandler(url); }

}  // namespace barvell::ui
