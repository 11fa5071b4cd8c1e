#include "system/plataforma.h"

#include "system/interno.h"

#include <windows.h>

#include <memory>

namespace plataforma {

bool EnumerarCarpeta(const char *carpeta, const std::function<void(const char *)> &alEncontrar) {
  char patron[MAX_PATH] = {};
  if (!interno::CopiarTexto(patron, sizeof patron, carpeta) ||
      !interno::AgregarTexto(patron, sizeof patron, "\\*"))
    return false;
  WIN32_FIND_DATAA datos;
  HANDLE primera = FindFirstFileA(patron, &datos);
  if (primera == INVALID_HANDLE_VALUE)
    return false;
  // Closed however the walk ends, also when an item can't be allocated.
  std::unique_ptr<void, BOOL(WINAPI *)(HANDLE)> busqueda(primera, FindClose);
  do {
    datos.cFileName[sizeof datos.cFileName - 1] = '\0';
    alEncontrar(datos.cFileName);
  } while (FindNextFileA(busqueda.get(), &datos));
  return true;
}

Tipo TipoDe(const char *ruta) {
  DWORD atributos = GetFileAttributesA(ruta);
  if (atributos == INVALID_FILE_ATTRIBUTES)
    return Tipo::Desconocido;
  return (atributos & FILE_ATTRIBUTE_DIRECTORY) ? Tipo::Carpeta : Tipo::Archivo;
}

bool SoloLectura(const char *ruta) {
  DWORD atributos = GetFileAttributesA(ruta);
  return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_READONLY) &&
         !(atributos & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace plataforma
