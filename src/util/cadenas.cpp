#include "util/cadenas.h"

#include <cstring>
#include <string>

namespace {

size_t Largo(const char *texto) {
  return texto != nullptr ? strlen(texto) : 0;
}

// Only the ASCII letters change, whatever locale the process may have set.
char Minuscula(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char Mayuscula(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EsBlanco(char c) {
  return c == ' ' || c == '\t';
}

// The part of texto left after trimming: where it starts and how long it is.
void Recorte(const char *texto, size_t largo, size_t &inicio, size_t &resto) {
  size_t i = 0;
  while (i < largo && EsBlanco(texto[i]))
    ++i;
  if (i == largo) {
    inicio = 0;
    resto = 0;
    return;
  }
  size_t fin = largo - 1;
  while (fin > i && EsBlanco(texto[fin]))
    --fin;
  inicio = i;
  resto = fin - i + 1;
}

// Whether a result of largo characters, written without a terminator, leaves room for one.
bool CabeSinTerminador(size_t largo, char *salida, size_t tamano) {
  return largo == 0 || (salida != nullptr && largo < tamano);
}

// Copies largo characters of texto and a terminator into salida, when they fit. salida may
// be the text itself.
char *CopiarParte(const char *texto, size_t largo, char *salida, size_t tamano) {
  if (salida == nullptr || largo >= tamano)
    return nullptr;
  memmove(salida, texto, largo);
  salida[largo] = '\0';
  return salida;
}

} // namespace

int32_t PosicionTexto(const char *texto, const char *buscado) {
  if (Largo(texto) == 0 || Largo(buscado) == 0)
    return -1;
  const char *hallado = strstr(texto, buscado);
  return hallado != nullptr ? static_cast<int32_t>(hallado - texto) : -1;
}

int32_t PosicionTexto(const void *, const char *texto, const char *buscado) {
  return PosicionTexto(texto, buscado);
}

bool CopiarSiContiene(const char *texto, const char *buscado, char *salida, size_t tamano) {
  if (PosicionTexto(texto, buscado) < 0)
    return false;
  return CopiarParte(buscado, strlen(buscado), salida, tamano) != nullptr;
}

char *Izquierda(const char *texto, int32_t n, char *salida, size_t tamano) {
  size_t largo = Largo(texto);
  if (largo == 0 || n < 0)
    return nullptr;
  size_t parte = static_cast<size_t>(n) < largo ? static_cast<size_t>(n) : largo;
  return CopiarParte(texto, parte, salida, tamano);
}

char *Derecha(const char *texto, int32_t n, char *salida, size_t tamano) {
  size_t largo = Largo(texto);
  if (n < 0 || largo <= static_cast<size_t>(n))
    return nullptr;
  return CopiarParte(texto + largo - static_cast<size_t>(n), static_cast<size_t>(n), salida,
                     tamano);
}

char *NombreDeRuta(const char *ruta, char *salida, size_t tamano) {
  if (Largo(ruta) == 0)
    return CopiarParte("", 0, salida, tamano);
  const char *barra = strrchr(ruta, '\\');
  const char *nombre = barra != nullptr ? barra + 1 : ruta;
  return CopiarParte(nombre, strlen(nombre), salida, tamano);
}

char *CarpetaDeRuta(const char *ruta, char *salida, size_t tamano) {
  if (Largo(ruta) == 0)
    return CopiarParte("", 0, salida, tamano);
  const char *barra = strrchr(ruta, '\\');
  size_t largo = barra != nullptr ? static_cast<size_t>(barra - ruta) : 0;
  return CopiarParte(ruta, largo, salida, tamano);
}

bool CopiaMinusculas(const char *texto, char *salida, size_t tamano) {
  size_t largo = Largo(texto);
  if (!CabeSinTerminador(largo, salida, tamano))
    return false;
  for (size_t i = 0; i < largo; ++i)
    salida[i] = Minuscula(texto[i]);
  return true;
}

bool CopiaMayusculas(const char *texto, char *salida, size_t tamano) {
  size_t largo = Largo(texto);
  if (!CabeSinTerminador(largo, salida, tamano))
    return false;
  for (size_t i = 0; i < largo; ++i)
    salida[i] = Mayuscula(texto[i]);
  return true;
}

bool CopiaInvertidaMinusculas(const char *texto, char *salida, size_t tamano) {
  size_t largo = Largo(texto);
  if (!CabeSinTerminador(largo, salida, tamano))
    return false;
  if (salida == texto) {
    InvertirMinusculas(salida);
    return true;
  }
  for (size_t i = 0; i < largo; ++i)
    salida[i] = Minuscula(texto[largo - 1 - i]);
  return true;
}

bool CopiaRecortadaMinusculas(const char *texto, char *salida, size_t tamano) {
  size_t inicio, resto;
  Recorte(texto, Largo(texto), inicio, resto);
  if (!CabeSinTerminador(resto, salida, tamano))
    return false;
  for (size_t i = 0; i < resto; ++i)
    salida[i] = Minuscula(texto[inicio + i]);
  return true;
}

void AMinusculas(char *texto) {
  for (size_t i = 0, largo = Largo(texto); i < largo; ++i)
    texto[i] = Minuscula(texto[i]);
}

void AMayusculas(char *texto) {
  for (size_t i = 0, largo = Largo(texto); i < largo; ++i)
    texto[i] = Mayuscula(texto[i]);
}

void InvertirMinusculas(char *texto) {
  size_t largo = Largo(texto);
  for (size_t i = 0; i < largo / 2; ++i) {
    char c = texto[i];
    texto[i] = texto[largo - 1 - i];
    texto[largo - 1 - i] = c;
  }
  AMinusculas(texto);
}

void RecortarMinusculas(char *texto) {
  size_t largo = Largo(texto);
  if (largo == 0)
    return;
  size_t inicio, resto;
  Recorte(texto, largo, inicio, resto);
  memmove(texto, texto + inicio, resto);
  texto[resto] = '\0';
  AMinusculas(texto);
}

bool Concatenar(char *destino, size_t tamano, const char *texto1, const char *texto2,
                const char *texto3, const char *texto4, const char *texto5, const char *texto6,
                const char *texto7, const char *texto8, const char *texto9, const char *texto10) {
  if (destino == nullptr)
    return false;
  const char *textos[] = {texto1, texto2, texto3, texto4, texto5,
                          texto6, texto7, texto8, texto9, texto10};
  // Built apart first, so that destino may also be one of the texts: Concatenar(ruta,
  // sizeof ruta, ruta, "\\", nombre) keeps the folder.
  std::string resultado;
  for (const char *texto : textos)
    if (texto != nullptr)
      resultado += texto;
  memset(destino, 0, tamano);
  if (resultado.size() >= tamano)
    return false;
  memcpy(destino, resultado.data(), resultado.size());
  return true;
}

Resultados::Resultados() : lista(new ListaTexto(1, LargoFila)) {}

Resultados::~Resultados() {
  delete lista;
}

char *Resultados::NuevaFila() {
  // A list whose first row couldn't be allocated gets its empty last row back first.
  if (lista->filas == 0 && !lista->AgregarFila())
    return nullptr;
  int32_t k = lista->filas;
  if (!lista->AgregarFila())
    return nullptr;
  return lista->Fila(k);
}

char *Resultados::Agregar(const char *resultado, char *salida, size_t tamano) {
  size_t largo = strlen(resultado);
  if (largo >= lista->capacidad || (salida != nullptr && largo >= tamano))
    return nullptr;
  char *fila = NuevaFila();
  if (fila == nullptr)
    return nullptr;
  memcpy(fila, resultado, largo + 1);
  if (salida != nullptr)
    memcpy(salida, fila, largo + 1);
  return fila;
}

char *Resultados::AgregarInvertidaMinusculas(const char *texto, char *salida, size_t tamano) {
  char resultado[LargoFila] = {};
  if (Largo(texto) == 0 || !CopiaInvertidaMinusculas(texto, resultado))
    return nullptr;
  return Agregar(resultado, salida, tamano);
}

char *Resultados::AgregarSiContiene(const char *texto, const char *buscado, char *salida,
                                    size_t tamano) {
  size_t largo = Largo(buscado);
  if (Largo(texto) == 0 || largo == 0)
    return nullptr;
  if (largo >= lista->capacidad || (salida != nullptr && largo >= tamano))
    return nullptr;
  char *fila = NuevaFila();
  if (fila == nullptr || PosicionTexto(texto, buscado) < 0)
    return nullptr;
  memcpy(fila, buscado, largo + 1);
  if (salida != nullptr)
    memcpy(salida, fila, largo + 1);
  return fila;
}

char *Resultados::AgregarIzquierda(const char *texto, int32_t n, char *salida, size_t tamano) {
  char resultado[LargoFila] = {};
  if (Izquierda(texto, n, resultado) == nullptr)
    return nullptr;
  return Agregar(resultado, salida, tamano);
}

char *Resultados::AgregarDerecha(const char *texto, int32_t n, char *salida, size_t tamano) {
  char resultado[LargoFila] = {};
  if (Derecha(texto, n, resultado) == nullptr)
    return nullptr;
  return Agregar(resultado, salida, tamano);
}

char *Resultados::AgregarRecortadaMinusculas(const char *texto, char *salida, size_t tamano) {
  char resultado[LargoFila] = {};
  if (Largo(texto) == 0 || !CopiaRecortadaMinusculas(texto, resultado))
    return nullptr;
  return Agregar(resultado, salida, tamano);
}

char *Resultados::AgregarMinusculas(const char *texto, char *salida, size_t tamano) {
  char resultado[LargoFila] = {};
  if (Largo(texto) == 0 || !CopiaMinusculas(texto, resultado))
    return nullptr;
  return Agregar(resultado, salida, tamano);
}

char *Resultados::AgregarMayusculas(const char *texto, char *salida, size_t tamano) {
  char resultado[LargoFila] = {};
  if (Largo(texto) == 0 || !CopiaMayusculas(texto, resultado))
    return nullptr;
  return Agregar(resultado, salida, tamano);
}

char *Resultados::AgregarInvertidaMinusculas(const char *texto) {
  return AgregarInvertidaMinusculas(texto, nullptr, 0);
}
char *Resultados::AgregarSiContiene(const char *texto, const char *buscado) {
  return AgregarSiContiene(texto, buscado, nullptr, 0);
}
char *Resultados::AgregarIzquierda(const char *texto, int32_t n) {
  return AgregarIzquierda(texto, n, nullptr, 0);
}
char *Resultados::AgregarDerecha(const char *texto, int32_t n) {
  return AgregarDerecha(texto, n, nullptr, 0);
}
char *Resultados::AgregarRecortadaMinusculas(const char *texto) {
  return AgregarRecortadaMinusculas(texto, nullptr, 0);
}
char *Resultados::AgregarMinusculas(const char *texto) {
  return AgregarMinusculas(texto, nullptr, 0);
}
char *Resultados::AgregarMayusculas(const char *texto) {
  return AgregarMayusculas(texto, nullptr, 0);
}
