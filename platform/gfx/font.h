#pragma once
// Fonts for text output and measurement, described as the platform's font descriptions
// describe them and resolved through fontconfig to FreeType faces.
//
// The Song faces of the platform the program was made for ("宋体", "新宋体", SimSun,
// NSimSun), the default GUI font's among them, map to "AR PL UMing CN", a Song face with
// the same metrics: every Latin character half an em wide, in a cell about one em high,
// as the program's layouts assume. Its other Chinese face names (黑体, 微软雅黑, ...)
// have no counterpart here; they map to "WenQuanYi Micro Hei Mono", whose Latin glyphs all
// have one width (0.6 em). Without the Song face, its names take that face too. An
// unknown face falls back to fontconfig's nearest face for Latin names, to a Chinese face
// for other names, and then to any face at all; characters the face lacks are taken from
// the Chinese face. A machine without any font gives a font that draws nothing and
// measures zero width.

#include <memory>
#include <string>

namespace barvell::gfx {

struct FontRequest {
  std::string face;  // UTF-8; empty means the default face
  // As in the platform's font description: negative is the character (em) height in
  // pixels, positive the cell height (ascent + descent), 0 the default size (12 pixels,
  // 9 points at 96 dpi).
  int height = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int escapement = 0;  // tenths of a degree, counter-clockwise; brought into 0..3599

  friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

// minus abs(points) × dpi / 72, rounded to nearest as the platform's MulDiv rounds.
int HeightFromPoints(int points, int dpi);

// The default GUI font: "宋体" at 9 points.
FontRequest DefaultGuiFontRequest(int dpi = 96);

struct GlyphImage;
class FontFaces;

class Font {
 public:
  // Never null, whatever face it names.
  static std::shared_ptr<const Font> Create(const FontRequest& request);
  static std::shared_ptr<const Font> DefaultGui(int dpi = 96) { return Create(DefaultGuiFontRequest(dpi)); }

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const FontRequest& Request() const { return request_; }
  bool HasFace() const;
  std::string FamilyName() const;  // the family actually used; empty without a face
  int PixelSize() const { return pixelSize_; }  // em height in pixels, 1 to 4096
  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  int Height() const { return ascent_ + descent_; }
  int UnderlinePosition() const { return underlinePos_; }    // pixels below the baseline
  int StrikeOutPosition() const { return strikeOutPos_; }    // pixels above the baseline
  int LineThickness() const { return lineThickness_; }

  // The rendered glyph of a character (cached); null when no face can draw it.
  const GlyphImage* Glyph(char32_t c) const;

 private:
  explicit Font(const FontRequest& request);
  std::unique_ptr<GlyphImage> RenderGlyph(char32_t c) const;

  FontRequest request_;
  std::unique_ptr<FontFaces> faces_;
  int pixelSize_ = 0;
  int ascent_ = 0;
  int descent_ = 0;
  int underlinePos_ = 1;
  int strikeOutPos_ = 0;
  int lineThickness_ = 1;
};

}  // namespace barvell::gfx
