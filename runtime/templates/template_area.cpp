#include "runtime/templates/template_area.h"

#include <cstring>

namespace barvell::runtime {
namespace {

// Thrown inside the parser only; ParseTemplateArea turns it into a ParseError.
struct Malformed {
  size_t position;
  const char* reason;
};

// A cursor over [begin, end) of a byte range; every read checks the end first.
class Reader {
 public:
  Reader(std::span<const uint8_t> bytes, size_t base) : bytes_(bytes), base_(base) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return bytes_.size() - pos_; }
  size_t AreaPosition() const { return base_ + pos_; }

  [[noreturn]] void Fail(const char* reason) const { throw Malformed{AreaPosition(), reason}; }

  void Need(size_t n, const char* what) const {
    if (n > Remaining()) Fail(what);
  }
  uint32_t U32(const char* what) {
    Need(4, what);
    const uint8_t* p = bytes_.data() + pos_;
    pos_ += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
  int32_t I32(const char* what) { return int32_t(U32(what)); }
  std::span<const uint8_t> Bytes(size_t n, const char* what) {
    Need(n, what);
    auto s = bytes_.subspan(pos_, n);
    pos_ += n;
    return s;
  }
  std::string CountedText(const char* what) {
    uint32_t n = U32(what);
    auto s = Bytes(n, what);
    return std::string(s.begin(), s.end());
  }
  std::vector<uint8_t> CountedBytes(const char* what) {
    uint32_t n = U32(what);
    auto s = Bytes(n, what);
    return std::vector<uint8_t>(s.begin(), s.end());
  }
  std::string ZText(const char* what) {
    const uint8_t* start = bytes_.data() + pos_;
    const void* zero = std::memchr(start, 0, Remaining());
    if (zero == nullptr) Fail(what);
    size_t n = static_cast<const uint8_t*>(zero) - start;
    std::string s(reinterpret_cast<const char*>(start), n);
    pos_ += n + 1;
    return s;
  }
  void Skip(size_t n, const char* what) { Bytes(n, what); }

 private:
  std::span<const uint8_t> bytes_;
  size_t base_;  // position of bytes_ in the area, for error positions
  size_t pos_ = 0;
};

constexpr size_t kHeadReservedBytes = 16;
constexpr size_t kMenuSlotBytes = 16;
constexpr size_t kEventTableReservedBytes = 20;

// Reads one record's fields; `r` spans exactly the record's N bytes.
void ReadRecord(Reader& r, ComponentRecord& c) {
  c.type = r.U32("record type id");
  c.event_source = r.U32("record event source");
  r.Skip(kHeadReservedBytes, "record reserved words");
  c.name = r.ZText("record name");
  c.remark = r.ZText("record remark");
  c.is_menu_item = IdIsMenuItem(c.id);
  if (c.is_menu_item) {
    c.shortcut = r.U32("menu shortcut");
    c.level = r.U32("menu level");
    c.menu_flags = r.U32("menu flags");
    c.caption = r.ZText("menu caption");
    c.handler_offset = r.I32("menu handler");
    r.Skip(kMenuSlotBytes, "menu runtime slots");
  } else {
    r.U32("object slot");
    c.left = r.I32("left");
    c.top = r.I32("top");
    c.width = r.I32("width");
    c.height = r.I32("height");
    r.U32("cursor slot");
    c.parent = r.U32("parent");
    uint32_t e = r.U32("contained count");
    if (e > r.Remaining() / 4) r.Fail("contained count does not fit the record");
    c.contains.resize(e);
    for (auto& id : c.contains) id = r.U32("contained id");
    c.cursor = r.CountedBytes("cursor data");
    c.tag = r.ZText("tag");
    r.U32("reserved word");
    c.flags = r.U32("flags");
    c.focus_order = r.U32("focus order");
    uint32_t n = r.U32("event count");
    if (n > r.Remaining() / 8) r.Fail("event count does not fit the record");
    c.events.resize(n);
    for (auto& ev : c.events) {
      ev.event = r.I32("event number");
      ev.handler_offset = r.I32("event handler");
    }
    r.Skip(kEventTableReservedBytes, "event table reserved bytes");
  }
}

WindowTemplate ReadWindow(Reader& r) {
  WindowTemplate w;
  w.header_word1 = r.U32("header word 1");
  w.header_word2 = r.U32("header word 2");
  w.text1 = r.CountedText("header text 1");
  w.text2 = r.CountedText("header text 2");
  uint32_t m = r.U32("component count");
  uint32_t b = r.U32("component buffer length");
  size_t buffer_start = r.AreaPosition();
  auto buffer = r.Bytes(b, "component buffer runs past the end of the area");
  w.buffer.assign(buffer.begin(), buffer.end());

  Reader br(buffer, buffer_start);
  if (m == 0) br.Fail("window without components");
  if (m > b / 8) br.Fail("component count does not fit the component buffer");
  w.components.resize(m);
  for (auto& c : w.components) c.id = br.U32("component id");
  std::vector<uint32_t> offsets(m);
  for (auto& o : offsets) o = br.U32("component offset");
  const size_t records_start = br.Position();

  for (size_t i = 0; i < m; ++i) {
    ComponentRecord& c = w.components[i];
    if (offsets[i] > b - records_start) br.Fail("component offset outside the buffer");
    size_t at = records_start + offsets[i];
    Reader lr(buffer.subspan(at), buffer_start + at);
    uint32_t n = lr.U32("record length");
    if (n > lr.Remaining()) lr.Fail("record longer than its buffer");
    c.record_offset = uint32_t(at + 4);
    c.record_size = n;
    Reader rr(buffer.subspan(at + 4, n), buffer_start + at + 4);
    ReadRecord(rr, c);
    c.property_offset = uint32_t(c.record_offset + rr.Position());
    c.property_size = uint32_t(rr.Remaining());
  }
  const ComponentRecord& first = w.components[0];
  if (first.is_menu_item || first.type != type_id::kWindow) {
    br.Fail("component 0 is not the window component");
  }
  return w;
}

// Little-endian writing helpers of the encoder.
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutBytes(std::vector<uint8_t>& out, std::span<const uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}
void PutCounted(std::vector<uint8_t>& out, const std::string& s) {
  PutU32(out, uint32_t(s.size()));
  out.insert(out.end(), s.begin(), s.end());
}
void PutZText(std::vector<uint8_t>& out, const std::string& s) {
  // A text with a zero byte inside cannot be a z-text; it ends there.
  size_t n = s.find('\0');
  if (n == std::string::npos) n = s.size();
  out.insert(out.end(), s.begin(), s.begin() + n);
  out.push_back(0);
}
void PutZeros(std::vector<uint8_t>& out, size_t n) { out.insert(out.end(), n, 0); }

std::vector<uint8_t> EncodeRecord(const ComponentSource& source) {
  const ComponentRecord& c = source.record;
  std::vector<uint8_t> out;
  PutU32(out, c.type);
  PutU32(out, c.event_source);
  PutZeros(out, kHeadReservedBytes);
  PutZText(out, c.name);
  PutZText(out, c.remark);
  if (IdIsMenuItem(c.id)) {
    PutU32(out, c.shortcut);
    PutU32(out, c.level);
    PutU32(out, c.menu_flags);
    PutZText(out, c.caption);
    PutU32(out, uint32_t(c.handler_offset));
    PutZeros(out, kMenuSlotBytes);
  } else {
    PutU32(out, 0);  // object slot
    PutU32(out, uint32_t(c.left));
    PutU32(out, uint32_t(c.top));
    PutU32(out, uint32_t(c.width));
    PutU32(out, uint32_t(c.height));
    PutU32(out, 0);  // cursor slot
    PutU32(out, c.parent);
    PutU32(out, uint32_t(c.contains.size()));
    for (ComponentId id : c.contains) PutU32(out, id);
    PutU32(out, uint32_t(c.cursor.size()));
    PutBytes(out, c.cursor);
    PutZText(out, c.tag);
    PutU32(out, 0);  // reserved
    PutU32(out, c.flags);
    PutU32(out, c.focus_order);
    PutU32(out, uint32_t(c.events.size()));
    for (const EventBinding& ev : c.events) {
      PutU32(out, uint32_t(ev.event));
      PutU32(out, uint32_t(ev.handler_offset));
    }
    PutZeros(out, kEventTableReservedBytes);
  }
  PutBytes(out, source.property_block);
  return out;
}

}  // namespace

ParseResult ParseTemplateArea(std::span<const uint8_t> area) {
  ParseResult result;
  try {
    Reader r(area, 0);
    uint32_t table_length = r.U32("window table length");
    if (table_length % 8 != 0) r.Fail("window table length not a multiple of 8");
    if (table_length > r.Remaining()) r.Fail("window table runs past the end of the area");
    size_t n = table_length / 8;
    TemplateArea parsed;
    parsed.windows.resize(n);
    for (auto& w : parsed.windows) w.id = r.U32("window id");
    r.Skip(4 * n, "window object words");
    for (auto& w : parsed.windows) {
      WindowId id = w.id;
      w = ReadWindow(r);
      w.id = id;
    }
    if (r.Remaining() != 0) r.Fail("trailing bytes after the last window template");
    result.area = std::move(parsed);
  } catch (const Malformed& m) {
    result.error = ParseError{m.position, m.reason};
  }
  return result;
}

std::vector<uint8_t> EncodeTemplateArea(std::span<const WindowSource> windows) {
  std::vector<uint8_t> out;
  PutU32(out, uint32_t(8 * windows.size()));
  for (const WindowSource& w : windows) PutU32(out, w.id);
  PutZeros(out, 4 * windows.size());
  for (const WindowSource& w : windows) {
    PutU32(out, w.header_word1);
    PutU32(out, w.header_word2);
    PutCounted(out, w.text1);
    PutCounted(out, w.text2);
    const size_t m = w.components.size();
    std::vector<uint8_t> records;
    std::vector<uint32_t> offsets;
    for (const ComponentSource& c : w.components) {
      offsets.push_back(uint32_t(records.size()));
      std::vector<uint8_t> record = EncodeRecord(c);
      PutU32(records, uint32_t(record.size()));
      PutBytes(records, record);
    }
    PutU32(out, uint32_t(m));
    PutU32(out, uint32_t(8 * m + records.size()));
    for (const ComponentSource& c : w.components) PutU32(out, c.record.id);
    for (uint32_t o : offsets) PutU32(out, o);
    PutBytes(out, records);
  }
  return out;
}

std::vector<WindowSource> ToSource(const TemplateArea& area) {
  std::vector<WindowSource> windows;
  for (const WindowTemplate& w : area.windows) {
    WindowSource s{w.id, w.header_word1, w.header_word2, w.text1, w.text2, {}};
    for (size_t i = 0; i < w.components.size(); ++i) {
      auto block = w.PropertyBlock(i);
      s.components.push_back({w.components[i], {block.begin(), block.end()}});
    }
    windows.push_back(std::move(s));
  }
  return windows;
}

}  // namespace barvell::runtime
