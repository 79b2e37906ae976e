#include "entry/batch_progress.h"

#include <unistd.h>

#include <string_view>
#include <system_error>

#include "platform/text/ascii_text.h"
#include "platform/text/gbk.h"

namespace barvell::entry {

namespace fs = std::filesystem;

namespace {

constexpr auto kInterval = std::chrono::milliseconds(250);

}  // namespace

size_t BatchCodeCount(const std::string& utf8_list, bool ean13) {
  size_t count = 0, start = 0;
  while (start < utf8_list.size()) {
    size_t end = utf8_list.find("\r\n", start);
    if (end == std::string::npos) end = utf8_list.size();
    std::string_view line(utf8_list.data() + start, end - start);
    size_t length = platform::IsAscii(line) ? line.size() : platform::Utf8ToGbk(line).size();
    if (ean13 ? length == 13 : length > 0) ++count;
    start = end + 2;
  }
  return count;
}

bool BatchProgress::Shows() const { return to_ != nullptr && ::isatty(::fileno(to_)); }

void BatchProgress::Start(const std::string& directory, size_t total) {
  Stop();
  if (!Shows() || total == 0) return;
  directory_ = directory;
  total_ = total;
  started_ = std::chrono::steady_clock::now();
  before_.clear();
  std::error_code ec;
  for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code e2;
    before_[it->path().filename().string()] = it->last_write_time(e2);
  }
  running_ = true;
  watcher_ = std::thread([this] {
    while (running_) {
      Show(CountWritten(), false);
      for (int i = 0; i < 4 && running_; ++i) std::this_thread::sleep_for(kInterval / 4);
    }
  });
}

void BatchProgress::Stop() {
  if (!watcher_.joinable()) return;
  running_ = false;
  watcher_.join();
  Show(CountWritten(), true);
}

size_t BatchProgress::CountWritten() const {
  size_t n = 0;
  std::error_code ec;
  for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code e2;
    if (!it->is_regular_file(e2)) continue;
    auto old = before_.find(it->path().filename().string());
    if (old == before_.end() || old->second != it->last_write_time(e2)) ++n;
  }
  return n;
}

void BatchProgress::Say(std::FILE* to, const std::string& line) {
  std::lock_guard<std::mutex> lock(writing_);
  if (running_ && to_ != nullptr && ::isatty(::fileno(to)) && ::isatty(::fileno(to_)))
    std::fputs("\r\033[K", to_);
  std::fprintf(to, "%s\n", line.c_str());
  std::fflush(to);
}

void BatchProgress::Show(size_t done, bool last) {
  if (done > total_) done = total_;
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  double rate = seconds > 0 ? done / seconds : 0;
  long left = rate > 0 ? long((total_ - done) / rate + 0.5) : -1;
  char eta[32] = "--:--";
  if (left >= 0) std::snprintf(eta, sizeof eta, "%ld:%02ld", left / 60, left % 60);
  std::lock_guard<std::mutex> lock(writing_);
  std::fprintf(to_, "\r%zu/%zu  %.0f/s  剩余 %s left   %s", done, total_, rate, eta, last ? "\n" : "");
  std::fflush(to_);
}

}  // namespace barvell::entry
