// Rewriting the temporary picture, as every code of a batch does: the same 292,694 bytes
// (a default 413 x 236 export) written over the last ones. Emptying the file first gives
// its blocks back and takes them again; overwriting in place and cutting to the length
// written leaves the same bytes on disk without that round trip. Then the picture each
// code is saved as: a new 3 KB file in the storage folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "platform/kernel/file_writes.h"

namespace {

constexpr size_t kPictureBytes = 292694;

// A file of its own beside the user's other temporary files.
std::string BenchFile() {
  const char* tmpdir = std::getenv("TMPDIR");
  return std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") + "/barvell_bench_" +
         std::to_string(::getpid()) + ".bmp";
}

void TruncateAndRewrite(benchmark::State& state) {
  const std::vector<uint8_t> picture(kPictureBytes, 0xA5);
  const std::string file = BenchFile();
  for (auto _ : state) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, picture.data(), picture.size()) != ssize_t(picture.size())) {
      state.SkipWithError("write failed");
    }
    ::close(fd);
  }
  ::unlink(file.c_str());
}
BENCHMARK(TruncateAndRewrite)->Unit(benchmark::kMicrosecond);

void OverwriteInPlace(benchmark::State& state) {
  const std::vector<uint8_t> picture(kPictureBytes, 0xA5);
  const std::span<const uint8_t> pieces[] = {picture};
  const std::string file = BenchFile();
  for (auto _ : state) {
    if (!barvell::platform::OverwriteFile(file, pieces)) state.SkipWithError("write failed");
  }
  ::unlink(file.c_str());
}
BENCHMARK(OverwriteInPlace)->Unit(benchmark::kMicrosecond);

// One new file per code into a folder that fills up as a batch's does; the folder is
// emptied between runs of the benchmark so that each run meets the same directory sizes.
void SaveNewPicture(benchmark::State& state) {
  const std::vector<uint8_t> picture(3000, 0x5A);
  const std::string folder = BenchFile() + ".d";
  ::mkdir(folder.c_str(), 0755);
  std::vector<std::string> made;
  uint64_t code = 6901234000000;
  for (auto _ : state) {
    made.push_back(folder + "/" + std::to_string(code++) + ".PNG");
    if (!barvell::platform::ReplaceFile(made.back(), picture, barvell::platform::Durability::kUnsynced)) {
      state.SkipWithError("save failed");
    }
  }
  for (const std::string& file : made) ::unlink(file.c_str());
  ::rmdir(folder.c_str());
}
BENCHMARK(SaveNewPicture)->Unit(benchmark::kMicrosecond)->Iterations(3000)->Repetitions(5);

}  // namespace
