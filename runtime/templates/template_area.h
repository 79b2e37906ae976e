// The binary window template area: its parsed model, the bounds-checked parser and the
// writer that is its inverse (used by the template compiler).
//
// Layout, all integers little-endian:
//   u32 L = 8 n, n WindowIds, n zero words (window objects while running)
//   n WindowTemplates: u32 header word 1, u32 header word 2, counted text, counted text,
//     u32 m, u32 B, then B bytes of component buffer:
//       m ComponentIds, m offsets (from the end of the offset array), the records
//       (u32 N, N bytes each).
// Component 0 is the window component; the menu items follow as one run; then controls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "barvell/call_interface.h"
#include "runtime/call/component_flags.h"

namespace barvell::runtime {

constexpr int32_t kNoHandler = -1;

// The standard cursor id of the hand cursor, as four bytes of cursor data.
constexpr uint32_t kHandCursorId = 0x00007F89;

struct EventBinding {
  int32_t event = 0;
  int32_t handler_offset = kNoHandler;  // from the code base
  bool operator==(const EventBinding&) const = default;
};

// One component of a window template, read out of its record. Texts are the template's
// own bytes (GBK), without terminator.
struct ComponentRecord {
  ComponentId id = 0;
  TypeId type = 0;
  ComponentId event_source = 0;  // component whose event table serves this one, or 0
  std::string name;
  std::string remark;

  bool is_menu_item = false;  // decided by the id (class 2, kind 6)

  // Menu items.
  uint32_t shortcut = 0;  // 0 none, 1-26 Ctrl+A..Z, 27-38 F1..F12, ... 75 Ins, 76 Del
  uint32_t level = 0;     // 0 on the menu bar, 1 in the pull-down of the last level 0, ...
  uint32_t menu_flags = 0;
  std::string caption;    // "-" is a separator
  int32_t handler_offset = kNoHandler;

  // Window component and controls.
  int32_t left = 0, top = 0, width = 0, height = 0;
  ComponentId parent = 0;              // container, 0 = the window itself
  std::vector<ComponentId> contains;   // components inside this container; 0 separates pages
  std::vector<uint8_t> cursor;         // empty / 4 zero bytes default, 4 bytes standard id
  std::string tag;
  uint32_t flags = 0;                  // component_flag
  uint32_t focus_order = 0;
  std::vector<EventBinding> events;

  // Where the record lies in its window's component buffer: the record's bytes (after
  // its length word) and the type's property block at its end.
  uint32_t record_offset = 0;
  uint32_t record_size = 0;
  uint32_t property_offset = 0;
  uint32_t property_size = 0;
};

struct WindowTemplate {
  WindowId id = 0;
  uint32_t header_word1 = 0;
  uint32_t header_word2 = 0;
  std::string text1;
  std::string text2;
  std::vector<uint8_t> buffer;  // copy of the component buffer
  std::vector<ComponentRecord> components;

  std::span<const uint8_t> PropertyBlock(size_t index) const {
    const ComponentRecord& c = components.at(index);
    return std::span<const uint8_t>(buffer).subspan(c.property_offset, c.property_size);
  }
};

struct TemplateArea {
  std::vector<WindowTemplate> windows;  // in window table order
};

struct ParseError {
  size_t position = 0;  // byte position in the area where the malformation was found
  std::string reason;   // ASCII, for tools and tests
};

struct ParseResult {
  std::optional<TemplateArea> area;
  ParseError error;
  bool ok() const { return area.has_value(); }
};

// Reads the whole area, which must be consumed exactly. Never reads outside `area`.
ParseResult ParseTemplateArea(std::span<const uint8_t> area);

// The writer's input: a component with its property block bytes. The record's offsets
// are ignored; the record's slots and reserved words are written as zero.
struct ComponentSource {
  ComponentRecord record;
  std::vector<uint8_t> property_block;
};

struct WindowSource {
  WindowId id = 0;
  uint32_t header_word1 = 0;
  uint32_t header_word2 = 0;
  std::string text1;
  std::string text2;
  std::vector<ComponentSource> components;
};

// The inverse of ParseTemplateArea for areas in this canonical form (records in
// component order, no gaps, zero slots).
std::vector<uint8_t> EncodeTemplateArea(std::span<const WindowSource> windows);

// The writer's input rebuilt from a parsed area (property blocks copied out).
std::vector<WindowSource> ToSource(const TemplateArea& area);

}  // namespace barvell::runtime
