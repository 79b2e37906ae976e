// The GDI+ flat API and CLSIDFromString as built-in exports of "gdiplus.dll" and
// "ole32.dll", so that the program's DLL commands bind them by name.
//
// Signatures (all plain C calls; statuses are the GDI+ Status numbers, 0 = Ok):
//   int32_t GdiplusStartup(void* token, const void* input, void* output)
//       token: a 32-bit word that receives a non-zero token (only 4 bytes are written);
//       input: the startup record, whose first 32-bit word is the version (must be 1).
//   void    GdiplusShutdown(uintptr_t token)
//   int32_t CLSIDFromString(const char16_t* text, Guid* clsid)     HRESULT: 0 or CO_E_CLASSSTRING
//   int32_t GdipLoadImageFromFile(const char16_t* file, Image** image)
//   int32_t GdipSaveImageToFile(Image* image, const char16_t* file, const Guid* encoder,
//                               const void* encoder_parameters)  parameters are ignored
//   int32_t GdipDisposeImage(Image* image)
// Texts are NUL-terminated UTF-16.
#pragma once

namespace barvell::platform {

// Registers the exports; calling it again changes nothing.
void RegisterImagingModules();

}  // namespace barvell::platform
