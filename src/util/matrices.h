#ifndef QOR_UTIL_MATRICES_H
#define QOR_UTIL_MATRICES_H

#include "util/numeros.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

// A matrix of text cells of one fixed capacity. Cells are addressed (column, row), both
// 1-based; rows are appended one at a time.
class MatrizTexto {
public:
  static constexpr uint32_t CapacidadPorOmision = 300;

  // When both counts are above 0: that many zero-filled rows of cells of capacidad
  // characters (terminator included; 300 when 0). Otherwise, or when memory runs out, empty.
  MatrizTexto(int32_t columnas, int32_t filas, uint32_t capacidad);
  // Same dimensions, capacity and texts; empty when the copy can't be allocated.
  MatrizTexto(const MatrizTexto &otra);
  MatrizTexto &operator=(const MatrizTexto &) = delete;
  ~MatrizTexto();

  // Appends a row of zero-filled cells. False, with the matrix unchanged, when memory runs
  // out.
  bool AgregarFila();
  // The cell's buffer of `capacidad` characters, or none outside the matrix.
  char *Celda(int32_t columna, int32_t fila);
  // Copies texto into a cell; refused (false, cell unchanged) outside the matrix or when the
  // text with its terminator is longer than the cell.
  bool FijarCelda(int32_t columna, int32_t fila, const char *texto);

  int32_t filas;
  int32_t columnas;
  uint32_t capacidad; // characters of each cell, terminator included
  char ***datos;      // filas rows of columnas cells

private:
  char **NuevaFila() const;
  void LiberarFila(char **fila) const;
  void Liberar();
};

// A matrix of numbers addressed (column, row), both 1-based, with a text field for
// formatting one element at a time.
template <typename T, ClaseNumero Clase> class MatrizNumerica {
  static_assert(std::is_arithmetic_v<T>);

public:
  // When both counts are above 0: that many rows of zeros. Otherwise, or when memory runs
  // out, empty.
  MatrizNumerica(int32_t columnas, int32_t filas) : filas(0), columnas(0), datos(nullptr) {
    if (columnas <= 0 || filas <= 0)
      return;
    datos = static_cast<T **>(calloc(static_cast<size_t>(filas), sizeof(T *)));
    if (datos == nullptr)
      return;
    this->columnas = columnas;
    for (; this->filas < filas; ++this->filas) {
      datos[this->filas] = static_cast<T *>(calloc(static_cast<size_t>(columnas), sizeof(T)));
      if (datos[this->filas] == nullptr) {
        Liberar();
        return;
      }
    }
  }
  // Same dimensions and elements; empty when the copy can't be allocated.
  MatrizNumerica(const MatrizNumerica &otra) : MatrizNumerica(otra.columnas, otra.filas) {
    if (filas != otra.filas) {
      Liberar();
      return;
    }
    for (int32_t f = 0; f < filas; ++f)
      memcpy(datos[f], otra.datos[f], static_cast<size_t>(columnas) * sizeof(T));
  }
  MatrizNumerica &operator=(const MatrizNumerica &) = delete;
  ~MatrizNumerica() { Liberar(); }

  // Appends a row of columnas zeros. False, with the matrix unchanged, when memory runs out.
  bool AgregarFila() {
    if (filas == INT32_MAX || static_cast<size_t>(filas) + 1 > SIZE_MAX / sizeof(T *))
      return false;
    T *fila = static_cast<T *>(calloc(columnas > 0 ? static_cast<size_t>(columnas) : 1, sizeof(T)));
    if (fila == nullptr)
      return false;
    void *nuevas = realloc(datos, (static_cast<size_t>(filas) + 1) * sizeof(T *));
    if (nuevas == nullptr) {
      free(fila);
      return false;
    }
    datos = static_cast<T **>(nuevas);
    datos[filas++] = fila;
    return true;
  }
  // The element at (columna, fila), or none outside the matrix.
  T *Elemento(int32_t columna, int32_t fila) {
    if (columna < 1 || columna > columnas || fila < 1 || fila > filas)
      return nullptr;
    return &datos[fila - 1][columna - 1];
  }
  // The element at (columna, fila) as text ("%f" or "%i"), valid until the next ATexto; none
  // outside the matrix, and none (texto left empty) for a value whose text doesn't fit.
  char *ATexto(int32_t columna, int32_t fila) {
    T *elemento = Elemento(columna, fila);
    if (elemento == nullptr)
      return nullptr;
    return FormatearNumero(*elemento, texto) ? texto : nullptr;
  }

  int32_t filas;
  int32_t columnas;
  T **datos;                         // filas rows of columnas elements
  char texto[LargoTextoNumero] = {}; // written by ATexto

private:
  void Liberar() {
    for (int32_t f = 0; f < filas; ++f)
      free(datos[f]);
    free(datos);
    datos = nullptr;
    filas = 0;
    columnas = 0;
  }
};

using MatrizDouble = MatrizNumerica<double, ClaseNumero::Double>;
using MatrizFloat = MatrizNumerica<float, ClaseNumero::Float>;
using MatrizInt = MatrizNumerica<int32_t, ClaseNumero::Int>;
using MatrizShort = MatrizNumerica<int16_t, ClaseNumero::Short>;
using MatrizEntero = MatrizNumerica<int32_t, ClaseNumero::Entero>;
using MatrizLong = MatrizNumerica<int32_t, ClaseNumero::Long>;

#endif
