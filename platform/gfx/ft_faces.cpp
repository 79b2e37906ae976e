#include "platform/gfx/ft_faces.h"

#include <map>
#include <utility>

namespace barvell::gfx {

FT_Face OpenFace(const FaceLocation& where) {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
  }();
  static std::map<std::pair<std::string, int>, FT_Face> faces;
  if (!library) return nullptr;
  const auto key = std::make_pair(where.file, where.index);
  auto it = faces.find(key);
  if (it != faces.end()) return it->second;
  FT_Face face = nullptr;
  if (FT_New_Face(library, where.file.c_str(), where.index, &face) != 0) face = nullptr;
  faces.emplace(key, face);  // a failure is remembered too: no retry per text
  return face;
}

}  // namespace barvell::gfx
