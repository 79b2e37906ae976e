// The BMP file this process overwrote last, kept decoded, so that loading it straight back
// (the export's temporary picture, once per code in a batch) needs neither reading nor
// decoding. It is handed out only while the file's stamp is still the one taken right
// after our own write; a file changed, replaced or removed since is read from scratch.
#pragma once

#include <memory>
#include <string_view>

#include "platform/imaging/decoded_picture.h"

namespace barvell::imaging {

// Starts remembering what platform::OverwriteFile writes (BMP files only).
void RememberWrittenPictures();

// The decoded picture of the file at `utf8_path`, as its distinct rows, when it is
// provably the one we wrote last; null otherwise.
std::shared_ptr<const DecodedPicture> RecallWrittenPicture(std::string_view utf8_path);

}  // namespace barvell::imaging
