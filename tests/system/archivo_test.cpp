#include "casos_lineas.h"
#include "instalacion_temporal.h"
#include "soporte_sistema.h"
#include "system/archivo.h"
#include "system/pc.h"

#include <cstring>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

class ArchivoPrueba : public UnidadTemporal {};

const std::string kCarpeta = "C:\\qor_pruebas";
const std::string kMil = [] {
  std::string s(1000, '\0');
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<char>('A' + i % 26);
  return s;
}();

TEST_F(ArchivoPrueba, AbrirCreaSoloDondePuedeYNuncaTrunca) {
  EscribirArchivo(kCarpeta + "\\mil.bin", kMil);
  EscribirArchivo(kCarpeta + "\\protegido.bin", "intacto");
  FijarSoloLectura(kCarpeta + "\\protegido.bin", true);
  CrearCarpetas(kCarpeta + "\\carpeta");
  struct Caso {
    std::string ruta;
    bool abre;
    bool existeDespues;
  } casos[] = {
      {kCarpeta + "\\nuevo.bin", true, true},           {kCarpeta + "\\mil.bin", true, true},
      {kCarpeta + "\\no_hay\\nuevo.bin", false, false}, {kCarpeta + "\\carpeta", false, true},
      {kCarpeta + "\\protegido.bin", false, true},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.ruta);
    Archivo a(c.ruta.c_str());
    EXPECT_EQ(a.EstaAbierto(), c.abre);
    EXPECT_EQ(Existe(c.ruta), c.existeDespues);
    if (!c.abre) {
      char destino[4] = {'x', 'x', 'x', 'x'};
      EXPECT_EQ(a.Tamano(), 4294967295u);
      EXPECT_FALSE(a.EscribirEn(0, "abc", 3));
      EXPECT_FALSE(a.LeerEn(0, destino, 4));
      EXPECT_EQ(std::string(destino, 4), "xxxx");
      EXPECT_FALSE(a.Cerrar());
    }
  }
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\nuevo.bin"), "");
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\mil.bin"), kMil);
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\protegido.bin"), "intacto");
}

TEST_F(ArchivoPrueba, EscribeEnSuSitioYExtiendeMasAllaDelFinal) {
  EscribirArchivo(kCarpeta + "\\mil.bin", kMil);
  Archivo a((kCarpeta + "\\mil.bin").c_str());
  ASSERT_TRUE(a.EstaAbierto());
  EXPECT_EQ(a.Tamano(), 1000u);
  EXPECT_TRUE(a.EscribirEn(0, "0123456789", 10));
  EXPECT_EQ(a.Tamano(), 1000u);
  EXPECT_TRUE(a.EscribirEn(1100, "fin", 3));
  EXPECT_EQ(a.Tamano(), 1103u);
  EXPECT_TRUE(a.Cerrar());

  std::string esperado = "0123456789" + kMil.substr(10) + std::string(100, '\0') + "fin";
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\mil.bin"), esperado);
}

TEST_F(ArchivoPrueba, LeerMasAllaDelFinalSoloLlenaLoQueHay) {
  EscribirArchivo(kCarpeta + "\\corto.bin", "abcd");
  Archivo a((kCarpeta + "\\corto.bin").c_str());
  struct Caso {
    std::uint32_t desde, cuantos;
    bool completo;
    std::string resultado;
  } casos[] = {
      {0, 4, true, "abcd......"},   {0, 10, false, "abcd......"}, {2, 10, false, "cd........"},
      {4, 10, false, ".........."}, {50, 3, false, ".........."},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.desde);
    char destino[10];
    std::memset(destino, '.', sizeof destino);
    EXPECT_TRUE(a.LeerEn(c.desde, destino, c.cuantos));
    EXPECT_EQ(std::string(destino, 10), c.resultado);
    std::memset(destino, '.', sizeof destino);
    // The full transfer tells a short read apart.
    EXPECT_EQ(a.LeerTodoEn(c.desde, destino, c.cuantos), c.completo);
  }
}

TEST_F(ArchivoPrueba, EscribeYLeeUnArchivoGrandeEntero) {
  std::string grande(3 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < grande.size(); ++i)
    grande[i] = static_cast<char>(i * 7 + i / 4096);
  Archivo a((kCarpeta + "\\grande.bin").c_str());
  ASSERT_TRUE(a.EscribirTodoEn(0, grande.data(), static_cast<std::uint32_t>(grande.size())));
  std::string leido(grande.size(), '\0');
  ASSERT_TRUE(a.LeerTodoEn(0, leido.data(), static_cast<std::uint32_t>(leido.size())));
  EXPECT_TRUE(leido == grande);
  EXPECT_TRUE(a.FijarTamano(10));
  EXPECT_EQ(a.Tamano(), 10u);
  a.Cerrar();
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\grande.bin"), grande.substr(0, 10));
}

// Regression: a file of 4 GiB and more used to report its size modulo 2^32, so a sound
// archive followed by exactly 4 GiB of anything passed as whole.
TEST_F(ArchivoPrueba, UnArchivoDeMasDe4GiBNoDaSuTamanoRecortado) {
  EscribirArchivo(kCarpeta + "\\enorme.bin", "");
  std::filesystem::resize_file(Local(kCarpeta + "\\enorme.bin"), (std::uint64_t{1} << 32) + 160);
  Archivo a;
  ASSERT_TRUE(a.AbrirLectura((kCarpeta + "\\enorme.bin").c_str()));
  EXPECT_EQ(a.Tamano(), 4294967295u);
}

TEST_F(ArchivoPrueba, LineasEscritasSeLeenIgual) {
  Archivo a((kCarpeta + "\\lineas.txt").c_str());
  EXPECT_TRUE(a.EscribirLinea("abc"));
  EXPECT_TRUE(a.EscribirLinea("de"));
  EXPECT_TRUE(a.Fin());
  EXPECT_EQ(a.Tamano(), 9u);
  a.Posicionar(0);
  EXPECT_FALSE(a.Fin());
  char linea[64];
  a.LeerLinea(linea);
  EXPECT_STREQ(linea, "abc");
  a.LeerLinea(linea);
  EXPECT_STREQ(linea, "de");
  // At the end the destination is left as it was.
  std::strcpy(linea, "sin tocar");
  a.LeerLinea(linea);
  EXPECT_STREQ(linea, "sin tocar");
  a.Cerrar();
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\lineas.txt"), "abc\r\nde\r\n");
}

TEST_F(ArchivoPrueba, LeerLineasHastaElFinTerminaSiempre) {
  for (const CasoLineas &c : CasosLineas()) {
    SCOPED_TRACE(c.que);
    EscribirArchivo(kCarpeta + "\\lineas.txt", c.contenido);
    Archivo a((kCarpeta + "\\lineas.txt").c_str());
    EXPECT_EQ(LeerTodasLasLineas(a, c.capacidad), c.lineas);
  }
}

TEST_F(ArchivoPrueba, AbrirOtroArchivoSueltaElAnterior) {
  EscribirArchivo(kCarpeta + "\\uno.bin", "1");
  Archivo a((kCarpeta + "\\uno.bin").c_str());
  ASSERT_FALSE(ArchivoLibre((kCarpeta + "\\uno.bin").c_str()));
  EXPECT_TRUE(a.Abrir((kCarpeta + "\\dos.bin").c_str()));
  EXPECT_TRUE(ArchivoLibre((kCarpeta + "\\uno.bin").c_str()));
  EXPECT_FALSE(ArchivoLibre((kCarpeta + "\\dos.bin").c_str()));
  EXPECT_TRUE(a.Cerrar());
  EXPECT_TRUE(ArchivoLibre((kCarpeta + "\\dos.bin").c_str()));
  // Closed once; a second close finds nothing to close.
  EXPECT_FALSE(a.Cerrar());
}

TEST_F(ArchivoPrueba, AbrirLecturaNoCreaYLeeProtegidos) {
  EscribirArchivo(kCarpeta + "\\protegido.bin", "solo leer");
  FijarSoloLectura(kCarpeta + "\\protegido.bin", true);
  Archivo a;
  EXPECT_FALSE(a.AbrirLectura((kCarpeta + "\\falta.bin").c_str()));
  EXPECT_FALSE(Existe(kCarpeta + "\\falta.bin"));
  EXPECT_FALSE(a.AbrirLectura(kCarpeta.c_str()));
  ASSERT_TRUE(a.AbrirLectura((kCarpeta + "\\protegido.bin").c_str()));
  char texto[9];
  EXPECT_TRUE(a.LeerTodoEn(0, texto, 9));
  EXPECT_EQ(std::string(texto, 9), "solo leer");
  EXPECT_FALSE(a.EscribirTodoEn(0, "x", 1));
  a.Cerrar();
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\protegido.bin"), "solo leer");
}

#ifdef _WIN32
TEST_F(ArchivoPrueba, NoAbreUnArchivoQueOtroTieneSinCompartir) {
  std::string ruta = kCarpeta + "\\ocupado.bin";
  EscribirArchivo(ruta, "ocupado");
  HANDLE otro = CreateFileA(ruta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(otro, INVALID_HANDLE_VALUE);
  Archivo a(ruta.c_str());
  EXPECT_FALSE(a.EstaAbierto());
  Archivo b;
  EXPECT_FALSE(b.AbrirLectura(ruta.c_str()));
  CloseHandle(otro);
  EXPECT_TRUE(a.Abrir(ruta.c_str()));
}
#endif

} // namespace
