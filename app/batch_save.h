// The lower half shared by both batch windows: the storage directory chooser and the run
// that draws every code of the list on the main panel and saves it, named after the code.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "barvell/call_interface.h"

namespace barvell::app {

struct BatchWindowControls {
  WindowId window;
  ComponentId code_list;
  ComponentId directory;
  std::vector<ComponentId> buttons;  // disabled while a run lasts
};

struct BatchSymbology {
  bool (*takes_line)(const std::string& line);  // others are skipped without a message
  void (*render)(const std::string& line);      // clears, pumps messages once, draws
};

// The folder chooser with the given title; a chosen folder goes into the directory box.
void ChooseStorageDirectory(const BatchWindowControls& w, const char* title);
// Every line of the list that the symbology takes, drawn and saved as
// directory\line.format; a code that cannot be saved shows "文件保存失败" and the run goes
// on. Closing the window stops the run after the current code.
void BatchSave(const BatchWindowControls& w, const BatchSymbology& symbology);
// The window's destroying event: a run in it stops.
void BatchWindowDestroyed(WindowId window);

}  // namespace barvell::app
