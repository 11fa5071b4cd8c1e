#include "util/cadenas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A heap buffer of exactly the size given, so the sanitizers see any write past it. It is
// filled with a mark to show what an operation left untouched.
class Buffer {
public:
  explicit Buffer(size_t tamano, char relleno = '#')
      : tamano_(tamano), datos_(new char[tamano == 0 ? 1 : tamano]) {
    memset(datos_.get(), relleno, tamano);
  }
  char *p() { return datos_.get(); }
  size_t tamano() const { return tamano_; }
  std::string Todo() const { return std::string(datos_.get(), tamano_); }
  std::string Texto() const { return std::string(datos_.get(), strnlen(datos_.get(), tamano_)); }

private:
  size_t tamano_;
  std::unique_ptr<char[]> datos_;
};

// Resultados' rows as strings.
std::vector<std::string> Filas(Resultados &r) {
  std::vector<std::string> filas;
  for (int32_t i = 1; i <= r.lista->filas; ++i)
    filas.push_back(r.lista->Fila(i));
  return filas;
}

} // namespace

TEST(UtilCadenas, PosicionTexto) {
  struct Caso {
    const char *texto, *buscado;
    int32_t posicion;
  } casos[] = {
      {"abcabc", "ca", 2}, {"abc", "abcd", -1},  {"", "a", -1},     {"a", "", -1},
      {nullptr, "a", -1},  {"abc", nullptr, -1}, {"abc", "abc", 0}, {"aab", "ab", 1},
      {"abc", "c", 2},     {"abc", "cd", -1},    {"ABC", "b", -1},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(std::string(c.texto ? c.texto : "(none)") + " / " +
                 (c.buscado ? c.buscado : "(none)"));
    EXPECT_EQ(PosicionTexto(c.texto, c.buscado), c.posicion);
    EXPECT_EQ(PosicionTexto("ignorado", c.texto, c.buscado), c.posicion);
  }
}

TEST(UtilCadenas, CopiarSiContieneSoloCuandoEstaYCabe) {
  struct Caso {
    const char *texto, *buscado;
    size_t tamano;
    bool copiado;
  } casos[] = {
      {"ventana", "tan", 4, true}, {"ventana", "tan", 3, false}, {"ventana", "x", 8, false},
      {"", "x", 8, false},         {"ventana", "", 8, false},
  };
  for (const Caso &c : casos) {
    Buffer salida(c.tamano);
    std::string antes = salida.Todo();
    EXPECT_EQ(CopiarSiContiene(c.texto, c.buscado, salida.p(), salida.tamano()), c.copiado)
        << c.texto << " / " << c.buscado;
    if (c.copiado)
      EXPECT_EQ(salida.Texto(), c.buscado);
    else
      EXPECT_EQ(salida.Todo(), antes);
  }
}

TEST(UtilCadenas, IzquierdaYDerecha) {
  enum Lado { Izq, Der };
  struct Caso {
    Lado lado;
    const char *texto;
    int32_t n;
    size_t tamano;
    const char *resultado; // none: refused, the buffer untouched
  } casos[] = {
      {Izq, "ventana", 3, 4, "ven"},
      {Izq, "ven", 10, 4, "ven"},
      {Izq, "ventana", 0, 1, ""},
      {Izq, "", 3, 8, nullptr},
      {Izq, "ventana", -1, 8, nullptr},
      {Izq, "ventana", 3, 3, nullptr}, // no room for the terminator
      {Izq, "ven", 10, 4, "ven"},      // n beyond the text needs no room beyond it
      {Der, "ventana", 3, 4, "ana"},
      {Der, "ana", 3, 8, nullptr},
      {Der, "ana", 5, 8, nullptr},
      {Der, "ana", 0, 1, ""},
      {Der, "", 0, 8, nullptr},
      {Der, "ana", -2, 8, nullptr},
      {Der, "ventana", 3, 3, nullptr},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(std::string(c.lado == Izq ? "Izquierda " : "Derecha ") + c.texto + " " +
                 std::to_string(c.n) + " in " + std::to_string(c.tamano));
    Buffer salida(c.tamano);
    std::string antes = salida.Todo();
    char *r = c.lado == Izq ? Izquierda(c.texto, c.n, salida.p(), salida.tamano())
                            : Derecha(c.texto, c.n, salida.p(), salida.tamano());
    if (c.resultado == nullptr) {
      EXPECT_EQ(r, nullptr);
      EXPECT_EQ(salida.Todo(), antes);
    } else {
      EXPECT_EQ(r, salida.p());
      EXPECT_EQ(salida.Texto(), c.resultado);
    }
  }
}

TEST(UtilCadenas, PartesDeUnaRuta) {
  std::string larga = "C:\\" + std::string(300, 'c') + "\\final.tbl";
  struct Caso {
    std::string ruta;
    const char *nombre, *carpeta;
  } casos[] = {
      {"C:\\Obras\\uno.tbl", "uno.tbl", "C:\\Obras"},
      {"C:\\Obras\\", "", "C:\\Obras"},
      {"C:\\", "", "C:"},
      {"\\uno", "uno", ""},
      {"uno.tbl", "uno.tbl", ""}, // no backslash: all name, no folder
      {"", "", ""},
      {larga, "final.tbl", nullptr},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.ruta);
    char nombre[260] = {}, carpeta[400] = {};
    EXPECT_EQ(NombreDeRuta(c.ruta.c_str(), nombre), nombre);
    EXPECT_STREQ(nombre, c.nombre);
    EXPECT_EQ(CarpetaDeRuta(c.ruta.c_str(), carpeta), carpeta);
    EXPECT_EQ(std::string(carpeta), c.carpeta ? c.carpeta : larga.substr(0, larga.rfind('\\')));
  }
  // An output that can't hold the part is left alone.
  Buffer corto(7);
  EXPECT_EQ(NombreDeRuta("C:\\Obras\\uno.tbl", corto.p(), corto.tamano()), nullptr);
  EXPECT_EQ(CarpetaDeRuta("C:\\Obras\\uno.tbl", corto.p(), corto.tamano()), nullptr);
  EXPECT_EQ(corto.Todo(), "#######");
}

TEST(UtilCadenas, ConversionesEnCopiaYEnSitio) {
  enum Forma { Min, May, Inv, Rec };
  struct Caso {
    Forma forma;
    const char *texto, *resultado;
  } casos[] = {
      {May, "a\xF1o", "A\xF1O"}, // only ASCII letters change
      {Min, "VENTANA \xD1 9", "ventana \xD1 9"},
      {May, "nodrax_server.exe", "NODRAX_SERVER.EXE"},
      {Min, "", ""},
      {Inv, "AbC", "cba"},
      {Inv, "a", "a"},
      {Inv, "", ""},
      {Rec, "  Hola Mundo\t", "hola mundo"},
      {Rec, "a", "a"},
      {Rec, "\t X y \t", "x y"},
      {Rec, " a", "a"},
      {Rec, "a ", "a"},
      {Rec, " \n ", "\n"}, // only spaces and tabs are blanks
      {Rec, "   ", ""},    // blanks only: nothing is left
      {Rec, "", ""},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(std::string("forma ") + std::to_string(c.forma) + " of [" + c.texto + "]");
    size_t largo = strlen(c.resultado);
    // Into a zero-filled buffer with just room for the result and its terminator.
    Buffer salida(largo + 1, '\0');
    bool (*copia[])(const char *, char *, size_t) = {
        CopiaMinusculas, CopiaMayusculas, CopiaInvertidaMinusculas, CopiaRecortadaMinusculas};
    EXPECT_TRUE(copia[c.forma](c.texto, salida.p(), salida.tamano()));
    EXPECT_EQ(salida.Texto(), c.resultado);
    // In place, in a buffer of exactly the text.
    Buffer texto(strlen(c.texto) + 1);
    memcpy(texto.p(), c.texto, texto.tamano());
    void (*enSitio[])(char *) = {AMinusculas, AMayusculas, InvertirMinusculas, RecortarMinusculas};
    enSitio[c.forma](texto.p());
    EXPECT_EQ(texto.Texto(), c.resultado);
    // Without room for the terminator the copy is refused.
    if (largo > 0) {
      Buffer justa(largo);
      std::string antes = justa.Todo();
      EXPECT_FALSE(copia[c.forma](c.texto, justa.p(), justa.tamano()));
      EXPECT_EQ(justa.Todo(), antes);
    }
  }
}

TEST(UtilCadenas, CopiaNoEscribeTerminador) {
  char salida[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', '\0'};
  EXPECT_TRUE(CopiaMayusculas("ab", salida));
  EXPECT_STREQ(salida, "ABxxxxx");
  EXPECT_TRUE(CopiaMinusculas("", salida));
  EXPECT_STREQ(salida, "ABxxxxx");
}

TEST(UtilCadenas, Concatenar) {
  struct Caso {
    std::vector<const char *> textos;
    size_t tamano;
    const char *resultado; // none: refused, the buffer cleared
  } casos[] = {
      {{"a", nullptr, "b"}, 3, "ab"},
      {{nullptr, "x", nullptr, "y"}, 8, "xy"},
      {{}, 1, ""},
      {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, 11, "0123456789"},
      {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, 10, nullptr},
      {{"ventana", "s"}, 8, nullptr},
      {{"a"}, 0, nullptr},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.tamano);
    const char *t[10] = {};
    for (size_t i = 0; i < c.textos.size(); ++i)
      t[i] = c.textos[i];
    Buffer destino(c.tamano);
    bool hecho = Concatenar(destino.p(), destino.tamano(), t[0], t[1], t[2], t[3], t[4], t[5], t[6],
                            t[7], t[8], t[9]);
    EXPECT_EQ(hecho, c.resultado != nullptr);
    EXPECT_EQ(destino.Texto(), c.resultado ? c.resultado : "");
    if (c.resultado == nullptr) {
      EXPECT_EQ(destino.Todo(), std::string(c.tamano, '\0'));
    }
  }
}

// A caller may build a text out of itself.
TEST(UtilCadenas, ElDestinoPuedeSerUnoDeLosTextos) {
  char ruta[17] = "C:\\Obras"; // just room for the whole path
  EXPECT_TRUE(Concatenar(ruta, sizeof ruta, ruta, "\\", "uno.tbl"));
  EXPECT_STREQ(ruta, "C:\\Obras\\uno.tbl");
  EXPECT_FALSE(Concatenar(ruta, sizeof ruta, ruta, "x"));
  EXPECT_STREQ(ruta, "");

  char texto[] = "AbC";
  EXPECT_TRUE(CopiaInvertidaMinusculas(texto, texto, sizeof texto));
  EXPECT_STREQ(texto, "cba");
  char camino[] = "C:\\Obras\\uno.tbl";
  EXPECT_STREQ(NombreDeRuta(camino, camino), "uno.tbl");
  char otro[] = "C:\\Obras\\uno.tbl";
  EXPECT_STREQ(CarpetaDeRuta(otro, otro), "C:\\Obras");
  char parte[] = "ventana";
  EXPECT_STREQ(Derecha(parte, 3, parte), "ana");
}

TEST(UtilResultados, CadaResultadoLlenaLaUltimaFila) {
  Resultados r;
  EXPECT_EQ(Filas(r), (std::vector<std::string>{""}));
  EXPECT_EQ(r.lista->capacidad, 100u);
  char *uno = r.AgregarMinusculas("UNO");
  ASSERT_NE(uno, nullptr);
  EXPECT_STREQ(uno, "uno");
  r.AgregarMinusculas("DOS");
  EXPECT_EQ(Filas(r), (std::vector<std::string>{"uno", "dos", ""}));
}

TEST(UtilResultados, SiContieneSinHallarDejaSuFilaVacia) {
  Resultados r;
  EXPECT_EQ(r.AgregarSiContiene("abc", "x"), nullptr);
  EXPECT_EQ(Filas(r), (std::vector<std::string>{"", ""}));
  r.AgregarMinusculas("X");
  EXPECT_EQ(Filas(r), (std::vector<std::string>{"", "x", ""}));
  // Empty texts append nothing.
  EXPECT_EQ(r.AgregarSiContiene("", "x"), nullptr);
  EXPECT_EQ(r.AgregarSiContiene("abc", ""), nullptr);
  EXPECT_EQ(r.lista->filas, 3);
}

TEST(UtilResultados, CadaFormaYSuSalida) {
  std::string cabe(99, 'A'), noCabe(100, 'A');
  struct Caso {
    std::string nombre;
    std::function<char *(Resultados &, char *, size_t)> agregar;
    const char *resultado; // none: nothing appended
  } casos[] = {
      {"invertida",
       [](Resultados &r, char *s, size_t t) { return r.AgregarInvertidaMinusculas("AbC", s, t); },
       "cba"},
      {"si contiene",
       [](Resultados &r, char *s, size_t t) { return r.AgregarSiContiene("ventana", "tan", s, t); },
       "tan"},
      {"izquierda",
       [](Resultados &r, char *s, size_t t) { return r.AgregarIzquierda("ventana", 3, s, t); },
       "ven"},
      {"derecha",
       [](Resultados &r, char *s, size_t t) { return r.AgregarDerecha("ventana", 3, s, t); },
       "ana"},
      {"derecha corta",
       [](Resultados &r, char *s, size_t t) { return r.AgregarDerecha("ana", 3, s, t); }, nullptr},
      {"recortada",
       [](Resultados &r, char *s, size_t t) {
         return r.AgregarRecortadaMinusculas(" Hola\t", s, t);
       },
       "hola"},
      {"mayusculas",
       [](Resultados &r, char *s, size_t t) { return r.AgregarMayusculas("nodrax.exe", s, t); },
       "NODRAX.EXE"},
      {"vacio", [](Resultados &r, char *s, size_t t) { return r.AgregarMinusculas("", s, t); },
       nullptr},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.nombre);
    Resultados r;
    char salida[100] = {};
    char *fila = c.agregar(r, salida, sizeof salida);
    if (c.resultado == nullptr) {
      EXPECT_EQ(fila, nullptr);
      EXPECT_EQ(r.lista->filas, 1);
      EXPECT_STREQ(salida, "");
    } else {
      EXPECT_EQ(fila, r.lista->Fila(1));
      EXPECT_STREQ(fila, c.resultado);
      EXPECT_STREQ(salida, c.resultado);
      EXPECT_EQ(r.lista->filas, 2);
      // The same again with no output buffer.
      EXPECT_STREQ(c.agregar(r, nullptr, 0), c.resultado);
      EXPECT_EQ(r.lista->filas, 3);
    }
  }
  // What doesn't fit a row or the caller's buffer is refused whole.
  Resultados r;
  EXPECT_EQ(r.AgregarMinusculas(noCabe.c_str()), nullptr);
  EXPECT_EQ(r.AgregarIzquierda(noCabe.c_str(), 100), nullptr);
  char corta[3] = {'z', 'z', 'z'};
  EXPECT_EQ(r.AgregarMinusculas("UNO", corta, sizeof corta), nullptr);
  EXPECT_EQ(r.AgregarSiContiene("ventana", "tan", corta, sizeof corta), nullptr);
  EXPECT_EQ(std::string(corta, 3), "zzz");
  EXPECT_EQ(Filas(r), (std::vector<std::string>{""}));
  // 99 characters and the terminator fill a row exactly.
  char *llena = r.AgregarMinusculas(cabe.c_str());
  ASSERT_NE(llena, nullptr);
  EXPECT_EQ(std::string(llena), std::string(99, 'a'));
  char justa[4];
  EXPECT_STREQ(r.AgregarMinusculas("UNO", justa), "uno");
  EXPECT_STREQ(justa, "uno");
}
