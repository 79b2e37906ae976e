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
  std::shared_ptr<const gfx::Bitmap> picture;
};
std::optional<Memo> g_memo;

void Remember(const platform::FileStamp& stamp, std::span<const std::span<const uint8_t>> pieces) {
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
  std::optional<gfx::Bitmap> picture = DecodePicture(bytes);
  if (!picture) return;
  g_memo = Memo{stamp, std::make_shared<const gfx::Bitmap>(std::move(*picture))};
}

}  // namespace

void RememberWrittenPictures() { platform::SetOverwriteObserver(&Remember); }

std::shared_ptr<const gfx::Bitmap> RecallWrittenPicture(std::string_view utf8_path) {
  if (!g_memo) return nullptr;
  std::optional<platform::FileStamp> now = platform::StampOf(utf8_path);
  if (!now || !(*now == g_memo->stamp)) return nullptr;
  return g_memo->picture;
}

}  // namespace barvell::imaging
