// The GDI+ flat-API calls that turn a BMP file into a PNG, JPEG, BMP, GIF or TIFF file, and
// ole32's CLSIDFromString, over the imaging layer's own codecs.
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/gfx/bitmap.h"
#include "platform/imaging/decoded_picture.h"
#include "platform/imaging/decode.h"
#include "platform/imaging/encode.h"
#include "platform/imaging/imaging_modules.h"
#include "platform/imaging/picture_file.h"
#include "platform/imaging/written_picture_memo.h"
#include "platform/kernel/dynamic_library.h"

namespace barvell::platform {

namespace {

using imaging::PictureFormat;

// GDI+ Status numbers.
namespace status {
constexpr int32_t kOk = 0;
constexpr int32_t kGenericError = 1;
constexpr int32_t kInvalidParameter = 2;
constexpr int32_t kWin32Error = 7;
constexpr int32_t kFileNotFound = 10;
constexpr int32_t kUnknownImageFormat = 13;
constexpr int32_t kUnsupportedGdiplusVersion = 17;
}  // namespace status

constexpr int32_t kClassStringError = int32_t(0x800401F3);  // CO_E_CLASSSTRING

// A class identifier as it lies in memory: 32-bit, two 16-bit fields, eight bytes.
struct Guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
static_assert(sizeof(Guid) == 16);

struct EncoderEntry {
  Guid clsid;
  PictureFormat format;
};

// The image encoders: {557CF40x-1A04-11D3-9A73-0000F81EF32E}.
constexpr Guid EncoderClsid(uint32_t data1) {
  return {data1, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
constexpr EncoderEntry kEncoders[] = {
    {EncoderClsid(0x557CF400), PictureFormat::kBmp},  {EncoderClsid(0x557CF401), PictureFormat::kJpeg},
    {EncoderClsid(0x557CF402), PictureFormat::kGif},  {EncoderClsid(0x557CF405), PictureFormat::kTiff},
    {EncoderClsid(0x557CF406), PictureFormat::kPng},
};

bool SameGuid(const Guid& a, const Guid& b) {
  return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
         std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

// A loaded image: the handle the program holds is the address of one of these. Only
// addresses in the live set are used, so a stale or made-up handle is refused, not followed.
struct Image {
  // Shared with the memo of written pictures (held as their distinct rows); a picture
  // read from a file is held whole.
  std::shared_ptr<const imaging::DecodedPicture> picture;
};
std::set<const Image*>& LiveImages() {
  static std::set<const Image*> live;
  return live;
}
bool IsLive(const Image* image) { return image != nullptr && LiveImages().count(image) != 0; }

uint32_t g_next_token = 1;

// The largest encoded picture whose buffer is kept for the next save (a 600 dpi barcode's
// BMP is about 1.2 MB).
constexpr size_t kMaxKeptEncodedBytes = size_t{16} << 20;

// Longest file name or class text read; a text without its NUL stops here.
constexpr size_t kMaxTextUnits = 32767;

// A NUL-terminated UTF-16 file name in the file system's form: UTF-8, with "\" made "/"
// as everywhere in the kernel; empty on an unpaired surrogate or a missing NUL.
std::optional<std::string> PathOf(const char16_t* text) {
  if (text == nullptr) return std::nullopt;
  std::string out;
  out.reserve(64);  // room for a usual name without growing
  for (size_t i = 0;; ++i) {
    if (i == kMaxTextUnits) return std::nullopt;
    char32_t c = text[i];
    if (c == 0) break;
    if (c == u'\\') c = u'/';
    if (c >= 0xD800 && c <= 0xDBFF) {
      char32_t low = text[i + 1];
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return std::nullopt;
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | c >> 6);
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | c >> 12);
      out += char(0x80 | (c >> 6 & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | c >> 18);
      out += char(0x80 | (c >> 12 & 0x3F));
      out += char(0x80 | (c >> 6 & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" into its sixteen bytes.
std::optional<Guid> ParseGuid(const char16_t* text) {
  constexpr std::array<int, 5> kGroupDigits = {8, 4, 4, 4, 12};
  if (text[0] != u'{') return std::nullopt;
  std::array<uint64_t, 5> groups{};
  size_t at = 1;
  for (size_t g = 0; g < kGroupDigits.size(); ++g) {
    for (int d = 0; d < kGroupDigits[g]; ++d, ++at) {
      int v = HexValue(text[at]);
      if (v < 0) return std::nullopt;
      groups[g] = groups[g] << 4 | uint64_t(v);
    }
    char16_t separator = g + 1 < kGroupDigits.size() ? u'-' : u'}';
    if (text[at++] != separator) return std::nullopt;
  }
  if (text[at] != 0) return std::nullopt;
  Guid guid{uint32_t(groups[0]), uint16_t(groups[1]), uint16_t(groups[2]), {}};
  guid.data4[0] = uint8_t(groups[3] >> 8);
  guid.data4[1] = uint8_t(groups[3]);
  for (int i = 0; i < 6; ++i) guid.data4[2 + i] = uint8_t(groups[4] >> (8 * (5 - i)));
  return guid;
}

int32_t GdiplusStartup(void* token, const void* input, void* /*output*/) {
  if (token == nullptr || input == nullptr) return status::kInvalidParameter;
  uint32_t version = 0;
  std::memcpy(&version, input, sizeof version);
  if (version != 1) return status::kUnsupportedGdiplusVersion;
  // Four bytes only: the caller's token may be a 32-bit word.
  uint32_t value = g_next_token++;
  std::memcpy(token, &value, sizeof value);
  return status::kOk;
}

void GdiplusShutdown(uintptr_t /*token*/) {}

int32_t CLSIDFromString(const char16_t* text, Guid* clsid) {
  if (clsid == nullptr) return status::kInvalidParameter;
  *clsid = Guid{};
  // No text or the empty text stand for the null identifier.
  if (text == nullptr || text[0] == 0) return 0;
  std::optional<Guid> parsed = ParseGuid(text);
  if (!parsed) return kClassStringError;
  *clsid = *parsed;
  return 0;
}

int32_t Loaded(Image loaded, Image** handle) {
  auto live = std::make_unique<Image>(std::move(loaded));
  LiveImages().insert(live.get());
  *handle = live.release();
  return status::kOk;
}

int32_t GdipLoadImageFromFile(const char16_t* file, Image** image) {
  if (image == nullptr) return status::kInvalidParameter;
  *image = nullptr;
  std::optional<std::string> path = PathOf(file);
  if (!path) return status::kInvalidParameter;
  if (std::shared_ptr<const imaging::DecodedPicture> written = imaging::RecallWrittenPicture(*path)) {
    return Loaded(Image{std::move(written)}, image);
  }
  std::vector<uint8_t> bytes;
  switch (imaging::ReadPictureFile(*path, bytes)) {
    case imaging::ReadStatus::kOk: break;
    case imaging::ReadStatus::kNotFound: return status::kFileNotFound;
    case imaging::ReadStatus::kUnreadable: return status::kWin32Error;
  }
  std::optional<gfx::Bitmap> bitmap = imaging::DecodePicture(bytes);
  if (!bitmap) return status::kUnknownImageFormat;
  auto picture = std::make_shared<imaging::DecodedPicture>();
  picture->AssignWhole(std::move(*bitmap));
  return Loaded(Image{std::move(picture)}, image);
}

int32_t GdipSaveImageToFile(Image* image, const char16_t* file, const Guid* encoder,
                            const void* /*encoder_parameters*/) {
  if (!IsLive(image) || encoder == nullptr) return status::kInvalidParameter;
  std::optional<std::string> path = PathOf(file);
  if (!path || path->empty()) return status::kInvalidParameter;
  PictureFormat format = PictureFormat::kUnknown;
  for (const EncoderEntry& e : kEncoders) {
    if (SameGuid(e.clsid, *encoder)) format = e.format;
  }
  if (format == PictureFormat::kUnknown) return status::kFileNotFound;  // no such encoder
  // One buffer for the run: a batch saves one size of picture once per code.
  static std::vector<uint8_t> encoded;
  if (!imaging::EncodePictureInto(*image->picture, format, encoded)) {
    return status::kGenericError;
  }
  const bool written = imaging::WriteFileReplacing(*path, encoded);
  // A one-off huge picture's bytes are not kept for the rest of the run.
  if (encoded.capacity() > kMaxKeptEncodedBytes) std::vector<uint8_t>().swap(encoded);
  return written ? status::kOk : status::kWin32Error;
}

int32_t GdipDisposeImage(Image* image) {
  if (!IsLive(image)) return status::kInvalidParameter;
  LiveImages().erase(image);
  delete image;
  return status::kOk;
}

template <typename F>
void* Address(F* f) {
  return reinterpret_cast<void*>(f);
}

}  // namespace

void RegisterImagingModules() {
  imaging::RememberWrittenPictures();
  RegisterBuiltInExport("gdiplus.dll", "GdiplusStartup", Address(&GdiplusStartup));
  RegisterBuiltInExport("gdiplus.dll", "GdiplusShutdown", Address(&GdiplusShutdown));
  RegisterBuiltInExport("gdiplus.dll", "GdipLoadImageFromFile", Address(&GdipLoadImageFromFile));
  RegisterBuiltInExport("gdiplus.dll", "GdipSaveImageToFile", Address(&GdipSaveImageToFile));
  RegisterBuiltInExport("gdiplus.dll", "GdipDisposeImage", Address(&GdipDisposeImage));
  RegisterBuiltInExport("ole32.dll", "CLSIDFromString", Address(&CLSIDFromString));
}

}  // namespace barvell::platform
