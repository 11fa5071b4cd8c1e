#include "system/lista_nombres.h"

#include "system/interno.h"

#include <cstring>

// ListaNombres and ListaCarpetas share their layout and their list operations; only the
// listing that fills them differs.
namespace {

ItemNombre *NuevoItem() {
  ItemNombre *item = new ItemNombre;
  std::memset(item, 0, sizeof *item);
  return item;
}

void Liberar(ItemNombre *&cabeza) {
  // Iteratively, so that a list of many thousands of items does not recurse.
  ItemNombre *item = cabeza;
  while (item) {
    ItemNombre *siguiente = item->siguiente;
    delete item;
    item = siguiente;
  }
  cabeza = nullptr;
}

ItemNombre *Buscar(std::int32_t cantidad, ItemNombre *cabeza, ItemNombre *&cursor,
                   std::int32_t indice) {
  if (indice < 1 || cantidad < indice || !cursor)
    return nullptr;
  if (indice == 1)
    return cursor = cabeza->siguiente;
  if (indice == cursor->indice)
    return cursor;
  ItemNombre *item = indice < cursor->indice ? cabeza : cursor;
  while (item && item->indice != indice)
    item = item->siguiente;
  if (item)
    cursor = item;
  return item;
}

ItemNombre *Anadir(std::int32_t &cantidad, ItemNombre *cabeza, ItemNombre *&cursor,
                   const char *ruta, const char *nombre) {
  ItemNombre *item = NuevoItem();
  if (!interno::CopiarTexto(item->ruta, sizeof item->ruta, ruta) ||
      !interno::CopiarTexto(item->nombre, sizeof item->nombre, nombre)) {
    delete item;
    return nullptr;
  }
  // The cursor is the last item whenever the list only grew since; otherwise walk.
  ItemNombre *ultimo = cursor && cursor->indice == cantidad ? cursor : cabeza;
  while (ultimo->siguiente)
    ultimo = ultimo->siguiente;
  ultimo->siguiente = item;
  item->indice = ++cantidad;
  cursor = item;
  return item;
}

void IrPrimero(std::int32_t cantidad, ItemNombre *cabeza, ItemNombre *&cursor) {
  if (cantidad > 0)
    cursor = cabeza->siguiente;
}

void IrSiguiente(ItemNombre *&cursor) {
  if (cursor && cursor->siguiente)
    cursor = cursor->siguiente;
}

void CambiarRuta(ItemNombre *cursor, const char *ruta) {
  if (cursor && ruta && std::strlen(ruta) < sizeof cursor->ruta)
    interno::CopiarTexto(cursor->ruta, sizeof cursor->ruta, ruta);
}

} // namespace

ListaNombres::ListaNombres() : cantidad(0), cabeza(NuevoItem()), cursor(nullptr) {}

ListaNombres::ListaNombres(const char *carpeta) : ListaNombres() {
  ListarArchivos(carpeta, this);
}

ListaNombres::~ListaNombres() {
  Liberar(cabeza);
  cantidad = 0;
}

ItemNombre *ListaNombres::Item(std::int32_t indice) {
  return Buscar(cantidad, cabeza, cursor, indice);
}

ItemNombre *ListaNombres::Agregar(const char *ruta, const char *nombre) {
  return Anadir(cantidad, cabeza, cursor, ruta, nombre);
}

void ListaNombres::Primero() {
  IrPrimero(cantidad, cabeza, cursor);
}
void ListaNombres::Siguiente() {
  IrSiguiente(cursor);
}
void ListaNombres::FijarRuta(const char *ruta) {
  CambiarRuta(cursor, ruta);
}

ListaCarpetas::ListaCarpetas() : cantidad(0), cabeza(NuevoItem()), cursor(nullptr) {}

ListaCarpetas::ListaCarpetas(const char *carpeta) : ListaCarpetas() {
  // Split at the last backslash; a path without one is taken whole as the name.
  const char *texto = carpeta ? carpeta : "";
  const char *barra = std::strrchr(texto, '\\');
  if (!barra) {
    ListarCarpetas("", texto, this);
    return;
  }
  std::size_t largo = static_cast<std::size_t>(barra - texto);
  char padre[260] = {};
  if (largo >= sizeof padre)
    return; // cannot be a listable path
  std::memcpy(padre, texto, largo);
  ListarCarpetas(padre, barra + 1, this);
}

ListaCarpetas::~ListaCarpetas() {
  Liberar(cabeza);
  cantidad = 0;
}

ItemNombre *ListaCarpetas::Item(std::int32_t indice) {
  return Buscar(cantidad, cabeza, cursor, indice);
}

ItemNombre *ListaCarpetas::Agregar(const char *ruta, const char *nombre) {
  return Anadir(cantidad, cabeza, cursor, ruta, nombre);
}

void ListaCarpetas::Primero() {
  IrPrimero(cantidad, cabeza, cursor);
}
void ListaCarpetas::Siguiente() {
  IrSiguiente(cursor);
}
void ListaCarpetas::FijarRuta(const char *ruta) {
  CambiarRuta(cursor, ruta);
}
