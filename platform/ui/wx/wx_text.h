#pragma once
// Texts between the interface (UTF-8) and wx.

#include <string>

#include <wx/string.h>

#include "platform/ui/utf8.h"

namespace barvell::ui {

inline wxString Wx(const std::string& utf8) {
  wxString s = wxString::FromUTF8(utf8.data(), utf8.size());
  // wx drops a text with a malformed byte whole; show it with replacement marks instead.
  if (s.empty() && !utf8.empty()) {
    std::string repaired = EncodeUtf8(DecodeUtf8(utf8));
    s = wxString::FromUTF8(repaired.data(), repaired.size());
  }
  return s;
}

inline std::string Utf8(const wxString& s) {
  wxScopedCharBuffer b = s.utf8_str();
  return std::string(b.data(), b.length());
}

}  // namespace barvell::ui
