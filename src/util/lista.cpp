#include "util/lista.h"

#include <cstring>
#include <new>

namespace {

// Length of a name if it fits a node's name field, or -1.
int LargoDeNombre(const char *nombre) {
  if (nombre == nullptr)
    return -1;
  size_t largo = strnlen(nombre, NodoLista::LargoNombre);
  return largo < static_cast<size_t>(NodoLista::LargoNombre) ? static_cast<int>(largo) : -1;
}

} // namespace

NodoLista::~NodoLista() {
  // A long chain destroyed recursively would exhaust the stack; unlink one node at a time.
  NodoLista *resto = encadenado ? siguiente : nullptr;
  siguiente = nullptr;
  while (resto != nullptr) {
    NodoLista *proximo = resto->siguiente;
    resto->siguiente = nullptr;
    resto->encadenado = false;
    delete resto;
    resto = proximo;
  }
  if (poseeDatos && datos != nullptr)
    ::operator delete(datos);
}

Lista::Lista(bool poseeDatos)
    : cabeza(new NodoLista), poseeDatos(poseeDatos), cantidad(0), ultimo(nullptr) {
  // Whatever a caller puts in the head's slot (Dato(0)) is owned as the list's data is.
  cabeza->poseeDatos = poseeDatos;
}

Lista::~Lista() {
  cabeza->encadenado = true;
  delete cabeza;
}

bool Lista::AgregarDato(void *dato) {
  if (dato == nullptr)
    return false;
  if (cantidad == 0)
    ultimo = cabeza;
  NodoLista *nodo = new NodoLista;
  nodo->datos = dato;
  nodo->poseeDatos = poseeDatos;
  ultimo->siguiente = nodo;
  ultimo = nodo;
  ++cantidad;
  return true;
}

bool Lista::AgregarConNombre(void *dato, const char *nombre) {
  if (dato == nullptr)
    return false;
  int largo = LargoDeNombre(nombre);
  if (largo <= 0 || Contiene(nombre))
    return false;
  if (!AgregarDato(dato))
    return false;
  memcpy(ultimo->nombre, nombre, static_cast<size_t>(largo));
  return true;
}

void **Lista::Dato(int32_t i) {
  if (i < 0 || i > cantidad)
    return nullptr;
  NodoLista *nodo = cabeza;
  for (int32_t n = 0; n < i; ++n)
    nodo = nodo->siguiente;
  return &nodo->datos;
}

NodoLista *Lista::BuscarNodo(const char *nombre) const {
  if (LargoDeNombre(nombre) <= 0)
    return nullptr;
  for (NodoLista *nodo = cabeza->siguiente; nodo != nullptr; nodo = nodo->siguiente)
    if (strcmp(nodo->nombre, nombre) == 0)
      return nodo;
  return nullptr;
}

bool Lista::Contiene(const char *nombre) const {
  return BuscarNodo(nombre) != nullptr;
}

void **Lista::BuscarDato(const char *nombre) {
  NodoLista *nodo = BuscarNodo(nombre);
  return nodo != nullptr ? &nodo->datos : nullptr;
}

void Lista::Quitar(NodoLista *anterior, NodoLista *nodo, int32_t posicion) {
  anterior->siguiente = nodo->siguiente;
  if (posicion == cantidad)
    ultimo = anterior;
  nodo->siguiente = nullptr;
  nodo->encadenado = false;
  delete nodo;
  --cantidad;
}

void Lista::QuitarEn(int32_t i) {
  if (i < 1 || i > cantidad)
    return;
  NodoLista *anterior = cabeza;
  for (int32_t n = 1; n < i; ++n)
    anterior = anterior->siguiente;
  Quitar(anterior, anterior->siguiente, i);
}

void Lista::QuitarNombre(const char *nombre) {
  if (LargoDeNombre(nombre) <= 0)
    return;
  NodoLista *anterior = cabeza;
  for (int32_t posicion = 1; posicion <= cantidad; ++posicion) {
    NodoLista *nodo = anterior->siguiente;
    if (strcmp(nodo->nombre, nombre) == 0) {
      Quitar(anterior, nodo, posicion);
      return;
    }
    anterior = nodo;
  }
}
