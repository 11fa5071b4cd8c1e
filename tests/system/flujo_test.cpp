#include "casos_lineas.h"
#include "instalacion_temporal.h"
#include "soporte_sistema.h"
#include "system/flujo.h"

#include <cstring>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

class FlujoPrueba : public UnidadTemporal {};

const std::string kCarpeta = "C:\\qor_pruebas";

TEST_F(FlujoPrueba, CreaVacioOConservaYSobrescribeEnSuSitio) {
  std::string nuevo = kCarpeta + "\\nuevo.bin";
  {
    Flujo f(nuevo.c_str());
    EXPECT_TRUE(f.EstaAbierto());
    EXPECT_TRUE(f.Fin());
    f.EscribirEn(0, "hola", 4);
    EXPECT_EQ(f.Tamano(), 4u);
    f.Cerrar();
  }
  EXPECT_EQ(LeerArchivo(nuevo), "hola");

  EscribirArchivo(kCarpeta + "\\viejo.bin", "0123456789");
  Flujo f((kCarpeta + "\\viejo.bin").c_str());
  EXPECT_EQ(f.Tamano(), 10u);
  f.EscribirEn(3, "abc", 3);
  char leido[4] = {};
  f.LeerEn(8, leido, 2);
  EXPECT_STREQ(leido, "89");
  EXPECT_TRUE(f.Correcto());
  f.Cerrar();
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\viejo.bin"), "012abc6789");
}

TEST_F(FlujoPrueba, SinAbrirNoHaceNada) {
  EscribirArchivo(kCarpeta + "\\protegido.bin", "intacto");
  FijarSoloLectura(kCarpeta + "\\protegido.bin", true);
  CrearCarpetas(kCarpeta + "\\carpeta");
  for (std::string ruta :
       {kCarpeta + "\\no_hay\\x.bin", kCarpeta + "\\protegido.bin", kCarpeta + "\\carpeta"}) {
    SCOPED_TRACE(ruta);
    Flujo f(ruta.c_str());
    EXPECT_FALSE(f.EstaAbierto());
    EXPECT_FALSE(f.Correcto());
    EXPECT_EQ(f.Tamano(), 4294967295u);
    char destino[3] = {'x', 'x', 'x'};
    f.LeerEn(0, destino, 3);
    f.EscribirEn(0, "abc", 3);
    EXPECT_EQ(std::string(destino, 3), "xxx");
    f.Cerrar(); // nothing to close; the destructor releases the stream
  }
  EXPECT_FALSE(Existe(kCarpeta + "\\no_hay"));
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\protegido.bin"), "intacto");
}

TEST_F(FlujoPrueba, UnaLecturaCortaDejaElFlujoFallidoParaSiempre) {
  EscribirArchivo(kCarpeta + "\\diez.bin", "0123456789");
  Flujo f((kCarpeta + "\\diez.bin").c_str());
  char destino[10];
  std::memset(destino, '.', sizeof destino);
  f.LeerEn(6, destino, 10);
  EXPECT_EQ(std::string(destino, 10), "6789......");
  EXPECT_FALSE(f.Correcto());
  // Nothing works any more: no read, no write, no size.
  std::memset(destino, '.', sizeof destino);
  f.LeerEn(0, destino, 2);
  EXPECT_EQ(std::string(destino, 2), "..");
  f.EscribirEn(0, "zz", 2);
  EXPECT_EQ(f.Tamano(), 4294967295u);
  f.Cerrar();
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\diez.bin"), "0123456789");
}

TEST_F(FlujoPrueba, LineasEscritasSeLeenIgual) {
  Flujo f((kCarpeta + "\\lineas.txt").c_str());
  f.EscribirLinea("abc");
  f.EscribirLinea("de");
  f.Posicionar(0);
  char linea[64];
  f.LeerLinea(linea);
  EXPECT_STREQ(linea, "abc");
  f.LeerLinea(linea);
  EXPECT_STREQ(linea, "de");
  std::strcpy(linea, "sin tocar");
  f.LeerLinea(linea);
  EXPECT_STREQ(linea, "sin tocar");
  f.Cerrar();
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\lineas.txt"), "abc\r\nde\r\n");
}

TEST_F(FlujoPrueba, LeerLineasHastaElFinTerminaSiempre) {
  for (const CasoLineas &c : CasosLineas()) {
    SCOPED_TRACE(c.que);
    EscribirArchivo(kCarpeta + "\\lineas.txt", c.contenido);
    Flujo f((kCarpeta + "\\lineas.txt").c_str());
    EXPECT_EQ(LeerTodasLasLineas(f, c.capacidad), c.lineas);
    f.Cerrar();
  }
}

TEST_F(FlujoPrueba, TrasCerrarNadaTocaElFlujo) {
  auto f = std::make_unique<Flujo>((kCarpeta + "\\cerrado.bin").c_str());
  f->EscribirEn(0, "dato", 4);
  f->Cerrar();
  char destino[4] = {'x', 'x', 'x', 'x'};
  f->LeerEn(0, destino, 4);
  f->EscribirEn(0, "otro", 4);
  f->EscribirLinea("linea");
  f->Posicionar(2);
  f->LeerLinea(destino, sizeof destino);
  f->Cerrar();
  EXPECT_EQ(f->Tamano(), 4294967295u);
  EXPECT_FALSE(f->Correcto());
  EXPECT_EQ(std::string(destino, 4), "xxxx");
  f.reset();
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\cerrado.bin"), "dato");
}

#ifdef _WIN32
TEST_F(FlujoPrueba, NoAbreUnArchivoQueOtroTieneSinCompartir) {
  std::string ruta = kCarpeta + "\\ocupado.bin";
  EscribirArchivo(ruta, "ocupado");
  HANDLE otro = CreateFileA(ruta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(otro, INVALID_HANDLE_VALUE);
  Flujo f(ruta.c_str());
  EXPECT_FALSE(f.EstaAbierto());
  CloseHandle(otro);
}
#endif

} // namespace
