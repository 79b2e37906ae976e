// The template compiler: readable window sources -> the windows of a template area.
//
// A source is a list of lines; the first word of a line says what it sets:
//   window 0x52010001                 starts a window (the window table follows the order
//   header 0 0x19010005               in which windows appear)
//   texts "" ""                       the two header texts (optional, empty by default)
//   component 0x1601000F edit_box "编辑框1"
//                                     starts a component of the window; component 0 is the
//                                     window component, then the menu run, then controls
//   rect 64 18 120 20                 left, top, width, height
//   in "分组框1"                      container, by name or id (default: the window)
//   contains "a" "b"                  explicit contents (default: the components whose
//                                     container this is, in template order)
//   flags visible tab_stop            or a number; focus 10; tag "x"; remark "x"
//   cursor hand | cursor hex "..."    cursor data
//   on 0 MainWindow_Created           event number and handler name (none, @offset)
//   event_source "x"                  component whose event table serves this one
//   level 1 / caption "教程" / handler Name / shortcut 0 / menu_flags hidden ...
//                                     menu items
//   props                             the lines up to the next component are the fields
//                                     of the type's property block ("field value");
//                                     without props the block is empty;
//                                     props raw "hex" gives the bytes as they are
// Field values: numbers, "texts", hex "..." or file "name" for byte strings, and for
// combo items: items "PNG" 5 "JPG" 2 ...
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/templates/template_area.h"
#include "tools/handler_names.h"

namespace barvell::tools {

struct CompileOptions {
  const HandlerNames* handlers = nullptr;
  std::vector<std::string> search_dirs;  // for file "..." values, after the source's folder
};

class TemplateCompiler {
 public:
  explicit TemplateCompiler(CompileOptions options) : options_(std::move(options)) {}

  // Adds the windows of one source text; `origin` names it in errors and gives the
  // folder for file values. False with *error ("origin:line: message") on failure.
  bool AddSource(std::string_view text, const std::string& origin, std::string* error);
  bool AddFile(const std::string& path, std::string* error);

  const std::vector<runtime::WindowSource>& Windows() const { return windows_; }

 private:
  CompileOptions options_;
  std::vector<runtime::WindowSource> windows_;
};

}  // namespace barvell::tools
