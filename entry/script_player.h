// Plays a script on the headless window system while the real program runs: each action
// is looked up when its turn comes (the window it names may only just have opened), and
// handed to the input driver as a person's keys, clicks and dialog answers.
#pragma once

#include <cstdio>
#include <string>

#include "entry/batch_progress.h"
#include "entry/script.h"
#include "platform/ui/headless/headless_window_system.h"

namespace barvell::entry {

class ScriptPlayer {
 public:
  // `out` takes what `print` prints; `progress` shows the batches of the command line's
  // subcommands (their internal action "batch-progress DIR ean13|code39").
  ScriptPlayer(ui::HeadlessWindowSystem& system, Script script, std::FILE* out,
               BatchProgress* progress = nullptr)
      : system_(system), script_(std::move(script)), out_(out), progress_(progress) {}

  // Queues the first action; the rest follow one by one as the program takes them.
  void Start();

  // The first action that could not be carried out (a missing window or control, a value
  // the control cannot take); the script stops there.
  bool Failed() const { return !failure_.empty(); }
  const std::string& Failure() const { return failure_; }

 private:
  void Step();
  bool Perform(const Action& a);
  bool Fail(const Action& a, const std::string& why);

  ui::HeadlessWindowSystem& system_;
  Script script_;
  std::FILE* out_;
  BatchProgress* progress_;
  size_t next_ = 0;
  std::string window_caption_;  // empty: the active window
  std::string failure_;
};

}  // namespace barvell::entry
