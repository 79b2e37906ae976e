// The runtime's configuration, file and dialog commands as the program calls them.
#pragma once

#include <cstdint>
#include <string>

#include "barvell/call_interface.h"

namespace barvell::app {

// Message box icons of the program's messages.
constexpr int32_t kErrorIcon = 16;
constexpr int32_t kInformationIcon = 64;

// The program's directory, without a trailing separator.
std::string GetRunDirectory();
std::string ReadConfigItem(const std::string& file, const std::string& section,
                           const std::string& key);
bool WriteConfigItem(const std::string& file, const std::string& section,
                     const std::string& key, const std::string& value);
bool FileExists(const std::string& path);
// Writes one byte array (a runtime block; null writes nothing) as the whole file.
bool WriteToFile(const std::string& file, const void* byte_array);
// Special folder code 11: the temporary directory, ending in its separator.
std::string TemporaryDirectory();

// Default caption, no owner.
int32_t ShowMessageBox(const std::string& text, int32_t flags);
// The common-dialog control's dialog; true when the user confirmed.
bool OpenDialog(WindowId window, ComponentId dialog);
// Loads a program window modally, with no parent; returns once it is closed.
bool LoadModalWindow(WindowId window);
void DoEvents();
// The folder chooser (folders only); the chosen path, or "" when cancelled.
std::string BrowseForFolder(const std::string& title);
// The shell's "open" verb on a web page or a local file; false when nothing opened it.
bool OpenWithShell(const std::string& target);

}  // namespace barvell::app
