#ifndef QOR_UTIL_LISTA_H
#define QOR_UTIL_LISTA_H

#include <cstdint>

// One node of a Lista. Its data is an untyped pointer; a node that owns its data releases it
// with ::operator delete, so owned data must come from a plain `new T` of a trivially
// destructible T (never new[], malloc or a type with a destructor), and an owning list must
// not hold the same pointer twice.
class NodoLista {
public:
  static constexpr int LargoNombre = 150; // including the terminator

  NodoLista() = default;
  // When encadenado, also destroys every node that follows, without recursion.
  ~NodoLista();
  NodoLista(const NodoLista &) = delete;
  NodoLista &operator=(const NodoLista &) = delete;

  bool encadenado = false;
  void *datos = nullptr;
  char nombre[LargoNombre] = {};
  NodoLista *siguiente = nullptr;
  bool poseeDatos = true;
};

// Singly linked list of untyped data with optional names; positions are 1-based.
// Appending is constant time; lookups and removals walk from the head.
class Lista {
public:
  // poseeDatos: release each node's data when the node goes.
  explicit Lista(bool poseeDatos = true);
  ~Lista();
  Lista(const Lista &) = delete;
  Lista &operator=(const Lista &) = delete;

  // False for no data; otherwise appends it at the end.
  bool AgregarDato(void *dato);
  // False for no data, for an empty name, for a name of 150 characters or more, and for a
  // name that a node already has; otherwise appends the data under that name.
  bool AgregarConNombre(void *dato, const char *nombre);
  // The data slot of node i (0 is the head's, which holds none); none when i is out of range.
  void **Dato(int32_t i);
  // Whether a node has exactly that name (byte for byte); an empty name matches nothing.
  bool Contiene(const char *nombre) const;
  // The data slot of the first node with exactly that name, or none.
  void **BuscarDato(const char *nombre);
  // Removes node i; nothing happens when i is not in 1..cantidad.
  void QuitarEn(int32_t i);
  // Removes the first node with exactly that name, if any.
  void QuitarNombre(const char *nombre);

  NodoLista *cabeza; // holds no data and no name; the list's nodes follow it
  bool poseeDatos;   // copied into every node appended
  int32_t cantidad;  // nodes after the head
  NodoLista *ultimo; // where the next node goes; none until the first append

private:
  NodoLista *BuscarNodo(const char *nombre) const;
  void Quitar(NodoLista *anterior, NodoLista *nodo, int32_t posicion);
};

#endif
