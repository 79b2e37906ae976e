#pragma once
// The person in front of the headless window system. Tests and the command line script
// actions here; the backend performs the next one each time the event loop waits for an
// event, and posts a quit when none are left, so a headless run always ends. The driver
// also answers the dialogs and keeps a record of them.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/dialogs.h"
#include "platform/ui/headless/dialog_record.h"
#include "platform/ui/headless/headless_input.h"

namespace barvell::ui {

class HeadlessWindowSystem;

class InputDriver {
 public:
  explicit InputDriver(HeadlessWindowSystem& system) : system_(system) {}

  // --- actions, performed in order -----------------------------------------------------
  // Types each character through the key and character path of the focused control:
  // key down (with Shift for capitals), character, key up. "\r" or "\n" is Enter, "\t"
  // Tab; characters without a key (Chinese) arrive as characters only.
  void Type(const std::string& utf8);
  // Focuses the control first.
  void TypeInto(WindowHandle control, const std::string& utf8);
  // Replaces the edit box's selection with the clipboard text, as Ctrl+V does.
  void Paste(WindowHandle edit, const std::string& utf8);
  // Key down and up at the focus; the key makes its character as a keyboard does (Enter
  // 13, Tab 9, Esc 27, back-space 8, letters, digits, Ctrl+letter 1-26; none with Alt).
  void PressKey(int key, int modifiers = 0);
  // Left button down and up in the middle of the control.
  void Click(WindowHandle control, int modifiers = 0);
  // A click at a point of a top-level window's client area; it reaches whatever lies there.
  void ClickAt(WindowHandle topLevel, Point client, MouseButton button = MouseButton::kLeft,
               int modifiers = 0);
  void DoubleClickAt(WindowHandle topLevel, Point client, int modifiers = 0);
  void MoveMouse(WindowHandle topLevel, Point client, int modifiers = 0);
  // Turns the wheel over the focused control (or `target`): positive notches forwards.
  void Wheel(int notches, int modifiers = 0, WindowHandle target = kNoWindow);
  // Clicks the drop-down list and picks an item.
  void ChooseItem(WindowHandle list, int index);
  void ChooseMenu(WindowHandle topLevel, int command);
  void Focus(WindowHandle window);
  // The close box of a top-level window.
  void Close(WindowHandle topLevel);
  // Drags the frame of a top-level window to a new outer rectangle.
  void MoveResize(WindowHandle topLevel, Rect outer);
  // Runs `step` in turn with the other actions.
  void Do(std::function<void()> step);
  std::size_t PendingActions() const { return actions_.size(); }

  // --- dialog answers ------------------------------------------------------------------
  // Unanswered message boxes take their default button; unanswered file, folder and colour
  // dialogs are cancelled.
  void AnswerMessageBox(MessageBoxAnswer answer) { boxAnswers_.push_back(answer); }
  // `filter`: the filter pair the person picked, -1 = the one shown first.
  void AnswerFileDialog(std::optional<std::string> path, int filter = -1) {
    fileAnswers_.push_back({std::move(path), filter});
  }
  void AnswerFolder(std::optional<std::string> path) { folderAnswers_.push_back(std::move(path)); }
  void AnswerColour(std::optional<std::uint32_t> colour) { colourAnswers_.push_back(colour); }

  const std::vector<MessageBoxRequest>& MessageBoxes() const { return boxes_; }
  const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }
  const std::vector<FolderRequest>& FolderRequests() const { return folders_; }
  const std::vector<std::string>& WebPages() const { return webPages_; }
  int ColourRequests() const { return colourRequests_; }
  // Every dialog shown and every document handed to the shell, in order, with its answer.
  const std::vector<ShownDialog>& Shown() const { return shown_; }
  // `look` runs each time a dialog is shown, before it is answered: a test's look at the
  // windows while the dialog is up.
  void WhileDialogShown(std::function<void()> look) { whileShown_ = std::move(look); }

  // --- used by the backend -------------------------------------------------------------
  // Performs the next action; false when there is none.
  bool PerformNext();
  MessageBoxAnswer OnMessageBox(const MessageBoxRequest& request);
  std::optional<std::string> OnFileDialog(const FileDialogRequest& request);
  std::optional<std::string> OnFolder(const FolderRequest& request);
  std::optional<std::uint32_t> OnColour(std::uint32_t initial = 0);
  void OnWebPage(const std::string& url);

 private:
  struct FileAnswer {
    std::optional<std::string> path;
    int filter;
  };

  void Add(std::function<void()> action) { actions_.push_back(std::move(action)); }
  void PostKey(int key, int modifiers, char32_t character);
  void PostMouse(InputKind kind, WindowHandle target, EventKind mouse, MouseButton button,
                 Point at, int modifiers);
  void Record(ShownDialog shown);

  HeadlessWindowSystem& system_;
  std::deque<std::function<void()>> actions_;
  std::deque<MessageBoxAnswer> boxAnswers_;
  std::deque<FileAnswer> fileAnswers_;
  std::deque<std::optional<std::string>> folderAnswers_;
  std::deque<std::optional<std::uint32_t>> colourAnswers_;
  std::vector<MessageBoxRequest> boxes_;
  std::vector<FileDialogRequest> fileDialogs_;
  std::vector<FolderRequest> folders_;
  std::vector<std::string> webPages_;
  int colourRequests_ = 0;
  std::vector<ShownDialog> shown_;
  std::function<void()> whileShown_;
};

}  // namespace barvell::ui
