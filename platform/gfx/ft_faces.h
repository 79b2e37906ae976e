#pragma once
// The process's FreeType library and its open faces, one per font file and index.
// Faces live for the whole process, like the platform's stock fonts; fonts share them
// and set their own pixel size before each use.

#include "platform/gfx/font_match.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace barvell::gfx {

// Null when FreeType cannot start or the file cannot be opened.
FT_Face OpenFace(const FaceLocation& where);

}  // namespace barvell::gfx
