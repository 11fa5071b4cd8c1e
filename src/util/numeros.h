#ifndef QOR_UTIL_NUMEROS_H
#define QOR_UTIL_NUMEROS_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The element kinds of the numeric matrices and vectors. Entero and Long behave as Int;
// they are kept apart so that each class is its own type.
enum class ClaseNumero { Double, Float, Int, Short, Entero, Long };

// Characters of the numeric containers' text field, terminator included.
constexpr size_t LargoTextoNumero = 150;

// Writes a value into texto with "%f" (six decimals: 1.500000). False, texto left empty, when
// the text doesn't fit (values of 1e142 and above).
bool FormatearReal(double valor, char (&texto)[LargoTextoNumero]);
// Writes a value into texto with "%i".
bool FormatearEntero(int32_t valor, char (&texto)[LargoTextoNumero]);

// "%f" for the real kinds (a float widened to double), "%i" for the integer kinds (a short
// sign-extended).
template <typename T> bool FormatearNumero(T valor, char (&texto)[LargoTextoNumero]) {
  if constexpr (std::is_floating_point_v<T>)
    return FormatearReal(static_cast<double>(valor), texto);
  else
    return FormatearEntero(static_cast<int32_t>(valor), texto);
}

#endif
