#include "instalacion_temporal.h"
#include "soporte_sistema.h"
#include "system/lista_nombres.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

class ListaPrueba : public UnidadTemporal {};

const std::string kCarpeta = "C:\\qor_pruebas";

std::vector<std::string> Nombres(ListaNombres &l) {
  std::vector<std::string> nombres;
  for (std::int32_t i = 1; i <= l.Cantidad(); ++i)
    nombres.push_back(l.Item(i)->nombre);
  std::sort(nombres.begin(), nombres.end());
  return nombres;
}

// Gives a folder further attributes besides the folder one.
void Marcar(const std::string &carpeta) {
#ifdef _WIN32
  SetFileAttributesA(carpeta.c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
#else
  FijarSoloLectura(carpeta, true);
#endif
}

void Ocultar(const std::string &archivo) {
#ifdef _WIN32
  SetFileAttributesA(archivo.c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
  (void)archivo;
#endif
}

TEST_F(ListaPrueba, ListaSoloLosArchivosDeLaCarpeta) {
  std::string bk = kCarpeta + "\\BK";
  EscribirArchivo(bk + "\\a.smbk", "a");
  EscribirArchivo(bk + "\\.hidden", "h");
  EscribirArchivo(bk + "\\oculto.smbk", "o");
  Ocultar(bk + "\\oculto.smbk");
  EscribirArchivo(bk + "\\protegido.smbk", "p");
  FijarSoloLectura(bk + "\\protegido.smbk", true);
  EscribirArchivo(bk + "\\old\\dentro.smbk", "d");
  Marcar(bk + "\\old");

  ListaNombres lista(bk.c_str());
  EXPECT_EQ(Nombres(lista), (std::vector<std::string>{"a.smbk", "oculto.smbk", "protegido.smbk"}));
  for (std::int32_t i = 1; i <= lista.Cantidad(); ++i) {
    ItemNombre *item = lista.Item(i);
    EXPECT_EQ(item->indice, i);
    EXPECT_EQ(std::string(item->ruta), bk + "\\" + item->nombre);
  }
}

TEST_F(ListaPrueba, CarpetaVaciaOAusente) {
  CrearCarpetas(kCarpeta + "\\vacia");
  struct Caso {
    std::string carpeta;
    bool enumerable;
  } casos[] = {{kCarpeta + "\\vacia", true}, {kCarpeta + "\\no_hay", false}};
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.carpeta);
    ListaNombres lista;
    EXPECT_EQ(ListarArchivos(c.carpeta.c_str(), &lista), c.enumerable);
    EXPECT_EQ(lista.Cantidad(), 0);
    EXPECT_EQ(lista.Item(1), nullptr);
  }
}

TEST_F(ListaPrueba, UnaEntradaQueNoCabeSeSaltaEntera) {
  // 215 characters of folder: "corto.txt" fits the 254 characters of a path field, the
  // long name (258 characters of path, still a valid Windows path) does not.
  std::string carpeta = kCarpeta + "\\" + std::string(200, 'd');
  std::string largo = std::string(38, 'n') + ".txt";
  EscribirArchivo(carpeta + "\\corto.txt", "c");
  EscribirArchivo(carpeta + "\\" + largo, "l");
  ListaNombres lista(carpeta.c_str());
  EXPECT_EQ(Nombres(lista), std::vector<std::string>{"corto.txt"});
}

TEST_F(ListaPrueba, ItemAgregarYCursor) {
  ListaNombres lista;
  EXPECT_EQ(lista.Item(1), nullptr);
  lista.Siguiente(); // nothing appended yet: must not fail
  lista.FijarRuta("nada");
  for (int i = 1; i <= 6; ++i) {
    char n[8], ruta[16];
    std::snprintf(n, sizeof n, "n%d", i);
    std::snprintf(ruta, sizeof ruta, "C:\\x\\%s", n);
    ItemNombre *nuevo = lista.Agregar(ruta, n);
    ASSERT_NE(nuevo, nullptr);
    EXPECT_EQ(lista.Item(i), nuevo);
  }
  struct Caso {
    std::int32_t indice;
    const char *nombre; // nullptr: none
  } casos[] = {{7, nullptr}, {6, "n6"},    {5, "n5"},     {3, "n3"}, {1, "n1"},
               {4, "n4"},    {0, nullptr}, {-1, nullptr}, {2, "n2"}};
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.indice);
    ItemNombre *item = lista.Item(c.indice);
    if (!c.nombre) {
      EXPECT_EQ(item, nullptr);
      continue;
    }
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(item->nombre, c.nombre);
    EXPECT_EQ(item->indice, c.indice);
  }
  lista.Primero();
  lista.Siguiente();
  lista.FijarRuta("C:\\otra\\n2");
  EXPECT_STREQ(lista.Item(2)->ruta, "C:\\otra\\n2");
}

TEST_F(ListaPrueba, UnTextoQueNoCabeSeRechaza) {
  ListaNombres lista;
  std::string cabe(254, 'c');
  std::string sobra(255, 's');
  EXPECT_EQ(lista.Agregar(sobra.c_str(), "n"), nullptr);
  EXPECT_EQ(lista.Agregar("C:\\r", sobra.c_str()), nullptr);
  EXPECT_EQ(lista.Cantidad(), 0);
  ItemNombre *item = lista.Agregar(cabe.c_str(), cabe.c_str());
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(std::string(item->ruta), cabe);
  EXPECT_EQ(lista.Cantidad(), 1);
  lista.Primero();
  lista.FijarRuta(sobra.c_str()); // refused: the path stays as it was
  EXPECT_EQ(std::string(item->ruta), cabe);
}

TEST_F(ListaPrueba, UnaListaGrandeSeRecorreYSeLibera) {
  ListaNombres lista;
  for (int i = 1; i <= 20000; ++i)
    lista.Agregar("C:\\x\\y", "y");
  int vistos = 0;
  for (std::int32_t i = 1; i <= lista.Cantidad(); ++i)
    vistos += lista.Item(i)->indice == i;
  EXPECT_EQ(vistos, 20000);
}

TEST_F(ListaPrueba, CarpetasPorNiveles) {
  std::string top = kCarpeta + "\\Top";
  CrearCarpetas(top + "\\A\\A1");
  CrearCarpetas(top + "\\B");
  CrearCarpetas(top + "\\.oculta\\debajo");
  EscribirArchivo(top + "\\archivo.txt", "x");
  EscribirArchivo(top + "\\A\\archivo.txt", "x");

  ListaCarpetas lista(top.c_str());
  ASSERT_EQ(lista.Cantidad(), 4);
  EXPECT_STREQ(lista.Item(1)->nombre, "Top");
  EXPECT_EQ(std::string(lista.Item(1)->ruta), top);
  // The second level comes in the file system's order, before the third.
  std::set<std::string> segundo = {lista.Item(2)->ruta, lista.Item(3)->ruta};
  EXPECT_EQ(segundo, (std::set<std::string>{top + "\\A", top + "\\B"}));
  EXPECT_EQ(std::string(lista.Item(4)->ruta), top + "\\A\\A1");
  EXPECT_STREQ(lista.Item(4)->nombre, "A1");
}

TEST_F(ListaPrueba, CarpetasDeUnaRutaAusenteOSinBarra) {
  struct Caso {
    std::string ruta;
    std::string nombre;
  } casos[] = {{kCarpeta + "\\no_hay", "no_hay"}, {"suelta", "suelta"}};
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.ruta);
    ListaCarpetas lista(c.ruta.c_str());
    ASSERT_EQ(lista.Cantidad(), 1);
    EXPECT_EQ(std::string(lista.Item(1)->ruta), c.ruta);
    EXPECT_EQ(std::string(lista.Item(1)->nombre), c.nombre);
  }
}

} // namespace
