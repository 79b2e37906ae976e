// Progress of a batch on a terminal: how many pictures of the batch are in the storage
// directory so far, of how many, how fast, and the time left. It watches the directory
// from a thread of its own and touches nothing of the program, which runs on its one
// thread as always.
#pragma once

#include <atomic>
#include <mutex>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <unordered_map>

namespace barvell::entry {

class BatchProgress {
 public:
  // Shows nothing unless `to` is a terminal.
  explicit BatchProgress(std::FILE* to) : to_(to) {}
  ~BatchProgress() { Stop(); }

  // Whether Start shows anything: the list need not be counted otherwise.
  bool Shows() const;
  void Start(const std::string& directory, size_t total);
  // Ends the line with the final count.
  void Stop();
  // Prints a line of its own on `to`, clearing the progress line first when it shares
  // the terminal; the progress line comes back at its next update.
  void Say(std::FILE* to, const std::string& line);

 private:
  size_t CountWritten() const;
  void Show(size_t done, bool last);

  std::FILE* to_;
  std::string directory_;
  size_t total_ = 0;
  std::chrono::steady_clock::time_point started_;
  // The directory's files and their times before the batch: a file counts once it is
  // new or written again.
  std::unordered_map<std::string, std::filesystem::file_time_type> before_;
  std::atomic<bool> running_{false};
  std::mutex writing_;
  std::thread watcher_;
};

// The codes of a code list, as the edit box shows it (UTF-8), that a batch will write:
// lines of 13 GBK bytes for EAN-13, every non-empty line for Code 39 (lines separated by
// CR LF). Only a line that is not ASCII is converted to be measured, not the whole list.
size_t BatchCodeCount(const std::string& utf8_list, bool ean13);

}  // namespace barvell::entry
