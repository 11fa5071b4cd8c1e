// Bounded text building for the backup commands' fixed buffers.
#ifndef QOR_BACKUP_TEXTO_COPIA_H
#define QOR_BACKUP_TEXTO_COPIA_H

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

// Zero-fills the buffer and writes the pieces one after the other. A result that doesn't
// fit is refused: the buffer is left empty and the answer is false.
bool Componer(char *destino, std::size_t capacidad, std::initializer_list<const char *> partes);
template <std::size_t N> bool Componer(char (&d)[N], std::initializer_list<const char *> partes) {
  return Componer(d, N, partes);
}

// Appends the text when it fits whole; false (text unchanged) otherwise.
bool Anexar(char *destino, std::size_t capacidad, const char *texto);

// A notice's text: the heading, then one name a line (at most 20, then how many more).
std::string TextoConNombres(const char *encabezado, const std::vector<std::string> &nombres);

#endif
