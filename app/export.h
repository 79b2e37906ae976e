// The panel's picture saved as a PNG, JPEG or BMP file: its BMP bytes go to a temporary
// file, which the image library loads and saves again with the chosen encoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace barvell::app {

// Save-format numbers, carried by the format combo box as item data.
namespace encoder_number {
constexpr int32_t kBmp = 1;
constexpr int32_t kJpeg = 2;
constexpr int32_t kGif = 3;
constexpr int32_t kTiff = 4;
constexpr int32_t kPng = 5;
}  // namespace encoder_number

// The image library's lifetime: started when the main window is created, shut down when it
// is destroyed.
void StartImaging();
void StopImaging();

// The main window's 保存图片: asks for the name, writes the picture, reports the outcome.
void SavePicture();
// The temporary directory + "EN13tem.bmp".
std::string TemporaryPictureName();
// The main panel's picture written to the temporary file of that name; false when it could
// not be.
bool WriteTemporaryPicture(const std::string& temporary_name);
// A BMP file re-encoded under target in the given format: 1 when written, else 0.
int32_t ConvertBmpFile(const std::string& source, const std::string& target, int32_t format);
// The save format chosen in the main window's combo box (-1 when none is selected).
int32_t ChosenEncoderNumber();

// A GBK text as NUL-terminated UTF-16 units, through the system's code-page conversion.
std::vector<char16_t> ToUtf16(const std::string& text);

}  // namespace barvell::app
