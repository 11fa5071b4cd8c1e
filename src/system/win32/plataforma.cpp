#include "system/plataforma.h"

#include "system/interno.h"

#include <windows.h>

namespace plataforma {

bool EnumerarCarpeta(const char *carpeta, const std::function<void(const char *)> &alEncontrar) {
  char patron[MAX_PATH] = {};
  if (!interno::CopiarTexto(patron, sizeof patron, carpeta) ||
      !interno::AgregarTexto(patron, sizeof patron, "\\*"))
    return false;
  WIN32_FIND_DATAA datos;
  HANDLE busqueda = FindFirstFileA(patron, &datos);
  if (busqueda == INVALID_HANDLE_VALUE)
    return false;
  do {
    datos.cFileName[sizeof datos.cFileName - 1] = '\0';
    alEncontrar(datos.cFileName);
  } while (FindNextFileA(busqueda, &datos));
  FindClose(busqueda);
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
