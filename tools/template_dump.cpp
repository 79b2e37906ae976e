#include "tools/template_dump.h"

#include <cstdio>

#include "runtime/controls/property_blocks.h"
#include "tools/gbk_text.h"
#include "tools/type_names.h"

namespace barvell::tools {
namespace {

using runtime::ComponentRecord;
using runtime::ComponentSource;
using runtime::WindowSource;
namespace blocks = runtime::controls;

std::string Hex32(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", v);
  return buf;
}

std::string Text(const std::string& gbk) { return GbkToLiteral(gbk); }

std::string BytesValue(const std::vector<uint8_t>& bytes) {
  return "hex " + HexLiteral(std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                              bytes.size()));
}

// Prints a property block's fields through its Visit list.
class FieldPrinter {
 public:
  std::string out;

  void Word(const char* name, uint32_t value, blocks::WordStyle style = {}) {
    std::string v = style == blocks::WordStyle::kHex      ? Hex32(value)
                    : style == blocks::WordStyle::kSigned ? std::to_string(int32_t(value))
                                                          : std::to_string(value);
    Line(name, v);
  }
  void Text(const char* name, const std::string& value) { Line(name, tools::Text(value)); }
  void Bytes(const char* name, const std::vector<uint8_t>& value) {
    Line(name, BytesValue(value));
  }
  void Items(const char* name, const std::vector<blocks::ComboItem>& items) {
    std::string v;
    for (const blocks::ComboItem& item : items) {
      if (!v.empty()) v += ' ';
      v += tools::Text(item.text) + " " + std::to_string(item.data);
    }
    if (!items.empty()) Line(name, v);
  }

 private:
  void Line(const char* name, const std::string& value) {
    out += "    ";
    out += name;
    out += ' ';
    out += value;
    out += '\n';
  }
};

// The block as fields when decoding and encoding it again gives the same bytes;
// otherwise as raw bytes, so that the dump always compiles back to the input.
std::string PropsText(const ComponentSource& c) {
  const std::vector<uint8_t>& bytes = c.property_block;
  if (bytes.empty()) return "";
  std::string fields;
  bool exact = false;
  blocks::WithBlockFor(c.record.type, [&](auto& block) {
    using Block = std::remove_reference_t<decltype(block)>;
    std::optional<Block> decoded = blocks::DecodeBlock<Block>(bytes);
    if (!decoded || blocks::EncodeBlock(*decoded) != bytes) return;
    FieldPrinter printer;
    decoded->Visit(printer);
    fields = printer.out;
    exact = true;
  });
  if (exact) return "  props\n" + fields;
  return "  props raw " +
         HexLiteral(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) +
         "\n";
}

class WindowPrinter {
 public:
  WindowPrinter(const WindowSource& w, const HandlerNames* handlers)
      : w_(w), handlers_(handlers) {}

  std::string Print() {
    out_ += "window " + Hex32(w_.id) + "\n";
    out_ += "header " + std::to_string(w_.header_word1) + " " + Hex32(w_.header_word2) + "\n";
    if (!w_.text1.empty() || !w_.text2.empty()) {
      out_ += "texts " + Text(w_.text1) + " " + Text(w_.text2) + "\n";
    }
    for (const ComponentSource& c : w_.components) Component(c);
    return out_;
  }

 private:
  void Component(const ComponentSource& c) {
    const ComponentRecord& r = c.record;
    std::optional<std::string_view> keyword = KeywordOfType(r.type);
    out_ += "\ncomponent " + Hex32(r.id) + " " +
            (keyword ? std::string(*keyword) : Hex32(r.type));
    if (!r.name.empty()) out_ += " " + Text(r.name);
    out_ += "\n";
    if (!r.remark.empty()) out_ += "  remark " + Text(r.remark) + "\n";
    if (r.event_source) out_ += "  event_source " + Ref(r.event_source) + "\n";
    if (r.is_menu_item) {
      out_ += "  level " + std::to_string(r.level) + "\n";
      out_ += "  caption " + Text(r.caption) + "\n";
      if (r.handler_offset != runtime::kNoHandler) {
        out_ += "  handler " + HandlerName(r.handler_offset) + "\n";
      }
      if (r.shortcut) out_ += "  shortcut " + std::to_string(r.shortcut) + "\n";
      if (r.menu_flags) out_ += "  menu_flags" + Flags(r.menu_flags, kMenuFlagNames) + "\n";
    } else {
      out_ += "  rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
              std::to_string(r.width) + " " + std::to_string(r.height) + "\n";
      if (r.parent) out_ += "  in " + Ref(r.parent) + "\n";
      if (r.contains != DerivedContents(r.id)) {
        out_ += "  contains";
        for (ComponentId id : r.contains) out_ += " " + Ref(id);
        out_ += "\n";
      }
      if (!r.cursor.empty()) out_ += "  cursor " + Cursor(r.cursor) + "\n";
      if (!r.tag.empty()) out_ += "  tag " + Text(r.tag) + "\n";
      if (r.flags) out_ += "  flags" + Flags(r.flags, kComponentFlagNames) + "\n";
      if (r.focus_order) out_ += "  focus " + std::to_string(r.focus_order) + "\n";
      for (const runtime::EventBinding& ev : r.events) {
        out_ += "  on " + std::to_string(ev.event) + " " + HandlerName(ev.handler_offset) + "\n";
      }
    }
    out_ += PropsText(c);
  }

  // What the compiler derives when a source gives no contains line.
  std::vector<ComponentId> DerivedContents(ComponentId id) const {
    std::vector<ComponentId> ids;
    for (const ComponentSource& c : w_.components) {
      if (c.record.parent == id && !c.record.is_menu_item) ids.push_back(c.record.id);
    }
    return ids;
  }

  // A unique non-empty name, else the id.
  std::string Ref(ComponentId id) const {
    const ComponentRecord* named = nullptr;
    for (const ComponentSource& c : w_.components) {
      if (c.record.id == id) named = &c.record;
    }
    if (!named || named->name.empty() || id == 0) return Hex32(id);
    int same = 0;
    for (const ComponentSource& c : w_.components) same += c.record.name == named->name;
    return same == 1 ? Text(named->name) : Hex32(id);
  }

  std::string HandlerName(int32_t offset) const {
    if (offset == runtime::kNoHandler) return "none";
    std::optional<std::string> name = handlers_ ? handlers_->NameAt(offset) : std::nullopt;
    return name ? *name : "@" + std::to_string(offset);
  }

  template <size_t N>
  static std::string Flags(uint32_t flags, const FlagName (&names)[N]) {
    std::string s;
    for (const FlagName& f : names) {
      if (flags & f.bit) {
        s += " " + std::string(f.keyword);
        flags &= ~f.bit;
      }
    }
    if (flags) s += " " + Hex32(flags);
    return s;
  }

  static std::string Cursor(const std::vector<uint8_t>& cursor) {
    uint32_t id = runtime::kHandCursorId;
    std::vector<uint8_t> hand{uint8_t(id), uint8_t(id >> 8), uint8_t(id >> 16), uint8_t(id >> 24)};
    return cursor == hand ? "hand" : BytesValue(cursor);
  }

  const WindowSource& w_;
  const HandlerNames* handlers_;
  std::string out_;
};

}  // namespace

std::string DumpWindows(const std::vector<WindowSource>& windows, const HandlerNames* handlers) {
  std::string out;
  for (const WindowSource& w : windows) {
    if (!out.empty()) out += "\n";
    out += WindowPrinter(w, handlers).Print();
  }
  return out;
}

}  // namespace barvell::tools
