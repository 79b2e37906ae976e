#include "runtime/controls/colour_popup.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/text/gbk.h"
#include "platform/ui/keys.h"
#include "runtime/controls/colours.h"
#include "runtime/controls/preset_colours.h"
#include "runtime/events/event_sink.h"
#include "runtime/windows/ui_backend.h"

namespace barvell::runtime::controls {

namespace {

// Entries: the transparent entry, the preset cells 0..31, the colour-dialog entry.
constexpr int kTransparentEntry = -1;
constexpr int kCellCount = int(kPresetColours.size());
constexpr int kOtherEntry = kCellCount;
constexpr int kNoEntry = -2;
constexpr int kRows = (kCellCount + kPresetColumns - 1) / kPresetColumns;

// Layout in pixels.
constexpr int kCell = 18;
constexpr int kSwatchInset = 3;
constexpr int kMargin = 4;
constexpr int kEntryHeight = 20;
constexpr int kGap = 2;
constexpr int kGridWidth = kPresetColumns * kCell;
constexpr int kWidth = 2 * kMargin + kGridWidth;

constexpr uint32_t kFrameRgb = 0x808080;
constexpr uint32_t kSwatchFrameRgb = 0x000000;
constexpr uint32_t kHighlightRgb = 0x0078D7;

constexpr const char* kTransparentText = "透明";
constexpr const char* kOtherText = "其它颜色...";

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
  bool Contains(ui::Point p) const {
    return p.x >= left && p.x < left + width && p.y >= top && p.y < top + height;
  }
};

void Frame(gfx::Bitmap& b, const Box& box, uint32_t rgb) {
  for (int x = box.left; x < box.left + box.width; ++x) {
    b.SetPixel(x, box.top, rgb);
    b.SetPixel(x, box.top + box.height - 1, rgb);
  }
  for (int y = box.top; y < box.top + box.height; ++y) {
    b.SetPixel(box.left, y, rgb);
    b.SetPixel(box.left + box.width - 1, y, rgb);
  }
}

void FillBox(gfx::Bitmap& b, const Box& box, uint32_t rgb) {
  for (int y = box.top; y < box.top + box.height; ++y) {
    for (int x = box.left; x < box.left + box.width; ++x) b.SetPixel(x, y, rgb);
  }
}

class ColourPopup {
 public:
  explicit ColourPopup(const ColourPopupRequest& request)
      : request_(request), original_(request.colour) {
    grid_top_ = kMargin + (request.allow_transparent ? kEntryHeight + kGap : 0);
    other_top_ = grid_top_ + kRows * kCell + kGap;
    height_ = other_top_ + kEntryHeight + kMargin;
    highlighted_ = EntryOfColour(request.colour);
  }

  ColourPopupResult Run() {
    Open();
    // The backend's idle work (painting, layout) runs while the queue is empty, as in
    // the message loop.
    bool idle = true;
    while (!done_) {
      if (!Ui().IsWindow(request_.picker)) break;
      // A quit ends the popup as a cancel and stays posted for the loops outside.
      if (Ui().IsQuitPosted()) break;
      if (idle && !Ui().HasPendingEvent()) {
        idle = Ui().ProcessIdle();
        continue;
      }
      Ui().DispatchOne();
      idle = true;
    }
    // However the loop ended (even by a cancel the picker's own teardown caused), a picker
    // that is gone must not be touched again.
    result_.picker_gone = !Ui().IsWindow(request_.picker);
    Close();
    return result_;
  }

  ui::WindowHandle Window() const { return window_; }

  bool Owns(ui::WindowHandle h) const {
    return h != ui::kNoWindow && (h == window_ || h == surface_ || h == transparent_label_ ||
                                  h == other_label_);
  }

  void OnEvent(const ui::Event& e) {
    if (done_ || closing_) return;
    switch (e.kind) {
      case ui::EventKind::kMouseMove:
      case ui::EventKind::kMouseDown: {
        int entry = EntryAt(e);
        if (entry != kNoEntry) Highlight(entry);
        return;
      }
      case ui::EventKind::kMouseUp:
        if (e.button == ui::MouseButton::kLeft && EntryAt(e) != kNoEntry) {
          Highlight(EntryAt(e));
          Choose();
        }
        return;
      case ui::EventKind::kKeyDown:
        OnKey(e.key);
        return;
      case ui::EventKind::kCloseRequested:
        Cancel();
        return;
      case ui::EventKind::kFocusLost:
        // Focus gone elsewhere (a click outside): the popup goes away unchosen.
        if (!in_dialog_ && e.window == surface_) Cancel();
        return;
      default:
        return;
    }
  }

 private:
  // Placed under the picker, moved back onto the screen where it would leave it.
  void Open() {
    ui::Size picker = Ui().ClientSize(request_.picker);
    ui::Point at = Ui().ClientToScreen(request_.picker, {0, picker.height});
    ui::ScreenMetrics screen = Ui().Metrics();
    at.x = std::clamp(at.x, 0, std::max(0, screen.width - kWidth));
    if (at.y + height_ > screen.height) {
      ui::Point above = Ui().ClientToScreen(request_.picker, {0, 0});
      at.y = std::max(0, above.y - height_);
    }
    ui::TopLevelParams params;
    params.outer = {at.x, at.y, kWidth, height_};
    params.border = ui::WindowBorder::kNone;
    params.controlBox = false;
    params.owner = Ui().TopLevelOf(request_.picker);
    window_ = Ui().CreateTopLevel(params);

    ui::ControlParams surface;
    surface.kind = ui::ControlKind::kSurface;
    surface.parent = window_;
    surface.rect = {0, 0, kWidth, height_};
    surface.tabStop = true;
    surface_ = Ui().CreateControl(surface);
    bitmap_ = gfx::Bitmap(kWidth, height_, Ui().Metrics().buttonFace);
    if (request_.allow_transparent) transparent_label_ = EntryLabel(TransparentBox(), kTransparentText);
    other_label_ = EntryLabel(OtherBox(), kOtherText);
    Draw();
    Ui().Show(window_, ui::ShowMode::kShow);
    Ui().SetFocus(surface_);
  }

  ui::WindowHandle EntryLabel(const Box& box, const char* gbk) {
    ui::ControlParams label;
    label.kind = ui::ControlKind::kLabel;
    label.parent = window_;
    label.rect = {box.left + 2, box.top + 2, box.width - 4, box.height - 4};
    label.text = platform::GbkToUtf8(gbk);
    label.align = ui::TextAlign::kCentre;
    return Ui().CreateControl(label);
  }

  void Close() {
    closing_ = true;
    if (Ui().IsWindow(window_)) {
      Ui().SetSurfaceBitmap(surface_, nullptr, Ui().Metrics().buttonFace);
      Ui().Destroy(window_);
    }
    if (!result_.picker_gone && Ui().IsWindow(request_.picker)) {
      Ui().Activate(Ui().TopLevelOf(request_.picker));
      Ui().SetFocus(request_.picker);
    }
  }

  Box TransparentBox() const { return {kMargin, kMargin, kGridWidth, kEntryHeight}; }
  Box OtherBox() const { return {kMargin, other_top_, kGridWidth, kEntryHeight}; }
  Box CellBox(int cell) const {
    return {kMargin + cell % kPresetColumns * kCell, grid_top_ + cell / kPresetColumns * kCell,
            kCell, kCell};
  }

  int EntryOfColour(uint32_t colour) const {
    if (colour == kDefaultColourRef) {
      return request_.allow_transparent ? kTransparentEntry : kNoEntry;
    }
    for (int i = 0; i < kCellCount; ++i) {
      if (kPresetColours[size_t(i)].ColourRef() == colour) return i;
    }
    return kNoEntry;
  }

  // The entry under the mouse, from the surface or one of the entry labels.
  int EntryAt(const ui::Event& e) const {
    if (e.window == transparent_label_) return kTransparentEntry;
    if (e.window == other_label_) return kOtherEntry;
    if (e.window != surface_) return kNoEntry;
    if (request_.allow_transparent && TransparentBox().Contains(e.position)) {
      return kTransparentEntry;
    }
    if (OtherBox().Contains(e.position)) return kOtherEntry;
    for (int i = 0; i < kCellCount; ++i) {
      if (CellBox(i).Contains(e.position)) return i;
    }
    return kNoEntry;
  }

  // The arrows move through the grid and onto the two entries; the left and right
  // arrows run through all entries in reading order.
  void OnKey(int key) {
    int first = request_.allow_transparent ? kTransparentEntry : 0;
    int h = highlighted_;
    switch (key) {
      case ui::key::kLeft: h = h == kNoEntry ? 0 : std::max(first, h - 1); break;
      case ui::key::kRight: h = h == kNoEntry ? 0 : std::min(kOtherEntry, h + 1); break;
      case ui::key::kUp:
        if (h == kNoEntry) h = 0;
        else if (h == kOtherEntry) h = (kRows - 1) * kPresetColumns;
        else if (h >= kPresetColumns) h -= kPresetColumns;
        else h = first;
        break;
      case ui::key::kDown:
        if (h == kNoEntry || h == kTransparentEntry) h = 0;
        else if (h != kOtherEntry) h = h + kPresetColumns < kCellCount ? h + kPresetColumns : kOtherEntry;
        break;
      case ui::key::kReturn:
      case ui::key::kSpace:
        if (highlighted_ != kNoEntry) Choose();
        return;
      case ui::key::kEscape:
        Cancel();
        return;
      default:
        return;
    }
    Highlight(h);
  }

  void Highlight(int entry) {
    if (entry == highlighted_) return;
    highlighted_ = entry;
    Draw();
    // Each preset cell names its colour as the tip.
    bool cell = entry >= 0 && entry < kCellCount;
    Ui().SetToolTip(surface_, cell ? platform::GbkToUtf8(kPresetColours[size_t(entry)].name) : "");
    if (entry == kOtherEntry || !request_.tentative || !Ui().IsWindow(request_.picker)) return;
    request_.tentative(entry == kTransparentEntry ? kDefaultColourRef
                                                  : kPresetColours[size_t(entry)].ColourRef());
  }

  void Choose() {
    if (highlighted_ == kOtherEntry) {
      in_dialog_ = true;
      std::optional<uint32_t> colour = Ui().ChooseColour(
          window_, original_ == kDefaultColourRef ? 0 : original_);
      in_dialog_ = false;
      // The dialog's cancel cancels the popup.
      if (!colour) return Cancel();
      result_.chosen = *colour;
    } else if (highlighted_ == kTransparentEntry) {
      result_.chosen = kDefaultColourRef;
    } else if (highlighted_ >= 0) {
      result_.chosen = kPresetColours[size_t(highlighted_)].ColourRef();
    }
    done_ = true;
  }

  void Cancel() {
    result_.chosen.reset();
    done_ = true;
  }

  void Draw() {
    bitmap_.Fill(Ui().Metrics().buttonFace);
    if (request_.allow_transparent) {
      Frame(bitmap_, TransparentBox(),
            highlighted_ == kTransparentEntry ? kHighlightRgb : kFrameRgb);
    }
    for (int i = 0; i < kCellCount; ++i) {
      Box cell = CellBox(i);
      Box swatch{cell.left + kSwatchInset, cell.top + kSwatchInset, cell.width - 2 * kSwatchInset,
                 cell.height - 2 * kSwatchInset};
      const PresetColour& p = kPresetColours[size_t(i)];
      FillBox(bitmap_, swatch, uint32_t(p.red) << 16 | uint32_t(p.green) << 8 | p.blue);
      Frame(bitmap_, swatch, kSwatchFrameRgb);
      if (i == highlighted_) Frame(bitmap_, cell, kHighlightRgb);
    }
    Frame(bitmap_, OtherBox(), highlighted_ == kOtherEntry ? kHighlightRgb : kFrameRgb);
    Ui().SetSurfaceBitmap(surface_, &bitmap_, Ui().Metrics().buttonFace);
    Ui().Invalidate(surface_);
  }

  ColourPopupRequest request_;
  uint32_t original_;
  int grid_top_ = 0, other_top_ = 0, height_ = 0;
  int highlighted_ = kNoEntry;
  ui::WindowHandle window_ = ui::kNoWindow, surface_ = ui::kNoWindow;
  ui::WindowHandle transparent_label_ = ui::kNoWindow, other_label_ = ui::kNoWindow;
  gfx::Bitmap bitmap_;
  bool done_ = false, closing_ = false, in_dialog_ = false;
  ColourPopupResult result_;
};

ColourPopup* g_open = nullptr;

}  // namespace

ColourPopupResult RunColourPopup(const ColourPopupRequest& request) {
  if (g_open != nullptr) return {};  // one popup at a time
  ColourPopup popup(request);
  g_open = &popup;
  SetOwnWindowRoute(&RouteToColourPopup);
  ColourPopupResult result = popup.Run();
  SetOwnWindowRoute(nullptr);
  g_open = nullptr;
  return result;
}

bool RouteToColourPopup(const ui::Event& event) {
  if (g_open == nullptr || !g_open->Owns(event.window)) return false;
  g_open->OnEvent(event);
  return true;
}

ui::WindowHandle OpenColourPopup() { return g_open != nullptr ? g_open->Window() : ui::kNoWindow; }

}  // namespace barvell::runtime::controls
