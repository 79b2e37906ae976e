// The floor that a batch's own file work sets, per code: the 292,694-byte temporary
// picture overwritten in place and cut to its length, read back, and one 3 KB picture
// file created. Prints codes per second for the given count.
//   barvell_file_floor DIR [COUNT] [calls]
// With "calls", what is timed instead is the very system calls the batch makes for a code
// (as strace shows them), with the bytes ready made: the time a code costs before the
// program has drawn, built or encoded anything.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kTemporary = 292694;
constexpr size_t kPicture = 3000;

std::string PictureName(const std::string& dir, int i) {
  return dir + "/" + std::to_string(6901234000000LL + i) + ".PNG";
}

// The file work as the issue of speed states it.
bool FloorCode(const std::string& dir, const std::string& temporary, int i, std::vector<char>& bmp,
               std::vector<char>& back, std::vector<char>& png) {
  int t = ::open(temporary.c_str(), O_WRONLY | O_CREAT, 0644);
  if (t < 0 || ::pwrite(t, bmp.data(), bmp.size(), 0) != ssize_t(bmp.size()) ||
      ::ftruncate(t, off_t(bmp.size())) != 0 || ::close(t) != 0)
    return false;
  int r = ::open(temporary.c_str(), O_RDONLY);
  if (r < 0 || ::read(r, back.data(), back.size()) != ssize_t(back.size())) return false;
  ::close(r);
  int p = ::open(PictureName(dir, i).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  return p >= 0 && ::write(p, png.data(), png.size()) == ssize_t(png.size()) && ::close(p) == 0;
}

// The batch's fourteen calls for a code: the temporary folder looked up, the temporary
// picture overwritten under its lock and stamped, its stamp checked when it is loaded
// back, and the new picture written unnamed and linked in under its name.
bool BatchCallsCode(const std::string& dir, const std::string& temporary, int i,
                    std::vector<char>& bmp, std::vector<char>& png) {
  struct stat st;
  if (::stat(dir.c_str(), &st) != 0) return false;
  int t = ::open(temporary.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (t < 0 || ::flock(t, LOCK_EX | LOCK_NB) != 0 || ::fstat(t, &st) != 0 ||
      ::write(t, bmp.data(), bmp.size()) != ssize_t(bmp.size()) || ::fstat(t, &st) != 0 ||
      ::close(t) != 0 || ::stat(temporary.c_str(), &st) != 0)
    return false;
  const std::string name = PictureName(dir, i);
  if (::lstat(name.c_str(), &st) == 0 || ::stat(dir.c_str(), &st) != 0) return false;
  int p = ::open(dir.c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666);
  return p >= 0 && ::write(p, png.data(), png.size()) == ssize_t(png.size()) &&
         ::linkat(p, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 && ::close(p) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: barvell_file_floor DIR [COUNT] [calls]\n");
    return 2;
  }
  std::string dir = argv[1];
  int count = argc > 2 ? std::atoi(argv[2]) : 10000;
  const bool calls = argc > 3 && std::strcmp(argv[3], "calls") == 0;
  std::vector<char> bmp(kTemporary, 'B'), back(kTemporary), png(kPicture, 'P');
  std::string temporary = dir + "/EN13tem.bmp";
  if (calls) {
    // The batch finds the temporary picture there already after its first code.
    int t = ::open(temporary.c_str(), O_WRONLY | O_CREAT, 0644);
    if (t < 0 || ::write(t, bmp.data(), bmp.size()) != ssize_t(bmp.size()) || ::close(t) != 0) return 1;
  }

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    if (!(calls ? BatchCallsCode(dir, temporary, i, bmp, png) : FloorCode(dir, temporary, i, bmp, back, png)))
      return 1;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.0f\n", count / seconds);
  return 0;
}
