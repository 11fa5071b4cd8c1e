// 1-based lists of the files directly in one folder (ListaNombres) and of a folder
// tree, breadth first (ListaCarpetas).
#ifndef QOR_SYSTEM_LISTA_NOMBRES_H
#define QOR_SYSTEM_LISTA_NOMBRES_H

#include <cstdint>

struct ItemNombre {
  char nombre[255];
  char ruta[255];
  ItemNombre *siguiente;
  std::int32_t indice;
};

class ListaNombres {
public:
  ListaNombres();
  // Lists the files directly in the folder (given without a trailing backslash).
  explicit ListaNombres(const char *carpeta);
  ~ListaNombres();
  ListaNombres(const ListaNombres &) = delete;
  ListaNombres &operator=(const ListaNombres &) = delete;

  std::int32_t Cantidad() const { return cantidad; }
  // None outside 1..Cantidad.
  ItemNombre *Item(std::int32_t indice);
  // None when a text does not fit its 255-character field.
  ItemNombre *Agregar(const char *ruta, const char *nombre);
  void Primero();
  void Siguiente();
  void FijarRuta(const char *ruta);

private:
  std::int32_t cantidad;
  ItemNombre *cabeza;
  ItemNombre *cursor;
};

class ListaCarpetas {
public:
  ListaCarpetas();
  // The top folder and every folder below it.
  explicit ListaCarpetas(const char *carpeta);
  ~ListaCarpetas();
  ListaCarpetas(const ListaCarpetas &) = delete;
  ListaCarpetas &operator=(const ListaCarpetas &) = delete;

  std::int32_t Cantidad() const { return cantidad; }
  ItemNombre *Item(std::int32_t indice);
  ItemNombre *Agregar(const char *ruta, const char *nombre);
  void Primero();
  void Siguiente();
  void FijarRuta(const char *ruta);

private:
  std::int32_t cantidad;
  ItemNombre *cabeza;
  ItemNombre *cursor;
};

// Appends the files directly in the folder; false when it cannot be enumerated.
// Entries whose name or path does not fit are skipped.
bool ListarArchivos(const char *carpeta, ListaNombres *lista);
// Appends padre\nombre and, breadth first, every folder below it.
void ListarCarpetas(const char *padre, const char *nombre, ListaCarpetas *lista);

#endif
