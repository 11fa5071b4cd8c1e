#include "util/matrices.h"

#include "util/lista_texto.h"

MatrizTexto::MatrizTexto(int32_t columnas, int32_t filas, uint32_t capacidad)
    : filas(0), columnas(0), capacidad(capacidad != 0 ? capacidad : CapacidadPorOmision),
      datos(nullptr) {
  if (columnas <= 0 || filas <= 0)
    return;
  datos = static_cast<char ***>(calloc(static_cast<size_t>(filas), sizeof(char **)));
  if (datos == nullptr)
    return;
  this->columnas = columnas;
  for (; this->filas < filas; ++this->filas) {
    datos[this->filas] = NuevaFila();
    if (datos[this->filas] == nullptr) {
      Liberar();
      return;
    }
  }
}

MatrizTexto::MatrizTexto(const MatrizTexto &otra)
    : MatrizTexto(otra.columnas, otra.filas, otra.capacidad) {
  if (filas != otra.filas) {
    Liberar();
    return;
  }
  for (int32_t f = 0; f < filas; ++f)
    for (int32_t c = 0; c < columnas; ++c)
      memcpy(datos[f][c], otra.datos[f][c], capacidad);
}

MatrizTexto::~MatrizTexto() {
  Liberar();
}

char **MatrizTexto::NuevaFila() const {
  // A matrix without columns still gets a (never addressable) row, as rows are counted.
  size_t celdas = columnas > 0 ? static_cast<size_t>(columnas) : 1;
  char **fila = static_cast<char **>(calloc(celdas, sizeof(char *)));
  if (fila == nullptr)
    return nullptr;
  for (int32_t c = 0; c < columnas; ++c) {
    fila[c] = static_cast<char *>(calloc(capacidad, 1));
    if (fila[c] == nullptr) {
      LiberarFila(fila);
      return nullptr;
    }
  }
  return fila;
}

void MatrizTexto::LiberarFila(char **fila) const {
  // Cells not yet allocated are none, which free accepts.
  for (int32_t c = 0; c < columnas; ++c)
    free(fila[c]);
  free(fila);
}

void MatrizTexto::Liberar() {
  for (int32_t f = 0; f < filas; ++f)
    LiberarFila(datos[f]);
  free(datos);
  datos = nullptr;
  filas = 0;
  columnas = 0;
}

bool MatrizTexto::AgregarFila() {
  if (filas == INT32_MAX || static_cast<size_t>(filas) + 1 > SIZE_MAX / sizeof(char **))
    return false;
  char **fila = NuevaFila();
  if (fila == nullptr)
    return false;
  void *nuevas = realloc(datos, (static_cast<size_t>(filas) + 1) * sizeof(char **));
  if (nuevas == nullptr) {
    LiberarFila(fila);
    return false;
  }
  datos = static_cast<char ***>(nuevas);
  datos[filas++] = fila;
  return true;
}

char *MatrizTexto::Celda(int32_t columna, int32_t fila) {
  if (columna < 1 || columna > columnas || fila < 1 || fila > filas)
    return nullptr;
  return datos[fila - 1][columna - 1];
}

bool MatrizTexto::FijarCelda(int32_t columna, int32_t fila, const char *texto) {
  return CopiarAcotado(Celda(columna, fila), capacidad, texto);
}
