// A COM-style library for the registration tests: each entry point appends its name as a
// line to the file that QOR_MARCA_REGISTRO names.
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#define EXPORTAR extern "C" __declspec(dllexport)
#define LLAMADA __stdcall
#else
#define EXPORTAR extern "C" __attribute__((visibility("default")))
#define LLAMADA
#endif

namespace {

long Anotar(const char *linea) {
  char marca[1024] = {};
#ifdef _WIN32
  DWORD n = GetEnvironmentVariableA("QOR_MARCA_REGISTRO", marca, sizeof marca);
  if (n == 0 || n >= sizeof marca)
    return 1;
#else
  const char *valor = std::getenv("QOR_MARCA_REGISTRO");
  if (!valor || std::snprintf(marca, sizeof marca, "%s", valor) >= static_cast<int>(sizeof marca))
    return 1;
#endif
  if (std::FILE *f = std::fopen(marca, "ab")) {
    std::fputs(linea, f);
    std::fputs("\n", f);
    std::fclose(f);
  }
  return 0;
}

} // namespace

EXPORTAR long LLAMADA DllRegisterServer() {
  return Anotar("DllRegisterServer");
}
EXPORTAR long LLAMADA DllUnregisterServer() {
  return Anotar("DllUnregisterServer");
}
