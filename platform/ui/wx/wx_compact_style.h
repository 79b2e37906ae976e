#pragma once

namespace barvell::ui {

// Makes the toolkit's native controls as compact as the program's window templates
// expect (20-pixel edit boxes and lists, 20-pixel buttons). Call once after start-up.
void InstallCompactStyle();

}  // namespace barvell::ui
