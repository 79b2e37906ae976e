#include "tools/template_compiler.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "runtime/controls/property_blocks.h"
#include "tools/gbk_text.h"
#include "tools/source_lexer.h"
#include "tools/type_names.h"

namespace barvell::tools {
namespace {

using runtime::ComponentSource;
using runtime::WindowSource;
namespace blocks = runtime::controls;

// Stops compiling with a message for the current line.
struct SourceError {
  std::string message;
};

[[noreturn]] void Fail(std::string message) { throw SourceError{std::move(message)}; }

uint32_t Word(const Token& t) {
  if (t.quoted) Fail("expected a number, found a text");
  std::optional<uint32_t> v = ParseWord(t.word);
  if (!v) Fail("not a 32-bit number: " + t.word);
  return *v;
}

std::string Gbk(const Token& t) {
  if (!t.quoted) Fail("expected a \"text\", found " + t.word);
  if (!t.gbk) Fail("text has a character that GBK lacks");
  return *t.gbk;
}

void NeedCount(const std::vector<Token>& line, size_t n) {
  if (line.size() != n) Fail("'" + line[0].word + "' takes " + std::to_string(n - 1) + " value(s)");
}

// A reference to a component, resolved when its window is complete: a quoted name, an id,
// or "window" (0).
struct Ref {
  Token token;
  int line;
};

struct FieldLine {
  std::vector<Token> values;
  int line;
};

// Gives the source's field lines to a property block's Visit list.
class FieldAssigner {
 public:
  FieldAssigner(std::map<std::string, FieldLine>& fields, const std::filesystem::path& folder,
                const std::vector<std::string>& search_dirs)
      : fields_(fields), folder_(folder), search_dirs_(search_dirs) {}

  void Word(const char* name, uint32_t& value, blocks::WordStyle = {}) {
    if (const FieldLine* f = Take(name, 1)) value = tools::Word(f->values[0]);
  }
  void Text(const char* name, std::string& value) {
    if (const FieldLine* f = Take(name, 1)) value = Gbk(f->values[0]);
  }
  void Bytes(const char* name, std::vector<uint8_t>& value) {
    const FieldLine* f = Take(name, 2);
    if (!f) return;
    const Token& how = f->values[0];
    const Token& what = f->values[1];
    if (!what.quoted) Fail(std::string(name) + ": expected hex \"...\" or file \"...\"");
    std::string bytes;
    if (how.word == "hex" && !how.quoted) {
      std::optional<std::string> parsed = ParseHex(what.word);
      if (!parsed) Fail(std::string(name) + ": bad hex digits");
      bytes = *parsed;
    } else if (how.word == "file" && !how.quoted) {
      bytes = ReadFile(what.word);
    } else {
      Fail(std::string(name) + ": expected hex \"...\" or file \"...\"");
    }
    value.assign(bytes.begin(), bytes.end());
  }
  void Items(const char* name, std::vector<blocks::ComboItem>& items) {
    auto it = fields_.find(name);
    if (it == fields_.end()) return;
    const std::vector<Token>& v = it->second.values;
    if (v.size() % 2 != 0) Fail(std::string(name) + ": expected pairs of \"text\" data");
    items.clear();
    for (size_t i = 0; i < v.size(); i += 2) {
      items.push_back({Gbk(v[i]), int32_t(tools::Word(v[i + 1]))});
    }
    fields_.erase(it);
  }

 private:
  const FieldLine* Take(const char* name, size_t count) {
    auto it = fields_.find(name);
    if (it == fields_.end()) return nullptr;
    if (it->second.values.size() != count) {
      Fail(std::string(name) + " takes " + std::to_string(count) + " value(s)");
    }
    taken_ = it->second;
    fields_.erase(it);
    return &taken_;
  }

  std::string ReadFile(const std::string& name) {
    std::vector<std::filesystem::path> candidates{folder_ / name};
    for (const std::string& dir : search_dirs_) candidates.push_back(std::filesystem::path(dir) / name);
    for (const auto& path : candidates) {
      std::ifstream in(path, std::ios::binary);
      if (!in) continue;
      std::stringstream s;
      s << in.rdbuf();
      return s.str();
    }
    Fail("cannot find file " + name);
  }

  std::map<std::string, FieldLine>& fields_;
  const std::filesystem::path& folder_;
  const std::vector<std::string>& search_dirs_;
  FieldLine taken_;
};

// One component while its window is being read.
struct PendingComponent {
  ComponentSource source;
  int line = 0;
  std::optional<Ref> parent;
  std::optional<Ref> event_source;
  std::optional<std::vector<Ref>> contains;
  bool has_props = false;
  std::optional<std::vector<uint8_t>> raw_props;
  std::map<std::string, FieldLine> fields;
};

class SourceReader {
 public:
  SourceReader(const CompileOptions& options, std::filesystem::path folder,
               std::vector<WindowSource>& out)
      : options_(options), folder_(std::move(folder)), out_(out) {}

  void Line(const std::vector<Token>& t, int line) {
    line_ = line;
    if (t.empty()) return;
    if (t[0].quoted) Fail("a line starts with a keyword");
    const std::string& key = t[0].word;
    if (key == "window") return StartWindow(t);
    if (key == "component") return StartComponent(t);
    if (in_props_) {
      if (t.size() < 2) Fail("field " + key + " without a value");
      if (!current_->fields.emplace(key, FieldLine{{t.begin() + 1, t.end()}, line}).second) {
        Fail("field " + key + " given twice");
      }
      return;
    }
    if (!window_) Fail("'" + key + "' before any window");
    if (key == "header") {
      NeedCount(t, 3);
      window_->header_word1 = Word(t[1]);
      window_->header_word2 = Word(t[2]);
      return;
    }
    if (key == "texts") {
      NeedCount(t, 3);
      window_->text1 = Gbk(t[1]);
      window_->text2 = Gbk(t[2]);
      return;
    }
    if (!current_) Fail("'" + key + "' before any component");
    ComponentLine(t, key);
  }

  void Finish() {
    FinishWindow();
  }

 private:
  void StartWindow(const std::vector<Token>& t) {
    NeedCount(t, 2);
    FinishWindow();
    window_ = WindowSource{};
    window_->id = Word(t[1]);
  }

  void StartComponent(const std::vector<Token>& t) {
    if (!window_) Fail("component before any window");
    if (t.size() != 3 && t.size() != 4) Fail("component <id> <type> [\"name\"]");
    FinishComponent();
    PendingComponent c;
    c.line = line_;
    c.source.record.id = Word(t[1]);
    c.source.record.is_menu_item = IdIsMenuItem(c.source.record.id);
    if (std::optional<TypeId> type = TypeOfKeyword(t[2].word); type && !t[2].quoted) {
      c.source.record.type = *type;
    } else {
      c.source.record.type = Word(t[2]);
    }
    if (t.size() == 4) c.source.record.name = Gbk(t[3]);
    for (const PendingComponent& other : components_) {
      if (other.source.record.id == c.source.record.id) Fail("component id given twice");
    }
    components_.push_back(std::move(c));
    current_ = &components_.back();
  }

  void ComponentLine(const std::vector<Token>& t, const std::string& key) {
    runtime::ComponentRecord& r = current_->source.record;
    const bool menu = r.is_menu_item;
    auto control_only = [&] { if (menu) Fail("'" + key + "' is not a menu item field"); };
    auto menu_only = [&] { if (!menu) Fail("'" + key + "' is a menu item field"); };
    if (key == "name") {
      NeedCount(t, 2);
      r.name = Gbk(t[1]);
    } else if (key == "remark") {
      NeedCount(t, 2);
      r.remark = Gbk(t[1]);
    } else if (key == "event_source") {
      NeedCount(t, 2);
      current_->event_source = Ref{t[1], line_};
    } else if (key == "props") {
      if (current_->has_props) Fail("props given twice");
      current_->has_props = true;
      if (t.size() == 3 && t[1].word == "raw" && !t[1].quoted) {
        std::optional<std::string> bytes = t[2].quoted ? ParseHex(t[2].word) : std::nullopt;
        if (!bytes) Fail("props raw \"hex digits\"");
        current_->raw_props = std::vector<uint8_t>(bytes->begin(), bytes->end());
      } else {
        NeedCount(t, 1);
        in_props_ = true;
      }
    } else if (key == "rect") {
      control_only();
      NeedCount(t, 5);
      r.left = int32_t(Word(t[1]));
      r.top = int32_t(Word(t[2]));
      r.width = int32_t(Word(t[3]));
      r.height = int32_t(Word(t[4]));
    } else if (key == "in") {
      control_only();
      NeedCount(t, 2);
      current_->parent = Ref{t[1], line_};
    } else if (key == "contains") {
      control_only();
      std::vector<Ref> refs;
      for (size_t i = 1; i < t.size(); ++i) refs.push_back(Ref{t[i], line_});
      current_->contains = std::move(refs);
    } else if (key == "cursor") {
      control_only();
      if (t.size() == 2 && t[1].word == "hand" && !t[1].quoted) {
        uint32_t id = runtime::kHandCursorId;
        r.cursor = {uint8_t(id), uint8_t(id >> 8), uint8_t(id >> 16), uint8_t(id >> 24)};
      } else if (t.size() == 3 && t[1].word == "hex" && t[2].quoted) {
        std::optional<std::string> bytes = ParseHex(t[2].word);
        if (!bytes) Fail("bad hex digits");
        r.cursor.assign(bytes->begin(), bytes->end());
      } else {
        Fail("cursor hand | cursor hex \"...\"");
      }
    } else if (key == "tag") {
      control_only();
      NeedCount(t, 2);
      r.tag = Gbk(t[1]);
    } else if (key == "flags") {
      control_only();
      r.flags = Flags(t, kComponentFlagNames);
    } else if (key == "focus") {
      control_only();
      NeedCount(t, 2);
      r.focus_order = Word(t[1]);
    } else if (key == "on") {
      control_only();
      NeedCount(t, 3);
      r.events.push_back({int32_t(Word(t[1])), Handler(t[2])});
    } else if (key == "level") {
      menu_only();
      NeedCount(t, 2);
      r.level = Word(t[1]);
    } else if (key == "caption") {
      menu_only();
      NeedCount(t, 2);
      r.caption = Gbk(t[1]);
    } else if (key == "handler") {
      menu_only();
      NeedCount(t, 2);
      r.handler_offset = Handler(t[1]);
    } else if (key == "shortcut") {
      menu_only();
      NeedCount(t, 2);
      r.shortcut = Word(t[1]);
    } else if (key == "menu_flags") {
      menu_only();
      r.menu_flags = Flags(t, kMenuFlagNames);
    } else {
      Fail("unknown keyword " + key);
    }
  }

  template <size_t N>
  uint32_t Flags(const std::vector<Token>& t, const FlagName (&names)[N]) {
    uint32_t flags = 0;
    for (size_t i = 1; i < t.size(); ++i) {
      bool named = false;
      for (const FlagName& f : names) {
        if (!t[i].quoted && t[i].word == f.keyword) {
          flags |= f.bit;
          named = true;
        }
      }
      if (!named) flags |= Word(t[i]);
    }
    return flags;
  }

  int32_t Handler(const Token& t) {
    if (t.quoted) Fail("a handler is a name, none or @offset");
    if (t.word == "none") return runtime::kNoHandler;
    if (t.word.starts_with("@")) return int32_t(Word(Token{false, t.word.substr(1), {}}));
    if (!options_.handlers) Fail("no handler list given for " + t.word);
    std::optional<int32_t> offset = options_.handlers->OffsetOf(t.word);
    if (!offset) Fail("unknown handler " + t.word);
    return *offset;
  }

  void FinishComponent() {
    in_props_ = false;
    if (!current_) return;
    PendingComponent& c = *current_;
    if (c.raw_props) {
      c.source.property_block = *c.raw_props;
    } else if (c.has_props) {
      bool known = blocks::WithBlockFor(c.source.record.type, [&](auto& block) {
        FieldAssigner assign(c.fields, folder_, options_.search_dirs);
        block.Visit(assign);
        c.source.property_block = blocks::EncodeBlock(block);
      });
      if (!known) Fail("type has no property block of its own; use props raw");
      if (!c.fields.empty()) {
        line_ = c.fields.begin()->second.line;
        Fail("field " + c.fields.begin()->first + " is not part of this block");
      }
    }
    current_ = nullptr;
  }

  ComponentId Resolve(const Ref& ref) {
    line_ = ref.line;
    if (!ref.token.quoted) {
      if (ref.token.word == "window") return 0;
      return Word(ref.token);
    }
    std::string name = Gbk(ref.token);
    const runtime::ComponentRecord* found = nullptr;
    for (const PendingComponent& c : components_) {
      if (c.source.record.name != name) continue;
      if (found) Fail("name " + ref.token.word + " is not unique");
      found = &c.source.record;
    }
    if (!found) Fail("no component named " + ref.token.word);
    return found->id;
  }

  void FinishWindow() {
    FinishComponent();
    if (!window_) return;
    for (PendingComponent& c : components_) {
      if (c.parent) c.source.record.parent = Resolve(*c.parent);
      if (c.event_source) c.source.record.event_source = Resolve(*c.event_source);
    }
    for (PendingComponent& c : components_) {
      std::vector<ComponentId>& contains = c.source.record.contains;
      if (c.contains) {
        for (const Ref& ref : *c.contains) contains.push_back(Resolve(ref));
      } else if (!c.source.record.is_menu_item) {
        for (const PendingComponent& child : components_) {
          if (child.source.record.parent == c.source.record.id && !child.source.record.is_menu_item) {
            contains.push_back(child.source.record.id);
          }
        }
      }
    }
    for (PendingComponent& c : components_) window_->components.push_back(std::move(c.source));
    if (window_->components.empty() || window_->components[0].record.type != type_id::kWindow ||
        window_->components[0].record.is_menu_item) {
      Fail("a window starts with its window component");
    }
    out_.push_back(std::move(*window_));
    window_.reset();
    components_.clear();
  }

  const CompileOptions& options_;
  std::filesystem::path folder_;
  std::vector<WindowSource>& out_;
  std::optional<WindowSource> window_;
  std::vector<PendingComponent> components_;
  PendingComponent* current_ = nullptr;  // last of components_ until finished
  bool in_props_ = false;
  int line_ = 0;

 public:
  int CurrentLine() const { return line_; }
};

}  // namespace

bool TemplateCompiler::AddSource(std::string_view text, const std::string& origin,
                                 std::string* error) {
  SourceReader reader(options_, std::filesystem::path(origin).parent_path(), windows_);
  int line_no = 0;
  try {
    while (!text.empty()) {
      size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text = end == text.npos ? std::string_view() : text.substr(end + 1);
      ++line_no;
      std::string lex_error;
      std::optional<std::vector<Token>> tokens = TokeniseLine(line, &lex_error);
      if (!tokens) {
        *error = origin + ":" + std::to_string(line_no) + ": " + lex_error;
        return false;
      }
      reader.Line(*tokens, line_no);
    }
    reader.Finish();
  } catch (const SourceError& e) {
    *error = origin + ":" + std::to_string(reader.CurrentLine()) + ": " + e.message;
    return false;
  }
  return true;
}

bool TemplateCompiler::AddFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path;
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  return AddSource(text.str(), path, error);
}

}  // namespace barvell::tools
