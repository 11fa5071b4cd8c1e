#ifndef QOR_UTIL_VECTORES_H
#define QOR_UTIL_VECTORES_H

#include "util/numeros.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

// An array of numbers addressed 1 to cantidad, grown one element at a time, with a text
// field for formatting one element at a time.
template <typename T, ClaseNumero Clase> class VectorNumerico {
  static_assert(std::is_arithmetic_v<T>);

public:
  VectorNumerico() : cantidad(0), datos(nullptr) {}
  // n zeros; empty when n is not above 0 or memory runs out.
  explicit VectorNumerico(int32_t n) : VectorNumerico() {
    if (n <= 0)
      return;
    datos = static_cast<T *>(calloc(static_cast<size_t>(n), sizeof(T)));
    if (datos != nullptr)
      cantidad = n;
  }
  // The same count and elements; empty when the copy can't be allocated.
  VectorNumerico(const VectorNumerico &otro) : VectorNumerico(otro.cantidad) {
    if (cantidad == otro.cantidad && cantidad > 0)
      memcpy(datos, otro.datos, static_cast<size_t>(cantidad) * sizeof(T));
  }
  VectorNumerico &operator=(const VectorNumerico &) = delete;
  ~VectorNumerico() { free(datos); }

  // Appends one element, set to zero. False, with the vector unchanged, when memory runs out.
  bool AgregarElemento() {
    if (cantidad == INT32_MAX || static_cast<size_t>(cantidad) + 1 > SIZE_MAX / sizeof(T))
      return false;
    void *nuevos = realloc(datos, (static_cast<size_t>(cantidad) + 1) * sizeof(T));
    if (nuevos == nullptr)
      return false;
    datos = static_cast<T *>(nuevos);
    datos[cantidad++] = T();
    return true;
  }
  // Element i, or none outside the vector.
  T *Elemento(int32_t i) { return i >= 1 && i <= cantidad ? &datos[i - 1] : nullptr; }
  // Element i as text ("%f" or "%i"), valid until the next ATexto; none outside the vector,
  // and none (texto left empty) for a value whose text doesn't fit.
  char *ATexto(int32_t i) {
    T *elemento = Elemento(i);
    if (elemento == nullptr)
      return nullptr;
    return FormatearNumero(*elemento, texto) ? texto : nullptr;
  }

  int32_t cantidad;
  T *datos;                          // cantidad elements
  char texto[LargoTextoNumero] = {}; // written by ATexto
};

using VectorDouble = VectorNumerico<double, ClaseNumero::Double>;
using VectorFloat = VectorNumerico<float, ClaseNumero::Float>;
using VectorInt = VectorNumerico<int32_t, ClaseNumero::Int>;
using VectorShort = VectorNumerico<int16_t, ClaseNumero::Short>;
using VectorEntero = VectorNumerico<int32_t, ClaseNumero::Entero>;
using VectorLong = VectorNumerico<int32_t, ClaseNumero::Long>;

#endif
