// A self-registering program for the registration tests: waits a moment, so that a caller
// that waited for it would be noticed, then writes its arguments, one per line, to the
// file that QOR_MARCA_REGISTRO names.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char **argv) {
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const char *marca = std::getenv("QOR_MARCA_REGISTRO");
  if (!marca)
    return 1;
  std::FILE *f = std::fopen(marca, "ab");
  if (!f)
    return 1;
  for (int i = 1; i < argc; ++i) {
    std::fputs(argv[i], f);
    std::fputs("\n", f);
  }
  std::fclose(f);
  return 0;
}
