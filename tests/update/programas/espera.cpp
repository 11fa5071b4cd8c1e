// Stands in for the product's sibling programs: does nothing for a minute, then ends, so
// that a test which fails to stop it leaves nothing behind for long.
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

int main() {
  for (int i = 0; i < 600; ++i) {
#ifdef _WIN32
    Sleep(100);
#else
    usleep(100000);
#endif
  }
  return 0;
}
