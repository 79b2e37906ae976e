// The program's DLL commands by number: the positions of kDllExports in program.cpp.
#pragma once

#include <cstdint>

namespace barvell::app::dll {

constexpr int32_t kClsidFromString = 0;
constexpr int32_t kGdipLoadImageFromFile = 1;
constexpr int32_t kGdipSaveImageToFile = 2;
constexpr int32_t kGdipDisposeImage = 3;
constexpr int32_t kMultiByteToWideChar = 4;
constexpr int32_t kGdiplusShutdown = 5;
constexpr int32_t kGdiplusStartup = 6;

}  // namespace barvell::app::dll
