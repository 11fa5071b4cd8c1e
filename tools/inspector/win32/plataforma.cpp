#include "plataforma_inspector.h"

#include <cstdlib>
#include <windows.h>

namespace {

UINT paginaAnterior = 0;

void DevolverPagina() {
  SetConsoleOutputCP(paginaAnterior);
}

} // namespace

void PrepararPlataforma() {
  // The texts are in the ANSI code page; a console window would read them as OEM. The
  // console is shared with the caller, so its page is given back at exit.
  paginaAnterior = GetConsoleOutputCP();
  if (paginaAnterior != 0 && SetConsoleOutputCP(GetACP()))
    std::atexit(DevolverPagina);
}

bool RutaDeArgumento(const char *argumento, std::string &ruta, std::string &motivo) {
  ruta = argumento;
  if (ruta.empty()) {
    motivo = "ruta vacía";
    return false;
  }
  for (char &c : ruta)
    if (c == '/')
      c = '\\';
  // A trailing separator would double when names are appended; a drive root keeps it.
  while (ruta.size() > 1 && ruta.back() == '\\' && !(ruta.size() == 3 && ruta[1] == ':'))
    ruta.pop_back();
  return true;
}

bool MoverArchivo(const char *origen, const char *destino, bool reemplazar) {
  return MoveFileExA(origen, destino, reemplazar ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

bool EsRedireccion(const char *ruta) {
  DWORD a = GetFileAttributesA(ruta);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool TamanoEnDisco(const char *ruta, std::uint64_t &tamano) {
  WIN32_FILE_ATTRIBUTE_DATA datos;
  if (!GetFileAttributesExA(ruta, GetFileExInfoStandard, &datos))
    return false;
  tamano = static_cast<std::uint64_t>(datos.nFileSizeHigh) << 32 | datos.nFileSizeLow;
  return true;
}

bool ArchivosDeCarpeta(const char *carpeta, std::vector<std::string> &nombres) {
  std::string patron = std::string(carpeta) + "\\*";
  WIN32_FIND_DATAA datos;
  HANDLE h = FindFirstFileA(patron.c_str(), &datos);
  if (h == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    if ((datos.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      nombres.push_back(datos.cFileName);
  } while (FindNextFileA(h, &datos));
  FindClose(h);
  return true;
}

bool EsCarpeta(const char *ruta) {
  DWORD a = GetFileAttributesA(ruta);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string NombreDelHost(const std::string &nombreAnsi) {
  return nombreAnsi;
}

unsigned long IdProceso() {
  return GetCurrentProcessId();
}
