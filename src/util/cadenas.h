#ifndef QOR_UTIL_CADENAS_H
#define QOR_UTIL_CADENAS_H

#include "util/lista_texto.h"

#include <cstddef>
#include <cstdint>

// Operations on NUL-terminated ANSI texts. A text given as none counts as empty. Every
// operation that writes a caller's buffer takes its size (or the array itself) and refuses a
// result that doesn't fit with its terminator: the buffer is then left as it was and the
// result is false or none. Only A-Z and a-z change case; every other byte is kept.

// 0-based position of the first occurrence of buscado in texto; -1 when either is empty or
// there is none.
int32_t PosicionTexto(const char *texto, const char *buscado);
// The same; the first argument is ignored.
int32_t PosicionTexto(const void *ignorado, const char *texto, const char *buscado);

// When texto contains buscado, copies buscado into salida and gives true.
bool CopiarSiContiene(const char *texto, const char *buscado, char *salida, size_t tamano);
// The first n characters of texto (all of it when n is not below its length) into salida;
// none, salida untouched, for an empty texto or a negative n.
char *Izquierda(const char *texto, int32_t n, char *salida, size_t tamano);
// The last n characters of texto into salida when texto is longer than n; otherwise none.
char *Derecha(const char *texto, int32_t n, char *salida, size_t tamano);
// The characters after the last backslash (empty when the path ends with one; the whole
// text when it has none).
char *NombreDeRuta(const char *ruta, char *salida, size_t tamano);
// The characters before the last backslash (empty when there is none).
char *CarpetaDeRuta(const char *ruta, char *salida, size_t tamano);

// The Copia... forms write the characters of their result and no terminator: the caller
// passes a zero-filled buffer, which must have room for the result and one more byte. An
// empty result writes nothing. A blank is a space or a tab.
bool CopiaMinusculas(const char *texto, char *salida, size_t tamano);
bool CopiaMayusculas(const char *texto, char *salida, size_t tamano);
// Lower case, last character first.
bool CopiaInvertidaMinusculas(const char *texto, char *salida, size_t tamano);
// Lower case without leading and trailing blanks; a text of blanks only gives nothing.
bool CopiaRecortadaMinusculas(const char *texto, char *salida, size_t tamano);

// In place: the text is replaced by its converted form.
void AMinusculas(char *texto);
void AMayusculas(char *texto);
void InvertirMinusculas(char *texto);
void RecortarMinusculas(char *texto);

// Clears the first tamano bytes of destino and writes texto1 to texto10 one after the other
// (none skipped). When the whole result and its terminator don't fit, destino stays cleared
// and the result is false.
bool Concatenar(char *destino, size_t tamano, const char *texto1 = nullptr,
                const char *texto2 = nullptr, const char *texto3 = nullptr,
                const char *texto4 = nullptr, const char *texto5 = nullptr,
                const char *texto6 = nullptr, const char *texto7 = nullptr,
                const char *texto8 = nullptr, const char *texto9 = nullptr,
                const char *texto10 = nullptr);

template <size_t N>
bool CopiarSiContiene(const char *texto, const char *buscado, char (&salida)[N]) {
  return CopiarSiContiene(texto, buscado, salida, N);
}
template <size_t N> char *Izquierda(const char *texto, int32_t n, char (&salida)[N]) {
  return Izquierda(texto, n, salida, N);
}
template <size_t N> char *Derecha(const char *texto, int32_t n, char (&salida)[N]) {
  return Derecha(texto, n, salida, N);
}
template <size_t N> char *NombreDeRuta(const char *ruta, char (&salida)[N]) {
  return NombreDeRuta(ruta, salida, N);
}
template <size_t N> char *CarpetaDeRuta(const char *ruta, char (&salida)[N]) {
  return CarpetaDeRuta(ruta, salida, N);
}
template <size_t N> bool CopiaMinusculas(const char *texto, char (&salida)[N]) {
  return CopiaMinusculas(texto, salida, N);
}
template <size_t N> bool CopiaMayusculas(const char *texto, char (&salida)[N]) {
  return CopiaMayusculas(texto, salida, N);
}
template <size_t N> bool CopiaInvertidaMinusculas(const char *texto, char (&salida)[N]) {
  return CopiaInvertidaMinusculas(texto, salida, N);
}
template <size_t N> bool CopiaRecortadaMinusculas(const char *texto, char (&salida)[N]) {
  return CopiaRecortadaMinusculas(texto, salida, N);
}

// Collects conversion results as rows of 100 characters of its own ListaTexto. The last
// row is always empty and is the one the next result fills. Each Agregar... gives the
// filled row (and copies it into salida when one is given), or none when there is no result;
// a result that doesn't fit a row or salida is refused and appends nothing.
class Resultados {
public:
  static constexpr uint32_t LargoFila = 100;

  Resultados();
  ~Resultados();
  Resultados(const Resultados &) = delete;
  Resultados &operator=(const Resultados &) = delete;

  char *AgregarInvertidaMinusculas(const char *texto);
  char *AgregarInvertidaMinusculas(const char *texto, char *salida, size_t tamano);
  template <size_t N> char *AgregarInvertidaMinusculas(const char *texto, char (&salida)[N]) {
    return AgregarInvertidaMinusculas(texto, salida, N);
  }
  // Appends its row before searching: when buscado isn't found the row stays empty and the
  // result is none, so each call keeps its own row.
  char *AgregarSiContiene(const char *texto, const char *buscado);
  char *AgregarSiContiene(const char *texto, const char *buscado, char *salida, size_t tamano);
  template <size_t N>
  char *AgregarSiContiene(const char *texto, const char *buscado, char (&salida)[N]) {
    return AgregarSiContiene(texto, buscado, salida, N);
  }
  char *AgregarIzquierda(const char *texto, int32_t n);
  char *AgregarIzquierda(const char *texto, int32_t n, char *salida, size_t tamano);
  template <size_t N> char *AgregarIzquierda(const char *texto, int32_t n, char (&salida)[N]) {
    return AgregarIzquierda(texto, n, salida, N);
  }
  char *AgregarDerecha(const char *texto, int32_t n);
  char *AgregarDerecha(const char *texto, int32_t n, char *salida, size_t tamano);
  template <size_t N> char *AgregarDerecha(const char *texto, int32_t n, char (&salida)[N]) {
    return AgregarDerecha(texto, n, salida, N);
  }
  char *AgregarRecortadaMinusculas(const char *texto);
  char *AgregarRecortadaMinusculas(const char *texto, char *salida, size_t tamano);
  template <size_t N> char *AgregarRecortadaMinusculas(const char *texto, char (&salida)[N]) {
    return AgregarRecortadaMinusculas(texto, salida, N);
  }
  char *AgregarMinusculas(const char *texto);
  char *AgregarMinusculas(const char *texto, char *salida, size_t tamano);
  template <size_t N> char *AgregarMinusculas(const char *texto, char (&salida)[N]) {
    return AgregarMinusculas(texto, salida, N);
  }
  char *AgregarMayusculas(const char *texto);
  char *AgregarMayusculas(const char *texto, char *salida, size_t tamano);
  template <size_t N> char *AgregarMayusculas(const char *texto, char (&salida)[N]) {
    return AgregarMayusculas(texto, salida, N);
  }

  ListaTexto *lista; // owned

private:
  // Appends a row and gives the one before it: the empty last row, which the result fills.
  char *NuevaFila();
  // Checks that resultado fits a row and salida, then fills the row and copies it to salida.
  char *Agregar(const char *resultado, char *salida, size_t tamano);
};

#endif
