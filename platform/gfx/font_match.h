#pragma once
// Finding a font file for a face name through fontconfig.

#include <optional>
#include <string>

namespace barvell::gfx {

struct FaceLocation {
  std::string file;
  int index = 0;
  std::string family;

  friend bool operator==(const FaceLocation&, const FaceLocation&) = default;
};

// The Chinese face used for the platform's Chinese face names and for missing glyphs.
inline constexpr const char* kCjkFace = "WenQuanYi Micro Hei Mono";
// The Song face standing in for "宋体" and its kin: Latin letters half an em wide in a
// cell about one em high, as the program's layouts expect of its default font.
inline constexpr const char* kSongFace = "AR PL UMing CN";

// The face for a requested name, by the fallback order described in font.h; nothing
// only when the machine has no font. Results are cached.
std::optional<FaceLocation> MatchFace(const std::string& face, bool bold, bool italic);

// The Chinese face used for glyphs the requested face lacks.
std::optional<FaceLocation> MatchCjkFace(bool bold, bool italic);

}  // namespace barvell::gfx
