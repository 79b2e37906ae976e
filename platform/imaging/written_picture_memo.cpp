#include "platform/imaging/written_picture_memo.h"

#include <optional>
#include <vector>

#include "platform/imaging/decode.h"
#include "platform/imaging/picture_format.h"
#include "platform/kernel/file_writes.h"

namespace barvell::imaging {

namespace {

struct Memo {
  platform::FileStamp stamp;
  // Handed out read-only: its rows change only in Remember, and only while no loaded
  // image holds them.
  std::shared_ptr<DecodedPicture> picture;
};
std::optional<Memo> g_memo;

void Remember(const platform::FileStamp& stamp, std::span<const std::span<const uint8_t>> pieces) {
  // The last picture's storage is read over when no loaded image holds it any more (a
  // batch disposes each code's before writing the next): one set of rows for the run.
  std::shared_ptr<DecodedPicture> reusable;
  if (g_memo && g_memo->picture.use_count() == 1) reusable = std::move(g_memo->picture);
  g_memo.reset();
  std::vector<uint8_t> joined;
  std::span<const uint8_t> bytes;
  if (pieces.size() == 1) {
    bytes = pieces[0];
  } else {
    for (std::span<const uint8_t> piece : pieces) joined.insert(joined.end(), piece.begin(), piece.end());
    bytes = joined;
  }
  // Other files are no picture we load back; decoding them would only cost.
  if (SniffFormat(bytes) != PictureFormat::kBmp) return;
  if (!reusable) reusable = std::make_shared<DecodedPicture>();
  if (!reusable->AssignBmp24(bytes)) {
    // Depths the row reader does not take (32 bits, palettes): decoded whole.
    std::optional<gfx::Bitmap> picture = DecodePicture(bytes);
    if (!picture) return;
    reusable->AssignWhole(std::move(*picture));
  }
  g_memo = Memo{stamp, std::move(reusable)};
}

}  // namespace

void RememberWrittenPictures() { platform::SetOverwriteObserver(&Remember); }

std::shared_ptr<const DecodedPicture> RecallWrittenPicture(std::string_view utf8_path) {
  if (!g_memo) return nullptr;
  std::optional<platform::FileStamp> now = platform::StampOf(utf8_path);
  if (!now || !(*now == g_memo->stamp)) return nullptr;
  return g_memo->picture;
}

}  // namespace barvell::imaging
