#ifndef QOR_UTIL_LISTA_TEXTO_H
#define QOR_UTIL_LISTA_TEXTO_H

#include <cstddef>
#include <cstdint>

// Rows of text of one fixed capacity, addressed 1 to filas, grown one row at a time.
class ListaTexto {
public:
  static constexpr uint32_t CapacidadPorOmision = 300;

  // n zero-filled rows of c characters each (terminator included; 300 when c is 0). A list
  // built with no rows keeps that capacity for the rows appended later. When the rows can't
  // be allocated the list stays empty.
  ListaTexto(int32_t n, uint32_t c);
  // The same capacity and rows; empty when the copy can't be allocated.
  ListaTexto(const ListaTexto &otra);
  ListaTexto &operator=(const ListaTexto &) = delete;
  ~ListaTexto();

  // Appends one zero-filled row. False, with the list unchanged, when memory runs out.
  bool AgregarFila();
  // Row i's buffer of `capacidad` characters, or none when i is not in 1..filas.
  char *Fila(int32_t i);
  // Copies texto into row i; refused (false, row unchanged) when the row is missing or the
  // text with its terminator is longer than the row.
  bool FijarFila(int32_t i, const char *texto);

  int32_t filas;      // rows
  uint32_t capacidad; // characters of each row, terminator included
  char **datos;       // filas row buffers

private:
  void Liberar();
};

// Copies texto with its terminator into a buffer of tamano bytes; refused (false, buffer
// unchanged) when it doesn't fit.
bool CopiarAcotado(char *destino, size_t tamano, const char *texto);

#endif
