// The type-specific property blocks at the end of component records: one struct per
// component type, each listing its fields once, in block order, in a Visit method. The
// block reader and writer below, and the template compiler and its dump, are visitors over
// that one list, so the layouts live only here.
//
// Every block is little-endian: u32 words, counted texts (u32 byte count, then the GBK
// bytes) and counted byte strings. An empty block means "all defaults" for the types that
// allow it; the default member values below are those defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "barvell/call_interface.h"
#include "runtime/controls/component_types.h"

namespace barvell::runtime::controls {

constexpr uint32_t kDefaultColour = 0xFF000000;  // button face as background, transparent text

// How a visitor should show a u32 word; the bytes are the same.
enum class WordStyle { kDecimal, kSigned, kHex };

// ---------------------------------------------------------------------------------------
// Window (type 0x00010001), version 6. Words 15-19 exist from the versions noted, the
// class name only in version 6.
struct WindowBlock {
  static constexpr uint32_t kMinVersion = 1;
  static constexpr uint32_t kMaxVersion = 6;
  uint32_t version = 6;
  uint32_t border = 2;             // 0 none, 1 sizeable, 2 fixed, 3/4 tool window, 5/6 sunken
  uint32_t picture_placement = 1;
  uint32_t back_colour = kDefaultColour;
  uint32_t maximise_box = 0;
  uint32_t minimise_box = 1;
  uint32_t control_box = 1;
  uint32_t start_position = 1;     // 0 as designed, 1 centred, 2 minimised, 3 maximised
  uint32_t movable = 1;
  uint32_t sound_mode = 0;
  uint32_t enter_moves_focus = 0;
  uint32_t esc_closes = 1;
  uint32_t f1_help = 0;
  uint32_t help_context = 0;
  uint32_t taskbar = 1;            // 0 = owned by the hidden owner window
  uint32_t drag = 0;
  uint32_t tray_icon = 0;
  uint32_t always_on_top = 0;
  uint32_t option19 = 0;
  std::string class_name;          // empty = "QZWindow"
  std::vector<uint8_t> back_picture;
  std::vector<uint8_t> icon;
  std::vector<uint8_t> sound;
  std::string caption;
  std::string help_file;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("border", border);
    v.Word("picture_placement", picture_placement);
    v.Word("back_colour", back_colour, WordStyle::kHex);
    v.Word("maximise_box", maximise_box);
    v.Word("minimise_box", minimise_box);
    v.Word("control_box", control_box);
    v.Word("start_position", start_position);
    v.Word("movable", movable);
    v.Word("sound_mode", sound_mode);
    v.Word("enter_moves_focus", enter_moves_focus);
    v.Word("esc_closes", esc_closes);
    v.Word("f1_help", f1_help);
    v.Word("help_context", help_context);
    if (version >= 2) v.Word("taskbar", taskbar);
    if (version >= 3) v.Word("drag", drag);
    if (version >= 3) v.Word("tray_icon", tray_icon);
    if (version >= 4) v.Word("always_on_top", always_on_top);
    if (version >= 5) v.Word("option19", option19);
    if (version >= 6) v.Text("class_name", class_name);
    v.Bytes("back_picture", back_picture);
    v.Bytes("icon", icon);
    v.Bytes("sound", sound);
    v.Text("caption", caption);
    v.Text("help_file", help_file);
  }
};

// ---------------------------------------------------------------------------------------
// Draw panel (0x00010008).
struct DrawPanelBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  uint32_t border_style = 0;
  uint32_t back_colour = kDefaultColour;
  uint32_t back_picture_mode = 1;
  uint32_t auto_redraw = 0;
  uint32_t coordinate_unit = 0;
  uint32_t pen_style = 1;
  uint32_t draw_mode = 12;
  uint32_t pen_width = 0;
  uint32_t pen_colour = 0;
  uint32_t brush_style = 1;
  uint32_t brush_colour = 0x00FFFFFF;
  uint32_t text_colour = 0;
  uint32_t text_back_colour = kDefaultColour;
  std::vector<uint8_t> font;  // the 60-byte font description, or nothing
  std::vector<uint8_t> back_picture;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("border_style", border_style);
    v.Word("back_colour", back_colour, WordStyle::kHex);
    v.Word("back_picture_mode", back_picture_mode);
    v.Word("auto_redraw", auto_redraw);
    v.Word("coordinate_unit", coordinate_unit);
    v.Word("pen_style", pen_style);
    v.Word("draw_mode", draw_mode);
    v.Word("pen_width", pen_width);
    v.Word("pen_colour", pen_colour, WordStyle::kHex);
    v.Word("brush_style", brush_style);
    v.Word("brush_colour", brush_colour, WordStyle::kHex);
    v.Word("text_colour", text_colour, WordStyle::kHex);
    v.Word("text_back_colour", text_back_colour, WordStyle::kHex);
    v.Bytes("font", font);
    v.Bytes("back_picture", back_picture);
  }
};

// ---------------------------------------------------------------------------------------
// Common dialog (0x0001001F).
struct CommonDialogBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  uint32_t dialog_kind = 0;  // 0 open, 1 save, 2 font, 3 colour
  uint32_t filter_index = 0;
  uint32_t create_prompt = 0;
  uint32_t file_must_exist = 0;
  uint32_t overwrite_prompt = 0;
  uint32_t path_must_exist = 0;
  uint32_t keep_current_directory = 0;
  uint32_t font_colour[8] = {};  // settings of the font and colour kinds
  std::string title;
  std::string file_name;
  std::string filter;
  std::string initial_directory;
  std::string default_extension;
  std::string font_face;

  template <typename V>
  void Visit(V& v) {
    static constexpr const char* kFontColourNames[8] = {
        "font_colour_1", "font_colour_2", "font_colour_3", "font_colour_4",
        "font_colour_5", "font_colour_6", "font_colour_7", "font_colour_8"};
    v.Word("version", version);
    v.Word("dialog_kind", dialog_kind);
    v.Word("filter_index", filter_index);
    v.Word("create_prompt", create_prompt);
    v.Word("file_must_exist", file_must_exist);
    v.Word("overwrite_prompt", overwrite_prompt);
    v.Word("path_must_exist", path_must_exist);
    v.Word("keep_current_directory", keep_current_directory);
    for (int i = 0; i < 8; ++i) v.Word(kFontColourNames[i], font_colour[i], WordStyle::kHex);
    v.Text("title", title);
    v.Text("file_name", file_name);
    v.Text("filter", filter);
    v.Text("initial_directory", initial_directory);
    v.Text("default_extension", default_extension);
    v.Text("font_face", font_face);
  }
};

// ---------------------------------------------------------------------------------------
// Colour picker (0x0001001C).
struct ColourPickerBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  uint32_t colour = 0;
  uint32_t allow_transparent = 0;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("colour", colour, WordStyle::kHex);
    v.Word("allow_transparent", allow_transparent);
  }
};

// ---------------------------------------------------------------------------------------
// Edit box (0x00010005).
namespace input_mode {
constexpr uint32_t kNormal = 0;
constexpr uint32_t kReadOnly = 1;
constexpr uint32_t kInteger = 3;  // typed characters other than digits and "-" are dropped
}  // namespace input_mode

namespace scroll_bars {
constexpr uint32_t kNone = 0;
constexpr uint32_t kHorizontal = 1;
constexpr uint32_t kVertical = 2;
constexpr uint32_t kBoth = 3;
}  // namespace scroll_bars

struct EditBoxBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  uint32_t border_style = 1;  // sunken, as edit boxes look
  uint32_t input_mode = input_mode::kNormal;
  uint32_t multi_line = 0;
  uint32_t scroll_bars = scroll_bars::kNone;
  uint32_t max_length = 0;  // 0 = no limit
  uint32_t alignment = 0;   // 0 left, 1 centre, 2 right
  std::string content;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("border_style", border_style);
    v.Word("input_mode", input_mode);
    v.Word("multi_line", multi_line);
    v.Word("scroll_bars", scroll_bars);
    v.Word("max_length", max_length);
    v.Word("alignment", alignment);
    v.Text("content", content);
  }
};

// ---------------------------------------------------------------------------------------
// Label (0x0001000A).
struct LabelBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  uint32_t border_style = 0;
  uint32_t alignment = 0;  // 0 left, 1 centre, 2 right
  uint32_t text_colour = 0;
  uint32_t back_colour = kDefaultColour;
  std::string caption;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("border_style", border_style);
    v.Word("alignment", alignment);
    v.Word("text_colour", text_colour, WordStyle::kHex);
    v.Word("back_colour", back_colour, WordStyle::kHex);
    v.Text("caption", caption);
  }
};

// ---------------------------------------------------------------------------------------
// Button (0x0001000B) and group box (0x00010009): a caption.
struct CaptionBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  std::string caption;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Text("caption", caption);
  }
};
using ButtonBlock = CaptionBlock;
using GroupBoxBlock = CaptionBlock;

// ---------------------------------------------------------------------------------------
// Combo box (0x0001000E). Items: u32 count, then per item a counted text and an i32 of
// item data.
struct ComboItem {
  std::string text;
  int32_t data = 0;
  bool operator==(const ComboItem&) const = default;
};

struct ComboBoxBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  static constexpr uint32_t kDropDownList = 2;
  uint32_t version = 1;
  uint32_t style = 0;                  // 0 to 2; 2 = drop-down list without edit field
  uint32_t current_selection = 0xFFFFFFFF;  // -1 = none
  std::string content;                 // edit field text (styles 0 and 1)
  std::vector<ComboItem> items;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("style", style);
    v.Word("current_selection", current_selection, WordStyle::kSigned);
    v.Text("content", content);
    v.Items("items", items);
  }
};

// ---------------------------------------------------------------------------------------
// Picture box (0x00010006).
namespace picture_mode {
constexpr uint32_t kNatural = 0;  // natural size from the top-left corner
constexpr uint32_t kTiled = 1;
constexpr uint32_t kStretched = 2;
constexpr uint32_t kCentred = 3;
}  // namespace picture_mode

struct PictureBoxBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  uint32_t border_style = 0;
  uint32_t picture_mode = picture_mode::kNatural;
  uint32_t back_colour = kDefaultColour;
  std::vector<uint8_t> picture;  // picture file bytes (PNG, JPEG, BMP)

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("border_style", border_style);
    v.Word("picture_mode", picture_mode);
    v.Word("back_colour", back_colour, WordStyle::kHex);
    v.Bytes("picture", picture);
  }
};

// ---------------------------------------------------------------------------------------
// Status bar (0x00030002).
struct StatusBarBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  uint32_t version = 1;
  uint32_t size_grip = 1;
  std::string text;

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("size_grip", size_grip);
    v.Text("text", text);
  }
};

// ---------------------------------------------------------------------------------------
// Multi-function bar (0x00020001), used as a scroll bar.
struct SuperBarBlock {
  static constexpr uint32_t kMinVersion = 0;
  static constexpr uint32_t kMaxVersion = 1;
  static constexpr uint32_t kHorizontal = 0;
  static constexpr uint32_t kVertical = 1;
  uint32_t version = 1;
  uint32_t orientation = kHorizontal;
  uint32_t minimum = 0;
  uint32_t maximum = 100;
  uint32_t position = 0;
  uint32_t small_change = 1;   // arrow click
  uint32_t large_change = 10;  // track click

  template <typename V>
  void Visit(V& v) {
    v.Word("version", version);
    v.Word("orientation", orientation);
    v.Word("minimum", minimum, WordStyle::kSigned);
    v.Word("maximum", maximum, WordStyle::kSigned);
    v.Word("position", position, WordStyle::kSigned);
    v.Word("small_change", small_change);
    v.Word("large_change", large_change);
  }
};

// ---------------------------------------------------------------------------------------
// Reading and writing a block through its Visit list.

class BlockReader {
 public:
  explicit BlockReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  size_t consumed() const { return pos_; }

  void Word(const char*, uint32_t& value, WordStyle = WordStyle::kDecimal) {
    if (!Need(4)) return;
    value = uint32_t(bytes_[pos_]) | uint32_t(bytes_[pos_ + 1]) << 8 |
            uint32_t(bytes_[pos_ + 2]) << 16 | uint32_t(bytes_[pos_ + 3]) << 24;
    pos_ += 4;
  }
  void Text(const char* name, std::string& value) {
    std::span<const uint8_t> s = Counted(name);
    value.assign(s.begin(), s.end());
  }
  void Bytes(const char* name, std::vector<uint8_t>& value) {
    std::span<const uint8_t> s = Counted(name);
    value.assign(s.begin(), s.end());
  }
  void Items(const char* name, std::vector<ComboItem>& items) {
    uint32_t n = 0;
    Word(name, n);
    // Each item takes at least 8 bytes; a count that cannot fit is malformed.
    if (!ok_ || n > (bytes_.size() - pos_) / 8) {
      ok_ = false;
      return;
    }
    items.resize(n);
    for (ComboItem& item : items) {
      Text(name, item.text);
      uint32_t data = 0;
      Word(name, data);
      item.data = int32_t(data);
    }
  }

 private:
  bool Need(size_t n) {
    if (!ok_ || n > bytes_.size() - pos_) ok_ = false;
    return ok_;
  }
  std::span<const uint8_t> Counted(const char* name) {
    uint32_t n = 0;
    Word(name, n);
    if (!Need(n)) return {};
    auto s = bytes_.subspan(pos_, n);
    pos_ += n;
    return s;
  }

  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

class BlockWriter {
 public:
  std::vector<uint8_t> bytes;

  void Word(const char*, uint32_t value, WordStyle = WordStyle::kDecimal) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
  }
  void Text(const char*, const std::string& value) {
    Word(nullptr, uint32_t(value.size()));
    bytes.insert(bytes.end(), value.begin(), value.end());
  }
  void Bytes(const char*, const std::vector<uint8_t>& value) {
    Word(nullptr, uint32_t(value.size()));
    bytes.insert(bytes.end(), value.begin(), value.end());
  }
  void Items(const char*, const std::vector<ComboItem>& items) {
    Word(nullptr, uint32_t(items.size()));
    for (const ComboItem& item : items) {
      Text(nullptr, item.text);
      Word(nullptr, uint32_t(item.data));
    }
  }
};

// Decodes a block; nullopt when it runs short or its version is out of range. An empty
// block gives the defaults (the caller decides whether its type allows that).
template <typename Block>
std::optional<Block> DecodeBlock(std::span<const uint8_t> bytes) {
  Block block;
  if (bytes.empty()) return block;
  BlockReader reader(bytes);
  block.Visit(reader);
  if (!reader.ok()) return std::nullopt;
  if (block.version < Block::kMinVersion || block.version > Block::kMaxVersion) {
    return std::nullopt;
  }
  return block;
}

template <typename Block>
std::vector<uint8_t> EncodeBlock(Block block) {
  BlockWriter writer;
  block.Visit(writer);
  return std::move(writer.bytes);
}

// The property-block struct of each component type that has one, by TypeId.
template <TypeId kType>
struct BlockOf;
template <> struct BlockOf<type_id::kWindow> { using type = WindowBlock; };
template <> struct BlockOf<type_id::kDrawPanel> { using type = DrawPanelBlock; };
template <> struct BlockOf<type_id::kCommonDialog> { using type = CommonDialogBlock; };
template <> struct BlockOf<type_id::kColourPicker> { using type = ColourPickerBlock; };
template <> struct BlockOf<type_id::kEditBox> { using type = EditBoxBlock; };
template <> struct BlockOf<type_id::kLabel> { using type = LabelBlock; };
template <> struct BlockOf<type_id::kButton> { using type = ButtonBlock; };
template <> struct BlockOf<type_id::kGroupBox> { using type = GroupBoxBlock; };
template <> struct BlockOf<type_id::kComboBox> { using type = ComboBoxBlock; };
template <> struct BlockOf<type_id::kPictureBox> { using type = PictureBoxBlock; };
template <> struct BlockOf<type_id::kStatusBar> { using type = StatusBarBlock; };
template <> struct BlockOf<type_id::kSuperBar> { using type = SuperBarBlock; };

namespace block_dispatch {
// Every type of the list that has a block must have its BlockOf (or this does not
// compile); types without one are skipped.
template <size_t I, typename F>
bool CallIfTypeIs(TypeId type, F& f) {
  constexpr const ComponentType& entry = kComponentTypes[I];
  if constexpr (entry.has_block) {
    if (entry.id == type) {
      typename BlockOf<entry.id>::type block;
      f(block);
      return true;
    }
  }
  return false;
}
template <typename F, size_t... I>
bool CallForType(TypeId type, F& f, std::index_sequence<I...>) {
  return (CallIfTypeIs<I>(type, f) || ...);
}
}  // namespace block_dispatch

// Calls f(block) with a default block of the property-block struct for `type`; returns
// false for types without a block of their own (menu items, unknown types).
template <typename F>
bool WithBlockFor(TypeId type, F&& f) {
  return block_dispatch::CallForType(type, f,
                                     std::make_index_sequence<std::size(kComponentTypes)>());
}

}  // namespace barvell::runtime::controls
