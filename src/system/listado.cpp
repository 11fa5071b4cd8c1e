#include "system/interno.h"
#include "system/lista_nombres.h"
#include "system/plataforma.h"

#include <cstring>

namespace {

// Room of the pattern and full-path buffers: the Windows path limit.
constexpr std::size_t kRutaMaxima = 260;

// folder + "\" + name, refused when it does not fit the Windows path limit.
bool Unir(char (&destino)[kRutaMaxima], const char *carpeta, const char *nombre) {
  destino[0] = '\0';
  return interno::AgregarTexto(destino, kRutaMaxima, carpeta) &&
         interno::AgregarTexto(destino, kRutaMaxima, "\\") &&
         interno::AgregarTexto(destino, kRutaMaxima, nombre);
}

// A name that can't stand in a Windows path is left out, as is one that starts with ".".
bool NombreListable(const char *nombre) {
  return nombre[0] != '.' && !std::strchr(nombre, '\\') && !std::strchr(nombre, '/');
}

} // namespace

bool ListarArchivos(const char *carpeta, ListaNombres *lista) {
  if (!carpeta || !lista)
    return false;
  char patron[kRutaMaxima];
  if (!Unir(patron, carpeta, "*"))
    return false;
  return plataforma::EnumerarCarpeta(carpeta, [&](const char *nombre) {
    if (!NombreListable(nombre))
      return;
    char ruta[kRutaMaxima];
    // An entry whose name or path doesn't fit is skipped whole, never cut.
    if (!Unir(ruta, carpeta, nombre))
      return;
    if (plataforma::TipoDe(ruta) == plataforma::Tipo::Carpeta)
      return;
    lista->Agregar(ruta, nombre);
  });
}

void ListarCarpetas(const char *padre, const char *nombre, ListaCarpetas *lista) {
  if (!padre || !nombre || !lista)
    return;
  char superior[kRutaMaxima];
  bool cabe = padre[0] ? Unir(superior, padre, nombre)
                       : interno::CopiarTexto(superior, sizeof superior, nombre);
  if (!cabe || !lista->Agregar(superior, nombre))
    return;
  // Breadth first: the list itself is the queue of folders still to look into. Items are
  // only ever appended, so the chain can be followed while it grows.
  for (ItemNombre *item = lista->Item(1); item; item = item->siguiente) {
    char carpeta[kRutaMaxima];
    char patron[kRutaMaxima];
    if (!interno::CopiarTexto(carpeta, sizeof carpeta, item->ruta) || !Unir(patron, carpeta, "*"))
      continue;
    plataforma::EnumerarCarpeta(carpeta, [&](const char *entrada) {
      if (!NombreListable(entrada))
        return;
      char ruta[kRutaMaxima];
      if (Unir(ruta, carpeta, entrada) && plataforma::TipoDe(ruta) == plataforma::Tipo::Carpeta)
        lista->Agregar(ruta, entrada);
    });
  }
}
