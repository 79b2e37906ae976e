#include "platform/ui/wx/wx_surface.h"

#include <algorithm>

#include <wx/control.h>
#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/settings.h>

namespace barvell::ui {

namespace {

wxColour ColourOfRgb(std::uint32_t rgb) {
  return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

wxBitmap ToWxBitmap(const gfx::Bitmap& b) {
  wxImage image(b.Width(), b.Height(), false);
  unsigned char* out = image.GetData();
  for (int y = 0; y < b.Height(); ++y) {
    const std::uint32_t* row = b.Row(y);
    for (int x = 0; x < b.Width(); ++x) {
      *out++ = (row[x] >> 16) & 0xFF;
      *out++ = (row[x] >> 8) & 0xFF;
      *out++ = row[x] & 0xFF;
    }
  }
  return wxBitmap(image);
}

}  // namespace

WxSurface::WxSurface(wxWindow* parent, const wxRect& rect, long style, bool focusable)
    : focusable_(focusable) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);  // painted whole by OnPaint: no flicker
  Create(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
         style | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
  wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  background_ = (face.Red() << 16) | (face.Green() << 8) | face.Blue();
  Bind(wxEVT_PAINT, &WxSurface::OnPaint, this);
}

void WxSurface::SetPicture(const gfx::Bitmap* bitmap, std::uint32_t background) {
  bitmap_ = bitmap;
  background_ = background;
  stale_ = true;
  Release();  // a held copy of another bitmap is no picture of this one
}

void WxSurface::Repaint() {
  stale_ = true;
  if (!holding_) Refresh(false);  // a held picture stays as it is; Release repaints
}

// The toolkit paints when it handles events, which a run of drawings does once per picture,
// just after erasing it: without a held copy every paint would show the erased face.
bool WxSurface::Hold() {
  if (!bitmap_ || bitmap_->Empty()) return holding_;
  const auto now = std::chrono::steady_clock::now();
  if (holding_ && now - heldAt_ < kHoldInterval) return true;
  held_ = ToWxBitmap(*bitmap_);
  heldAt_ = now;
  holding_ = true;
  Refresh(false);
  return true;
}

void WxSurface::Release() {
  if (!holding_) return;
  holding_ = false;
  held_ = wxBitmap();
  Refresh(false);
}

void WxSurface::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  wxSize client = GetClientSize();
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(ColourOfRgb(background_)));
  if (!holding_ && (!bitmap_ || bitmap_->Empty())) {
    dc.DrawRectangle(0, 0, client.x, client.y);
    return;
  }
  if (!holding_ && stale_) {
    cached_ = ToWxBitmap(*bitmap_);
    stale_ = false;
  }
  const wxBitmap& shown = holding_ ? held_ : cached_;
  dc.DrawBitmap(shown, 0, 0, false);
  // What the bitmap does not cover shows the background.
  if (client.x > shown.GetWidth())
    dc.DrawRectangle(shown.GetWidth(), 0, client.x - shown.GetWidth(), client.y);
  if (client.y > shown.GetHeight())
    dc.DrawRectangle(0, shown.GetHeight(), std::min(client.x, shown.GetWidth()),
                     client.y - shown.GetHeight());
}

WxGroupBox::WxGroupBox(wxWindow* parent, const wxRect& rect, const wxString& caption)
    : caption_(caption) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxFULL_REPAINT_ON_RESIZE);
  Bind(wxEVT_PAINT, &WxGroupBox::OnPaint, this);
}

void WxGroupBox::SetCaption(const wxString& caption) {
  caption_ = caption;
  Refresh();
}

void WxGroupBox::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  wxSize size = GetClientSize();
  wxColour face = GetParent()->GetBackgroundColour();
  dc.SetBackground(wxBrush(face));
  dc.Clear();
  dc.SetFont(GetFont());
  wxSize text = caption_.empty() ? wxSize(0, dc.GetCharHeight())
                                 : dc.GetTextExtent(wxControl::RemoveMnemonics(caption_));
  // The frame starts half a text line down so that the caption sits on its top edge.
  int top = text.y / 2;
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW)));
  dc.DrawRectangle(0, top, size.x - 1, size.y - top - 1);
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT)));
  dc.DrawRectangle(1, top + 1, size.x - 1, size.y - top - 1);
  if (!caption_.empty()) {
    const int x = 8;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(face));
    dc.DrawRectangle(x - 2, 0, text.x + 4, text.y);
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    dc.DrawText(wxControl::RemoveMnemonics(caption_), x, 0);
  }
}

namespace {

// The face a control shows through: that of the top-level window's client area, which
// group boxes share.
wxColour FaceBehind(wxWindow* window) {
  wxWindow* w = window->GetParent();
  while (w != nullptr && dynamic_cast<WxGroupBox*>(w) != nullptr) w = w->GetParent();
  return w != nullptr ? w->GetBackgroundColour()
                      : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
}

// The templates lay labels out for a 9-point interface font (12 pixels at 96 dpi) whose
// Latin letters are about half as wide as a Chinese character. The monospaced face of the
// CJK font the project installs comes closest (0.6 em); its proportional face is wider.
constexpr int kLabelPoints = 9;
constexpr const char* kLabelFace = "WenQuanYi Micro Hei Mono";

wxFont LabelFont(wxFont font) {
  wxFont face(wxFontInfo(kLabelPoints).FaceName(kLabelFace));
  if (face.IsOk() && face.GetFaceName().IsSameAs(kLabelFace, false)) return face;
  if (font.GetPointSize() > kLabelPoints) font.SetPointSize(kLabelPoints);
  return font;
}

}  // namespace

WxLabel::WxLabel(wxWindow* parent, const wxRect& rect, long style, const wxString& text,
                 TextAlign align)
    : text_(text), align_(align) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style | wxFULL_REPAINT_ON_RESIZE);
  SetFont(LabelFont(GetFont()));
  Bind(wxEVT_PAINT, &WxLabel::OnPaint, this);
}

void WxLabel::SetLabel(const wxString& text) {
  text_ = text;
  Refresh();
}

void WxLabel::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(FaceBehind(this)));
  dc.Clear();
  dc.SetFont(GetFont());
  dc.SetTextForeground(IsEnabled() ? wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT)
                                   : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
  wxSize client = GetClientSize();
  wxCoord width = 0, height = 0;
  dc.GetTextExtent(text_, &width, &height);
  // One line, centred in the height as the edit boxes beside it centre theirs.
  dc.SetClippingRegion(0, 0, client.x, client.y);
  int x = align_ == TextAlign::kCentre  ? (client.x - width) / 2
          : align_ == TextAlign::kRight ? client.x - width
                                        : 0;
  dc.DrawText(text_, std::max(0, x), std::max(0, (client.y - height) / 2));
}

}  // namespace barvell::ui
