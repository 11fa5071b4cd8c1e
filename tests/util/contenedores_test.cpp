#include "util/lista_texto.h"
#include "util/matrices.h"
#include "util/vectores.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <type_traits>

TEST(UtilListaTexto, FilasYCapacidad) {
  struct Caso {
    int32_t filas;
    uint32_t capacidad;
    int32_t filasHechas;
    uint32_t capacidadHecha;
  } casos[] = {
      {2, 0, 2, 300},  {2, 40, 2, 40},
      {0, 0, 0, 300},  {0, 50, 0, 50}, // rows appended later take the capacity given
      {-3, 10, 0, 10},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(std::to_string(c.filas) + " x " + std::to_string(c.capacidad));
    ListaTexto lista(c.filas, c.capacidad);
    EXPECT_EQ(lista.filas, c.filasHechas);
    EXPECT_EQ(lista.capacidad, c.capacidadHecha);
    if (c.filasHechas == 0) {
      EXPECT_EQ(lista.datos, nullptr);
    }
    ASSERT_TRUE(lista.AgregarFila());
    EXPECT_EQ(lista.filas, c.filasHechas + 1);
    char *nueva = lista.Fila(lista.filas);
    ASSERT_NE(nueva, nullptr);
    EXPECT_EQ(std::string(nueva, lista.capacidad), std::string(lista.capacidad, '\0'));
    for (int32_t fuera : {0, -1, lista.filas + 1})
      EXPECT_EQ(lista.Fila(fuera), nullptr) << fuera;
  }
}

TEST(UtilListaTexto, UnTextoQueNoCabeSeRechaza) {
  ListaTexto lista(2, 4);
  EXPECT_TRUE(lista.FijarFila(1, "abc"));
  EXPECT_FALSE(lista.FijarFila(2, "abcd"));
  EXPECT_FALSE(lista.FijarFila(3, "a"));
  EXPECT_FALSE(lista.FijarFila(0, "a"));
  EXPECT_STREQ(lista.Fila(1), "abc");
  EXPECT_EQ(std::string(lista.Fila(2), 4), std::string(4, '\0'));
}

TEST(UtilListaTexto, LaCopiaNoComparteFilas) {
  ListaTexto *origen = new ListaTexto(2, 0);
  origen->FijarFila(1, "uno");
  origen->FijarFila(2, "dos");
  ListaTexto copia(*origen);
  origen->FijarFila(1, "otro");
  delete origen;
  EXPECT_EQ(copia.filas, 2);
  EXPECT_EQ(copia.capacidad, 300u);
  EXPECT_STREQ(copia.Fila(1), "uno");
  EXPECT_STREQ(copia.Fila(2), "dos");
}

TEST(UtilMatrizTexto, DimensionesYCeldas) {
  struct Caso {
    int32_t columnas, filas;
    uint32_t capacidad;
    int32_t columnasHechas, filasHechas;
    uint32_t capacidadHecha;
  } casos[] = {
      {3, 2, 0, 3, 2, 300}, {3, 2, 8, 3, 2, 8},  {0, 2, 8, 0, 0, 8},
      {3, 0, 8, 0, 0, 8},   {-1, 2, 8, 0, 0, 8},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(std::to_string(c.columnas) + " x " + std::to_string(c.filas));
    MatrizTexto m(c.columnas, c.filas, c.capacidad);
    EXPECT_EQ(m.columnas, c.columnasHechas);
    EXPECT_EQ(m.filas, c.filasHechas);
    EXPECT_EQ(m.capacidad, c.capacidadHecha);
    EXPECT_EQ(m.Celda(1, 1) != nullptr, c.filasHechas > 0);
  }
  MatrizTexto m(3, 2, 6);
  // (column, row): the cell is element column - 1 of row row - 1.
  ASSERT_TRUE(m.FijarCelda(3, 2, "marco"));
  EXPECT_STREQ(m.datos[1][2], "marco");
  EXPECT_FALSE(m.FijarCelda(1, 1, "marcos")); // the terminator wouldn't fit
  EXPECT_EQ(std::string(m.Celda(1, 1), 6), std::string(6, '\0'));
  struct Fuera {
    int32_t columna, fila;
  } fuera[] = {{0, 1}, {1, 0}, {4, 1}, {1, 3}, {-1, 1}, {1, -1}};
  for (const Fuera &f : fuera) {
    EXPECT_EQ(m.Celda(f.columna, f.fila), nullptr) << f.columna << "," << f.fila;
    EXPECT_FALSE(m.FijarCelda(f.columna, f.fila, "x"));
  }
  ASSERT_TRUE(m.AgregarFila());
  EXPECT_EQ(m.filas, 3);
  EXPECT_STREQ(m.Celda(3, 3), "");
  EXPECT_TRUE(m.FijarCelda(3, 3, "hoja"));
}

TEST(UtilMatrizTexto, LaCopiaConservaSusTextos) {
  MatrizTexto *origen = new MatrizTexto(2, 2, 20);
  origen->FijarCelda(1, 1, "ventana");
  origen->FijarCelda(2, 2, "puerta");
  MatrizTexto copia(*origen);
  delete origen;
  EXPECT_EQ(copia.capacidad, 20u);
  EXPECT_STREQ(copia.Celda(1, 1), "ventana");
  EXPECT_STREQ(copia.Celda(2, 2), "puerta");
  EXPECT_STREQ(copia.Celda(2, 1), "");
}

namespace {

// One value of each element kind and its text.
template <typename M> struct Muestra;
#define QOR_MUESTRA(Clase, valorDado, textoDado)                                                   \
  template <> struct Muestra<Clase> {                                                              \
    static constexpr auto valor = valorDado;                                                       \
    static constexpr const char *texto = textoDado;                                                \
    static constexpr const char *cero =                                                            \
        std::is_floating_point_v<decltype(valorDado)> ? "0.000000" : "0";                          \
  }
QOR_MUESTRA(MatrizDouble, 2.5, "2.500000");
QOR_MUESTRA(MatrizFloat, -0.25f, "-0.250000");
QOR_MUESTRA(MatrizInt, std::numeric_limits<int32_t>::min(), "-2147483648");
QOR_MUESTRA(MatrizShort, static_cast<int16_t>(-7), "-7");
QOR_MUESTRA(MatrizEntero, 2147483647, "2147483647");
QOR_MUESTRA(MatrizLong, -42, "-42");
QOR_MUESTRA(VectorDouble, 2.5, "2.500000");
QOR_MUESTRA(VectorFloat, -0.25f, "-0.250000");
QOR_MUESTRA(VectorInt, std::numeric_limits<int32_t>::min(), "-2147483648");
QOR_MUESTRA(VectorShort, static_cast<int16_t>(-7), "-7");
QOR_MUESTRA(VectorEntero, 2147483647, "2147483647");
QOR_MUESTRA(VectorLong, -42, "-42");
#undef QOR_MUESTRA

} // namespace

template <typename M> class UtilMatrizNumerica : public ::testing::Test {};
using Matrices =
    ::testing::Types<MatrizDouble, MatrizFloat, MatrizInt, MatrizShort, MatrizEntero, MatrizLong>;
TYPED_TEST_SUITE(UtilMatrizNumerica, Matrices);

TYPED_TEST(UtilMatrizNumerica, GuardaYFormateaCadaCelda) {
  TypeParam m(3, 2);
  ASSERT_EQ(m.columnas, 3);
  ASSERT_EQ(m.filas, 2);
  EXPECT_STREQ(m.ATexto(3, 2), Muestra<TypeParam>::cero);
  m.datos[1][2] = Muestra<TypeParam>::valor;
  EXPECT_EQ(*m.Elemento(3, 2), Muestra<TypeParam>::valor);
  char *texto = m.ATexto(3, 2);
  EXPECT_EQ(texto, m.texto);
  EXPECT_STREQ(texto, Muestra<TypeParam>::texto);
  struct Fuera {
    int32_t columna, fila;
  } fuera[] = {{0, 1}, {1, 0}, {4, 1}, {1, 3}, {-1, 1}};
  for (const Fuera &f : fuera) {
    EXPECT_EQ(m.ATexto(f.columna, f.fila), nullptr) << f.columna << "," << f.fila;
    EXPECT_EQ(m.Elemento(f.columna, f.fila), nullptr);
  }
  ASSERT_TRUE(m.AgregarFila());
  EXPECT_EQ(m.filas, 3);
  EXPECT_EQ(*m.Elemento(3, 3), 0);
  // The copy holds its own elements.
  TypeParam copia(m);
  m.datos[1][2] = 0;
  EXPECT_STREQ(copia.ATexto(3, 2), Muestra<TypeParam>::texto);
  EXPECT_EQ(copia.filas, 3);
}

TYPED_TEST(UtilMatrizNumerica, VaciaSinColumnasOFilas) {
  for (auto [columnas, filas] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{0, 0}}) {
    TypeParam m(columnas, filas);
    EXPECT_EQ(m.columnas, 0);
    EXPECT_EQ(m.filas, 0);
    EXPECT_EQ(m.datos, nullptr);
    EXPECT_EQ(m.ATexto(0, 1), nullptr);
    EXPECT_EQ(m.ATexto(1, 1), nullptr);
    TypeParam copia(m);
    EXPECT_EQ(copia.filas, 0);
  }
}

template <typename V> class UtilVectorNumerico : public ::testing::Test {};
using Vectores =
    ::testing::Types<VectorDouble, VectorFloat, VectorInt, VectorShort, VectorEntero, VectorLong>;
TYPED_TEST_SUITE(UtilVectorNumerico, Vectores);

TYPED_TEST(UtilVectorNumerico, CreceYFormateaCadaElemento) {
  TypeParam vacio;
  EXPECT_EQ(vacio.cantidad, 0);
  EXPECT_EQ(vacio.datos, nullptr);
  EXPECT_EQ(vacio.ATexto(1), nullptr);
  TypeParam v(2);
  ASSERT_EQ(v.cantidad, 2);
  EXPECT_EQ(v.datos[1], 0);
  ASSERT_TRUE(v.AgregarElemento());
  ASSERT_EQ(v.cantidad, 3);
  v.datos[2] = Muestra<TypeParam>::valor;
  EXPECT_STREQ(v.ATexto(3), Muestra<TypeParam>::texto);
  EXPECT_EQ(v.ATexto(3), v.texto);
  for (int32_t fuera : {0, -1, 4})
    EXPECT_EQ(v.ATexto(fuera), nullptr) << fuera;
  TypeParam copia(v);
  v.datos[2] = 0;
  EXPECT_EQ(copia.cantidad, 3);
  EXPECT_STREQ(copia.ATexto(3), Muestra<TypeParam>::texto);
  // Grown from nothing, one element at a time.
  for (int i = 0; i < 5; ++i)
    ASSERT_TRUE(vacio.AgregarElemento());
  EXPECT_EQ(vacio.cantidad, 5);
  EXPECT_EQ(*vacio.Elemento(5), 0);
}

TEST(UtilNumeroATexto, CadaClaseEsSuPropioTipo) {
  static_assert(!std::is_same_v<VectorInt, VectorLong>);
  static_assert(!std::is_same_v<MatrizInt, MatrizEntero>);
  static_assert(sizeof(MatrizShort::datos[0][0]) == 2);
  static_assert(sizeof(VectorFloat::datos[0]) == 4);
}

// "%f" of a large double runs past the 150-character text field; such a value is refused,
// not written beyond it.
TEST(UtilNumeroATexto, UnNumeroQueNoCabeEnElTextoSeRechaza) {
  struct Caso {
    double valor;
    size_t largo; // 0: refused
  } casos[] = {
      {1e141, 149}, // 142 digits and ".000000": fills the field exactly
      {-1e141, 0},
      {1e142, 0},
      {std::numeric_limits<double>::max(), 0},
      {-std::numeric_limits<double>::max(), 0},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.valor);
    MatrizDouble m(1, 1);
    VectorDouble v(1);
    m.datos[0][0] = c.valor;
    v.datos[0] = c.valor;
    for (char *texto : {m.ATexto(1, 1), v.ATexto(1)}) {
      if (c.largo == 0) {
        EXPECT_EQ(texto, nullptr);
      } else {
        ASSERT_NE(texto, nullptr);
        EXPECT_EQ(strlen(texto), c.largo);
      }
    }
    if (c.largo == 0) {
      EXPECT_STREQ(m.texto, "");
      EXPECT_STREQ(v.texto, "");
    }
  }
}
