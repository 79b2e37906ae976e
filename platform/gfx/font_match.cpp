#include "platform/gfx/font_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

namespace barvell::gfx {
namespace {

// The Song faces of the program's home platform (the default GUI font among them): their
// stand-in is a Song face with the same metrics.
constexpr const char* kSongAliases[] = {"宋体", "新宋体", "SimSun", "NSimSun"};

// Other face names of the home platform that name Chinese or system UI faces.
constexpr const char* kCjkAliases[] = {
    "黑体", "楷体", "仿宋", "微软雅黑", "SimHei", "KaiTi", "FangSong", "Microsoft YaHei",
    "MS Shell Dlg", "MS Shell Dlg 2", "System",
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool IsAscii(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

template <std::size_t N>
bool IsOneOf(const std::string& face, const char* const (&names)[N]) {
  const std::string f = Lower(face);
  return std::any_of(std::begin(names), std::end(names), [&](const char* a) { return Lower(a) == f; });
}

FcConfig* Config() {
  // Loaded once for the process, like the platform's font table.
  static FcConfig* config = FcInitLoadConfigAndFonts();
  return config;
}

bool HasFamily(FcPattern* font, const std::string& family) {
  const std::string want = Lower(family);
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (Lower(reinterpret_cast<const char*>(name)) == want) return true;
  }
  return false;
}

// fontconfig's best font for the pattern; `exact` demands that the family matches.
std::optional<FaceLocation> Query(const std::string& family, const char* lang, bool bold, bool italic,
                                  bool exact) {
  FcConfig* config = Config();
  if (!config) return std::nullopt;
  FcPattern* pattern = FcPatternCreate();
  if (!family.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  if (lang) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!font) return std::nullopt;

  std::optional<FaceLocation> found;
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch && (!exact || HasFamily(font, family))) {
    FaceLocation loc;
    loc.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(font, FC_INDEX, 0, &loc.index);
    FcChar8* name = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &name) == FcResultMatch) loc.family = reinterpret_cast<const char*>(name);
    found = loc;
  }
  FcPatternDestroy(font);
  return found;
}

std::optional<FaceLocation> Resolve(const std::string& face, bool bold, bool italic) {
  // The empty name is the default face, which is the default GUI font's.
  if (face.empty() || IsOneOf(face, kSongAliases)) {
    if (auto song = Query(kSongFace, nullptr, bold, italic, true)) return song;
  }
  const bool cjkName = face.empty() || IsOneOf(face, kSongAliases) || IsOneOf(face, kCjkAliases);
  if (!cjkName) {
    if (auto exact = Query(face, nullptr, bold, italic, true)) return exact;
    // fontconfig knows metric-compatible stand-ins for common Latin names.
    if (IsAscii(face)) {
      if (auto near = Query(face, nullptr, bold, italic, false)) return near;
    }
  }
  if (auto cjk = MatchCjkFace(bold, italic)) return cjk;
  return Query("", nullptr, bold, italic, false);
}

}  // namespace

std::optional<FaceLocation> MatchCjkFace(bool bold, bool italic) {
  if (auto preferred = Query(kCjkFace, nullptr, bold, italic, true)) return preferred;
  return Query("", "zh-cn", bold, italic, false);
}

std::optional<FaceLocation> MatchFace(const std::string& face, bool bold, bool italic) {
  static std::map<std::tuple<std::string, bool, bool>, std::optional<FaceLocation>> cache;
  const auto key = std::make_tuple(face, bold, italic);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, Resolve(face, bold, italic)).first;
  return it->second;
}

}  // namespace barvell::gfx
