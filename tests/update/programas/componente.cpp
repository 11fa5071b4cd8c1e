// A COM component for the tests: its DllRegisterServer leaves beside the library a file
// named after it plus ".registrado". Built without the export too (SIN_REGISTRO).
#ifdef _WIN32
#include <windows.h>
#define EXPORTAR extern "C" __declspec(dllexport)
#else
#include <dlfcn.h>
#define EXPORTAR extern "C" __attribute__((visibility("default")))
#endif

#include <cstdio>
#include <string>

namespace {

std::string RutaPropia() {
#ifdef _WIN32
  HMODULE modulo = nullptr;
  char ruta[4096] = {};
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&RutaPropia), &modulo);
  GetModuleFileNameA(modulo, ruta, sizeof ruta - 1);
  return ruta;
#else
  Dl_info info{};
  dladdr(reinterpret_cast<void *>(&RutaPropia), &info);
  return info.dli_fname ? info.dli_fname : "";
#endif
}

} // namespace

EXPORTAR long Marcar() {
  std::FILE *f = std::fopen((RutaPropia() + ".registrado").c_str(), "wb");
  if (!f)
    return 1;
  std::fputs("DllRegisterServer", f);
  std::fclose(f);
  return 0;
}

#ifndef SIN_REGISTRO
EXPORTAR long DllRegisterServer() {
  return Marcar();
}
#endif
