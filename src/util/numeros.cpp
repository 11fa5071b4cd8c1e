#include "util/numeros.h"

#include <cstdio>
#include <cstring>

namespace {

// Some C libraries write as much as fits when the text is too long; a cut number would read
// as a different one, so nothing is kept then.
bool Formatear(char (&texto)[LargoTextoNumero], int escrito) {
  if (escrito < 0 || static_cast<size_t>(escrito) >= LargoTextoNumero) {
    memset(texto, 0, sizeof texto);
    return false;
  }
  return true;
}

} // namespace

bool FormatearReal(double valor, char (&texto)[LargoTextoNumero]) {
  memset(texto, 0, sizeof texto);
  return Formatear(texto, snprintf(texto, sizeof texto, "%f", valor));
}

bool FormatearEntero(int32_t valor, char (&texto)[LargoTextoNumero]) {
  memset(texto, 0, sizeof texto);
  return Formatear(texto, snprintf(texto, sizeof texto, "%i", static_cast<int>(valor)));
}
