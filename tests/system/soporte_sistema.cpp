#include "soporte_sistema.h"

#include "system/rutas.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <sys/stat.h>
#endif

std::string LeerHost(const std::string &rutaHost) {
#ifdef _WIN32
  std::string ruta = "Z:" + rutaHost;
  for (char &c : ruta)
    if (c == '/')
      c = '\\';
#else
  const std::string &ruta = rutaHost;
#endif
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void FijarSoloLectura(const std::string &rutaWindows, bool soloLectura) {
#ifdef _WIN32
  DWORD atributos = GetFileAttributesA(rutaWindows.c_str());
  if (soloLectura)
    atributos |= FILE_ATTRIBUTE_READONLY;
  else
    atributos &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(rutaWindows.c_str(), atributos);
#else
  std::string local = RutaLocal(rutaWindows.c_str());
  struct stat st;
  if (stat(local.c_str(), &st) != 0)
    return;
  mode_t modo = st.st_mode & 07777;
  modo = soloLectura ? (modo & ~static_cast<mode_t>(0222)) : (modo | 0200);
  chmod(local.c_str(), modo);
#endif
}

void HacerEjecutable(const std::string &rutaWindows) {
#ifndef _WIN32
  chmod(RutaLocal(rutaWindows.c_str()).c_str(), 0755);
#else
  (void)rutaWindows;
#endif
}

void FijarVariable(const char *nombre, const char *valor) {
#ifdef _WIN32
  SetEnvironmentVariableA(nombre, valor);
  _putenv((std::string(nombre) + "=" + (valor ? valor : "")).c_str());
#else
  if (valor)
    setenv(nombre, valor, 1);
  else
    unsetenv(nombre);
#endif
}

bool EsperarArchivo(const std::string &rutaWindows, int segundos) {
  auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(segundos);
  while (std::chrono::steady_clock::now() < limite) {
    std::ifstream f(RutaLocal(rutaWindows.c_str()), std::ios::binary);
    std::string texto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (texto.find('\n') != std::string::npos)
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}
