// Helpers shared by the system services' own sources; not for the rest of the system.
#ifndef QOR_SYSTEM_INTERNO_H
#define QOR_SYSTEM_INTERNO_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace interno {

// Copies the text whole or not at all: when it does not fit, the destination becomes the
// empty text. False when refused.
inline bool CopiarTexto(char *destino, std::size_t capacidad, const char *texto) {
  if (!destino || capacidad == 0)
    return false;
  std::size_t largo = texto ? std::strlen(texto) : 0;
  if (largo >= capacidad) {
    destino[0] = '\0';
    return false;
  }
  std::memcpy(destino, texto ? texto : "", largo);
  destino[largo] = '\0';
  return true;
}

// Appends the text whole or not at all; false (destination unchanged) when it does not fit.
inline bool AgregarTexto(char *destino, std::size_t capacidad, const char *texto) {
  std::size_t usado = std::strlen(destino);
  std::size_t largo = std::strlen(texto);
  if (usado + largo >= capacidad)
    return false;
  std::memcpy(destino + usado, texto, largo + 1);
  return true;
}

// The level-by-level walk of CrearCarpeta: calls crearNivel with C:\A, then C:\A\B, ...
// down to the whole path (never the drive root) and answers whether the last call created
// its folder. A path over 258 characters is refused whole: cutting it would create a
// different folder from the one asked for.
template <class F> bool CrearPorNiveles(const char *ruta, F crearNivel) {
  if (!ruta)
    return false;
  char camino[260] = {};
  if (std::strlen(ruta) > 258 || !CopiarTexto(camino, sizeof camino, ruta))
    return false;
  std::size_t n = std::strlen(camino);
  if (n == 0 || camino[n - 1] != '\\')
    camino[n++] = '\\';
  if (n <= 4)
    return false;
  bool creada = false;
  for (std::size_t i = 4; i < n; ++i) {
    if (camino[i] != '\\')
      continue;
    camino[i] = '\0';
    creada = crearNivel(static_cast<const char *>(camino));
    camino[i] = '\\';
  }
  return creada;
}

// Line reading shared by Archivo and Flujo. Given the bytes read at the position (at most
// kVentanaLinea), puts the line's text into the destination and returns how far the position moves.
// A line ends at CR, and an LF right after it is skipped too. A line that has no CR within
// the piece that fits (1023 bytes, or less when the destination is smaller), such as an
// over-long line or a last line without line end, comes back in pieces: the position moves
// past each piece, so the next call goes on with the rest and a loop until the end finishes.
constexpr std::size_t kVentanaLinea = 1025; // a full 1023-byte line, its CR and its LF

inline std::uint32_t CortarLinea(const unsigned char *leidos, std::size_t cantidad, char *destino,
                                 std::size_t capacidad) {
  if (!destino || capacidad == 0 || cantidad == 0)
    return 0;
  std::size_t pieza = capacidad - 1 < 1023 ? capacidad - 1 : 1023;
  if (pieza == 0)
    pieza = 1; // a one-character destination still moves on, one byte at a time
  if (pieza > cantidad)
    pieza = cantidad;
  std::size_t texto = pieza;
  std::uint32_t avance = static_cast<std::uint32_t>(pieza);
  // A CR right after a full piece still ends that line.
  std::size_t busqueda = pieza < cantidad ? pieza + 1 : cantidad;
  if (const void *cr = std::memchr(leidos, 13, busqueda)) {
    texto = static_cast<std::size_t>(static_cast<const unsigned char *>(cr) - leidos);
    avance = static_cast<std::uint32_t>(texto + 1);
    if (texto + 1 < cantidad && leidos[texto + 1] == 10)
      ++avance;
  }
  // The text stops at its first NUL, as a C text does.
  const void *nul = std::memchr(leidos, 0, texto);
  if (nul)
    texto = static_cast<std::size_t>(static_cast<const unsigned char *>(nul) - leidos);
  if (texto > capacidad - 1)
    texto = capacidad - 1;
  std::memcpy(destino, leidos, texto);
  destino[texto] = '\0';
  return avance;
}

} // namespace interno

#endif
