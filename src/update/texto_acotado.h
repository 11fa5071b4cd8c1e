// Copies into the fixed text buffers of the update state. A text that does not fit is
// refused whole: the caller learns it and the buffer never holds a cut text.
#ifndef QOR_UPDATE_TEXTO_ACOTADO_H
#define QOR_UPDATE_TEXTO_ACOTADO_H

#include "backup/texto_copia.h"

#include <cstddef>
#include <cstring>

// Appends; false (and the buffer unchanged) when the result would not fit with its NUL.
inline bool AnadirAcotado(char *destino, std::size_t capacidad, const char *texto) {
  return Anexar(destino, capacidad, texto);
}

// Clears the whole buffer, then copies; false (and the buffer empty) when it does not fit.
inline bool CopiarAcotado(char *destino, std::size_t capacidad, const char *texto) {
  std::memset(destino, 0, capacidad);
  return AnadirAcotado(destino, capacidad, texto);
}

template <std::size_t N> bool AnadirAcotado(char (&d)[N], const char *texto) {
  return AnadirAcotado(d, N, texto);
}
template <std::size_t N> bool CopiarAcotado(char (&d)[N], const char *texto) {
  return CopiarAcotado(d, N, texto);
}

#endif
