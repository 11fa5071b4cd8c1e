#include "util/lista_texto.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

bool CopiarAcotado(char *destino, size_t tamano, const char *texto) {
  if (destino == nullptr || texto == nullptr)
    return false;
  size_t largo = strnlen(texto, tamano);
  if (largo >= tamano)
    return false;
  memcpy(destino, texto, largo + 1);
  return true;
}

ListaTexto::ListaTexto(int32_t n, uint32_t c)
    : filas(0), capacidad(c != 0 ? c : CapacidadPorOmision), datos(nullptr) {
  if (n <= 0)
    return;
  datos = static_cast<char **>(calloc(static_cast<size_t>(n), sizeof(char *)));
  if (datos == nullptr)
    return;
  for (; filas < n; ++filas) {
    datos[filas] = static_cast<char *>(calloc(capacidad, 1));
    if (datos[filas] == nullptr) {
      Liberar();
      return;
    }
  }
}

ListaTexto::ListaTexto(const ListaTexto &otra) : ListaTexto(otra.filas, otra.capacidad) {
  if (filas != otra.filas) {
    Liberar();
    return;
  }
  for (int32_t i = 0; i < filas; ++i)
    memcpy(datos[i], otra.datos[i], capacidad);
}

ListaTexto::~ListaTexto() {
  Liberar();
}

void ListaTexto::Liberar() {
  for (int32_t i = 0; i < filas; ++i)
    free(datos[i]);
  free(datos);
  datos = nullptr;
  filas = 0;
}

bool ListaTexto::AgregarFila() {
  if (filas == INT32_MAX || static_cast<size_t>(filas) + 1 > SIZE_MAX / sizeof(char *))
    return false;
  char *fila = static_cast<char *>(calloc(capacidad, 1));
  if (fila == nullptr)
    return false;
  void *nuevas = realloc(datos, (static_cast<size_t>(filas) + 1) * sizeof(char *));
  if (nuevas == nullptr) {
    free(fila);
    return false;
  }
  datos = static_cast<char **>(nuevas);
  datos[filas++] = fila;
  return true;
}

char *ListaTexto::Fila(int32_t i) {
  return i >= 1 && i <= filas ? datos[i - 1] : nullptr;
}

bool ListaTexto::FijarFila(int32_t i, const char *texto) {
  return CopiarAcotado(Fila(i), capacidad, texto);
}
