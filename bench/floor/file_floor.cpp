// The floor that a batch's own file work sets, per code: the 292,694-byte temporary
// picture overwritten in place and cut to its length, read back, and one 3 KB picture
// file created. Prints codes per second for the given count.
//   barvell_file_floor DIR [COUNT]
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: barvell_file_floor DIR [COUNT]\n");
    return 2;
  }
  std::string dir = argv[1];
  int count = argc > 2 ? std::atoi(argv[2]) : 10000;
  constexpr size_t kTemporary = 292694;
  constexpr size_t kPicture = 3000;
  std::vector<char> bmp(kTemporary, 'B'), back(kTemporary), png(kPicture, 'P');
  std::string temporary = dir + "/EN13tem.bmp";

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    int t = ::open(temporary.c_str(), O_WRONLY | O_CREAT, 0644);
    if (t < 0 || ::pwrite(t, bmp.data(), bmp.size(), 0) != ssize_t(bmp.size()) ||
        ::ftruncate(t, off_t(bmp.size())) != 0 || ::close(t) != 0)
      return 1;
    int r = ::open(temporary.c_str(), O_RDONLY);
    if (r < 0 || ::read(r, back.data(), back.size()) != ssize_t(back.size())) return 1;
    ::close(r);
    std::string name = dir + "/" + std::to_string(6901234000000LL + i) + ".PNG";
    int p = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (p < 0 || ::write(p, png.data(), png.size()) != ssize_t(png.size()) || ::close(p) != 0)
      return 1;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.0f\n", count / seconds);
  return 0;
}
