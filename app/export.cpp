#include "export.h"

#include <cstring>

#include "control_calls.h"
#include "dll_commands.h"
#include "kernel.h"
#include "main_window_controls.h"
#include "panel_calls.h"
#include "program_globals.h"
#include "service_calls.h"

namespace barvell::app {

namespace {

using namespace main_window;

// The exported functions as they are called; bound by name on first use, each call goes
// through the address the runtime hands back.
using StartupFn = int32_t (*)(uintptr_t* token, const void* input, void* output);
using ShutdownFn = void (*)(uintptr_t token);
using ClsidFromStringFn = int32_t (*)(const char16_t* text, void* clsid);
using LoadImageFn = int32_t (*)(const char16_t* file, void** image);
using SaveImageFn = int32_t (*)(void* image, const char16_t* file, const void* clsid,
                                const void* parameters);
using DisposeImageFn = int32_t (*)(void* image);
using MultiByteToWideCharFn = int32_t (*)(uint32_t code_page, uint32_t flags, const char* mb,
                                          int32_t mb_length, char16_t* wide,
                                          int32_t wide_capacity);

template <typename F>
F Bound(int32_t number) {
  return reinterpret_cast<F>(Kernel().CallDllCommand(number));
}

constexpr char kTemporaryFile[] = "EN13tem.bmp";
constexpr uint32_t kAnsiCodePage = 0;
constexpr uint32_t kStartupVersion = 1;
constexpr int32_t kClsidBytes = 16;
constexpr int32_t kStatusOk = 0;

struct EncoderClass {
  int32_t number;
  const char* clsid;
};
constexpr EncoderClass kEncoderClasses[] = {
    {encoder_number::kBmp, "{557CF400-1A04-11D3-9A73-0000F81EF32E}"},
    {encoder_number::kJpeg, "{557CF401-1A04-11D3-9A73-0000F81EF32E}"},
    {encoder_number::kGif, "{557CF402-1A04-11D3-9A73-0000F81EF32E}"},
    {encoder_number::kTiff, "{557CF405-1A04-11D3-9A73-0000F81EF32E}"},
    {encoder_number::kPng, "{557CF406-1A04-11D3-9A73-0000F81EF32E}"},
};

// Another number has no class: the all-zero identifier, which names no encoder.
const char* EncoderClassText(int32_t number) {
  for (const EncoderClass& e : kEncoderClasses) {
    if (e.number == number) return e.clsid;
  }
  return "";
}

uintptr_t g_token = 0;

}  // namespace

std::vector<char16_t> ToUtf16(const std::string& text) {
  auto convert = Bound<MultiByteToWideCharFn>(dll::kMultiByteToWideChar);
  int32_t units = convert(kAnsiCodePage, 0, text.c_str(), -1, nullptr, 0);
  // Never less than the terminating NUL, so the result is always a text.
  std::vector<char16_t> wide(size_t(units > 0 ? units : 1), u'\0');
  if (units > 0) convert(kAnsiCodePage, 0, text.c_str(), -1, wide.data(), units);
  wide.back() = u'\0';
  return wide;
}

void StartImaging() {
  void* input = Globals().gdiplus_startup_input;
  std::memcpy(input, &kStartupVersion, sizeof kStartupVersion);
  Bound<StartupFn>(dll::kGdiplusStartup)(&g_token, input, nullptr);
}

void StopImaging() { Bound<ShutdownFn>(dll::kGdiplusShutdown)(g_token); }

int32_t ConvertBmpFile(const std::string& source, const std::string& target, int32_t format) {
  unsigned char clsid[kClsidBytes] = {};
  Bound<ClsidFromStringFn>(dll::kClsidFromString)(ToUtf16(EncoderClassText(format)).data(),
                                                   clsid);
  void* image = nullptr;
  Bound<LoadImageFn>(dll::kGdipLoadImageFromFile)(ToUtf16(source).data(), &image);
  int32_t status =
      Bound<SaveImageFn>(dll::kGdipSaveImageToFile)(image, ToUtf16(target).data(), clsid, nullptr);
  Bound<DisposeImageFn>(dll::kGdipDisposeImage)(image);
  return status == kStatusOk ? 1 : 0;
}

std::string TemporaryPictureName() { return TemporaryDirectory() + kTemporaryFile; }

bool WriteTemporaryPicture(const std::string& temporary_name) {
  ByteArray picture = GetPicture({kWindow, kPanel});
  return WriteToFile(temporary_name, picture.Block());
}

int32_t ChosenEncoderNumber() {
  return ComboItemData(kWindow, kSaveFormat,
                       ReadInt(kWindow, kSaveFormat, property::kCurrentSelection));
}

void SavePicture() {
  if (!OpenDialog(kWindow, kSaveDialog)) return;
  // A temporary file that could not be written holds an older picture, or none: converting
  // it would save something other than what the panel shows.
  const std::string temporary_name = TemporaryPictureName();
  bool ok = WriteTemporaryPicture(temporary_name);
  if (ok) {
    // The format is the list's, whatever the name or the filter chosen in the dialog.
    int32_t format = ChosenEncoderNumber();
    std::string target = ReadText(kWindow, kSaveDialog, property::kFileName);
    ok = ConvertBmpFile(temporary_name, target, format) == 1;
  }
  if (ok) {
    ShowMessageBox("文件保存成功", kInformationIcon);
  } else {
    ShowMessageBox("文件保存失败", kErrorIcon);
  }
}

}  // namespace barvell::app
