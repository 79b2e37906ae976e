#pragma once
// A custom-drawn child window that shows a platform bitmap (draw panels, labels, picture
// boxes, bars) and, as an owner-drawn button, also clicks.

#include <chrono>
#include <cstdint>
#include <functional>

#include <wx/bitmap.h>
#include <wx/window.h>

#include "platform/gfx/bitmap.h"
#include "platform/ui/wx/wx_cached_attributes.h"
#include "platform/ui/window_params.h"

namespace barvell::ui {

class WxSurface : public CachedAttributes<wxWindow> {
 public:
  WxSurface(wxWindow* parent, const wxRect& rect, long style, bool focusable);

  void SetPicture(const gfx::Bitmap* bitmap, std::uint32_t background);
  void Repaint();  // the bitmap changed
  // The bitmap is about to be erased: paints show what it holds now until Release. A
  // picture held less than kHoldInterval ago is kept instead, so a fast run of drawings
  // costs one copy per screen frame, not one per drawing. False when nothing is held.
  bool Hold();
  // Paints show the bitmap again.
  void Release();
  bool AcceptsFocus() const override { return focusable_; }

  // About one frame of a 60 Hz screen.
  static constexpr std::chrono::milliseconds kHoldInterval{16};

 private:
  void OnPaint(wxPaintEvent& event);

  const gfx::Bitmap* bitmap_ = nullptr;
  std::uint32_t background_ = 0xF0F0F0;
  wxBitmap cached_;
  bool stale_ = true;
  bool focusable_ = false;
  bool holding_ = false;
  wxBitmap held_;
  std::chrono::steady_clock::time_point heldAt_;
};

// A group frame with its caption; the controls inside are its children, placed in its
// client area (the whole box, as the native group box of the original platform has it).
class WxGroupBox : public wxWindow {
 public:
  WxGroupBox(wxWindow* parent, const wxRect& rect, const wxString& caption);
  void SetCaption(const wxString& caption);

 private:
  void OnPaint(wxPaintEvent& event);
  wxString caption_;
};

// One line of static text, clipped at the control's edges rather than wrapped, on the
// face of the window it lies in. A window of its own, so that it reports the mouse.
class WxLabel : public wxWindow {
 public:
  WxLabel(wxWindow* parent, const wxRect& rect, long style, const wxString& text,
          TextAlign align);
  void SetLabel(const wxString& text) override;
  wxString GetLabel() const override { return text_; }
  bool AcceptsFocus() const override { return false; }

 private:
  void OnPaint(wxPaintEvent& event);
  wxString text_;
  TextAlign align_;
};

}  // namespace barvell::ui
