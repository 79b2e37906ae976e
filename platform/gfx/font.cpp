#include "platform/gfx/font.h"

#include "platform/gfx/ft_faces.h"
#include "platform/gfx/glyph.h"

#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <array>
#include <bitset>
#include <map>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <unordered_map>

namespace barvell::gfx {

// The faces behind one font and the glyphs rendered from them.
class FontFaces {
 public:
  struct Source {
    FT_Face face = nullptr;
    bool embolden = false;  // bold asked for, but the file is not bold
    bool oblique = false;   // italic asked for, but the file is upright
  };
  Source primary;
  Source fallback;  // the Chinese face for characters the primary face lacks
  std::unordered_map<char32_t, std::unique_ptr<GlyphImage>> glyphs;
  // The same glyphs of ASCII characters by code, once looked up: a barcode's digits are
  // measured and drawn many times a picture.
  std::array<const GlyphImage*, 128> ascii{};
  std::bitset<128> asciiKnown;
};

namespace {

constexpr int kDefaultPixelSize = 12;   // 9 points at 96 dpi
constexpr int kMaxPixelSize = 4096;
constexpr FT_Fixed kObliqueShear = 0x3333;  // 0.2: the slant of a synthesised italic

FontFaces::Source Open(const std::optional<FaceLocation>& where, const FontRequest& request) {
  FontFaces::Source s;
  if (!where) return s;
  s.face = OpenFace(*where);
  // The file's own style says whether bold or italic must be synthesised.
  if (s.face) {
    s.embolden = request.bold && !(s.face->style_flags & FT_STYLE_FLAG_BOLD);
    s.oblique = request.italic && !(s.face->style_flags & FT_STYLE_FLAG_ITALIC);
  }
  return s;
}

int Scale(long units, int ppem, int upem, bool up) {
  const double v = static_cast<double>(units) * ppem / upem;
  return static_cast<int>(up ? std::ceil(v - 1e-9) : std::lround(v));
}

// The ascent and descent that the platform takes for a cell: the OS/2 table's Windows
// metrics when the font has them.
void CellMetrics(FT_Face face, long* ascent, long* descent) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    *ascent = os2->usWinAscent;
    *descent = os2->usWinDescent;
  } else {
    *ascent = face->ascender;
    *descent = -face->descender;
  }
}

bool LoadGlyph(FT_Face face, FT_UInt index, const FT_Matrix& m, bool embolden) {
  FT_Matrix copy = m;
  FT_Set_Transform(face, &copy, nullptr);
  FT_Error err = FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP);
  if (err) err = FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO);
  FT_Set_Transform(face, nullptr, nullptr);
  if (err) return false;
  if (embolden && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Embolden(face->glyph);
  return true;
}

std::unique_ptr<GlyphImage> Render(const FontFaces::Source& src, FT_UInt index, int ppem, int escapement) {
  FT_Face face = src.face;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)) != 0) return nullptr;
  const FT_Fixed shear = src.oblique ? kObliqueShear : 0;
  const FT_Matrix upright{0x10000, shear, 0, 0x10000};
  if (!LoadGlyph(face, index, upright, src.embolden)) return nullptr;
  auto g = std::make_unique<GlyphImage>();
  g->advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  if (escapement != 0) {
    // Rotated counter-clockwise about the pen; the advance stays the upright one so that
    // rotated text has the extent it has upright.
    const double a = escapement / 10.0 * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a), sh = shear / 65536.0;
    const auto fx = [](double v) { return static_cast<FT_Fixed>(std::lround(v * 65536.0)); };
    const FT_Matrix rotated{fx(c), fx(c * sh - s), fx(s), fx(s * sh + c)};
    if (!LoadGlyph(face, index, rotated, src.embolden)) return nullptr;
  }
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return nullptr;
  const FT_Bitmap& bm = slot->bitmap;
  g->width = static_cast<int>(bm.width);
  g->rows = static_cast<int>(bm.rows);
  g->pitch = (g->width + 7) / 8;
  g->left = slot->bitmap_left;
  g->top = slot->bitmap_top;
  g->bits.assign(static_cast<std::size_t>(g->pitch) * g->rows, 0);
  for (int y = 0; y < g->rows; ++y) {
    const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
    std::uint8_t* out = g->bits.data() + static_cast<std::size_t>(y) * g->pitch;
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
      std::memcpy(out, row, static_cast<std::size_t>(g->pitch));
    } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      for (int x = 0; x < g->width; ++x)
        if (row[x] >= 128) out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
  }
  g->FindRuns();
  return g;
}

}  // namespace

int HeightFromPoints(int points, int dpi) {
  const long long v = static_cast<long long>(std::abs(points)) * dpi;
  return -static_cast<int>((v + 36) / 72);
}

FontRequest DefaultGuiFontRequest(int dpi) {
  FontRequest request;
  request.face = "宋体";
  request.height = HeightFromPoints(9, dpi);
  return request;
}

std::shared_ptr<const Font> Font::Create(const FontRequest& request) {
  // Fonts in use are shared, with their rendered glyphs, by everyone asking for the same
  // description: a panel makes its font anew on every property write.
  static std::map<std::string, std::weak_ptr<const Font>> live;
  std::string key = request.face;
  for (int v : {request.height, int(request.bold), int(request.italic), int(request.underline), int(request.strikeOut),
                request.escapement})
    key += '\0' + std::to_string(v);
  if (auto existing = live[key].lock()) return existing;
  std::shared_ptr<const Font> font(new Font(request));
  live[key] = font;
  return font;
}

Font::Font(const FontRequest& request) : request_(request), faces_(std::make_unique<FontFaces>()) {
  request_.escapement %= 3600;
  if (request_.escapement < 0) request_.escapement += 3600;
  faces_->primary = Open(MatchFace(request_.face, request_.bold, request_.italic), request_);
  faces_->fallback = Open(MatchCjkFace(request_.bold, request_.italic), request_);
  if (faces_->fallback.face == faces_->primary.face) faces_->fallback = {};
  if (!faces_->primary.face) std::swap(faces_->primary, faces_->fallback);

  FT_Face face = faces_->primary.face;
  pixelSize_ = request_.height < 0 ? static_cast<int>(std::min(-static_cast<long long>(request_.height), 1LL << 30))
                                : kDefaultPixelSize;
  if (!face) {
    if (request_.height > 0) pixelSize_ = request_.height;
    pixelSize_ = std::clamp(pixelSize_, 1, kMaxPixelSize);
    return;
  }
  long asc = 0, desc = 0;
  CellMetrics(face, &asc, &desc);
  const int upem = face->units_per_EM > 0 ? face->units_per_EM : 1000;
  if (request_.height > 0 && asc + desc > 0) {
    pixelSize_ = static_cast<int>(std::lround(static_cast<double>(request_.height) * upem / (asc + desc)));
  }
  // A size from a program's font record can be absurd; a glyph image of this size is
  // already megabytes, and no panel is that tall.
  pixelSize_ = std::clamp(pixelSize_, 1, kMaxPixelSize);
  // The cell is the whole scaled extent rounded once (a Song face's 1.047 em at 35 pixels
  // is 37, not 32 + 6); the ascent is rounded up so that tall glyphs stay inside it.
  ascent_ = Scale(asc, pixelSize_, upem, true);
  descent_ = std::max(0, Scale(asc + desc, pixelSize_, upem, false) - ascent_);
  lineThickness_ = std::max(1, Scale(face->underline_thickness, pixelSize_, upem, false));
  underlinePos_ = std::max(1, Scale(-face->underline_position, pixelSize_, upem, false));
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  strikeOutPos_ = (os2 && os2->yStrikeoutPosition > 0) ? Scale(os2->yStrikeoutPosition, pixelSize_, upem, false)
                                                       : ascent_ * 3 / 10;
}

Font::~Font() = default;

bool Font::HasFace() const { return faces_->primary.face != nullptr; }

std::string Font::FamilyName() const {
  FT_Face f = faces_->primary.face;
  return f && f->family_name ? f->family_name : "";
}

const GlyphImage* Font::Glyph(char32_t c) const {
  if (c < faces_->ascii.size() && faces_->asciiKnown[c]) return faces_->ascii[c];
  auto& cache = faces_->glyphs;
  auto it = cache.find(c);
  if (it == cache.end()) it = cache.emplace(c, RenderGlyph(c)).first;
  if (c < faces_->ascii.size()) {
    faces_->ascii[c] = it->second.get();
    faces_->asciiKnown[c] = true;
  }
  return it->second.get();
}

std::unique_ptr<GlyphImage> Font::RenderGlyph(char32_t c) const {
  std::unique_ptr<GlyphImage> g;
  const FontFaces::Source* src = &faces_->primary;
  FT_UInt index = src->face ? FT_Get_Char_Index(src->face, c) : 0;
  if (index == 0 && faces_->fallback.face) {
    if (const FT_UInt alt = FT_Get_Char_Index(faces_->fallback.face, c)) {
      src = &faces_->fallback;
      index = alt;
    }
  }
  // A character no face has draws the primary face's missing-glyph box.
  if (src->face) g = Render(*src, index, pixelSize_, request_.escapement);
  return g;
}

}  // namespace barvell::gfx
