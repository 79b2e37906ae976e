// The command line runs the program on a private copy of its settings file, so that a
// script's settings do not change the desktop's for the next person; --save-settings
// puts the copy back in place of the real file when the run is over.
#pragma once

#include <optional>
#include <string>

namespace barvell::entry {

class PrivateSettings {
 public:
  // Makes a private run directory holding a copy of `program_directory`'s boot.ini (when
  // there is one). False when no private directory can be made.
  bool Prepare(const std::string& program_directory);
  // The program file name the runtime is to see for this run.
  std::string ProgramFile() const { return private_directory_ + "/barvell"; }
  // Replaces the real boot.ini with the copy, atomically. Empty when done (or nothing to
  // do), else why not: the real file could not be copied at the start (no regular file,
  // too large, unreadable), it changed while the program ran, or it may not be replaced
  // (read-only file or directory, a full disk).
  std::string SaveBack() const;
  // Removes the private directory and what is in it.
  void Discard();
  ~PrivateSettings() { Discard(); }

 private:
  std::string program_directory_;
  std::string private_directory_;
  // The real file as it was copied (nullopt: there was none); why it was not, if so.
  std::optional<std::string> original_;
  std::string not_copied_;
};

}  // namespace barvell::entry
