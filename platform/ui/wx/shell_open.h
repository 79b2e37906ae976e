#pragma once
// The shell's "open" on the desktop: the default handler of a document or address.

#include <string>

namespace barvell::ui {

// Starts the desktop's default handler (xdg-open) for `target` (UTF-8) without waiting
// for it and without a shell in between; its output goes nowhere. False when it cannot
// be started. `opener` names the handler program (looked up in PATH).
bool OpenWithDefaultHandler(const std::string& target, const char* opener = "xdg-open");

}  // namespace barvell::ui
