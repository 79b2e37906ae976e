#include <cstdio>

int main(int argc, char** argv) {
  std::puts("barvell: the desktop window comes with the runtime frame");
  return 0;
}
