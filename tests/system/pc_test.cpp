#include "instalacion_temporal.h"
#include "soporte_sistema.h"
#include "system/pc.h"

#include <cctype>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <unistd.h>
#endif

namespace {

class PCPrueba : public UnidadTemporal {
protected:
  PC pc;
};

const std::string kCarpeta = "C:\\qor_pruebas";

std::string Mayusculas(std::string s) {
  for (char &c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

TEST_F(PCPrueba, CrearCarpetaNivelPorNivel) {
  struct Caso {
    std::string ruta;
    bool resultado;
    const char *creada; // the deepest folder that must exist afterwards, if any
  } casos[] = {
      {kCarpeta + "\\A\\B\\C", true, "C:\\qor_pruebas\\A\\B\\C"},
      {kCarpeta + "\\A\\B\\C", false, "C:\\qor_pruebas\\A\\B\\C"},
      {kCarpeta + "\\D\\E\\", true, "C:\\qor_pruebas\\D\\E"},
      {kCarpeta + "\\A\\B\\F", true, "C:\\qor_pruebas\\A\\B\\F"},
      {"C:\\", false, nullptr},
      {"C:", false, nullptr},
      {"", false, nullptr},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.ruta);
    EXPECT_EQ(pc.CrearCarpeta(c.ruta.c_str()), c.resultado);
    if (c.creada) {
      EXPECT_TRUE(pc.ExisteCarpeta(c.creada));
    }
  }
}

TEST_F(PCPrueba, CrearCarpetaRechazaUnaRutaQueNoCabe) {
  // Cut to 258 characters it would name another folder: nothing is created.
  std::string ruta = kCarpeta + "\\" + std::string(240, 'a') + "\\sub";
  ASSERT_GT(ruta.size(), 258u);
  EXPECT_FALSE(pc.CrearCarpeta(ruta.c_str()));
  EXPECT_FALSE(Existe(kCarpeta + "\\" + std::string(240, 'a')));
}

TEST_F(PCPrueba, ExisteParaArchivosYCarpetasPorIgual) {
  EscribirArchivo(kCarpeta + "\\archivo.txt", "x");
  CrearCarpetas(kCarpeta + "\\carpeta");
  struct Caso {
    std::string ruta;
    bool existe;
  } casos[] = {{kCarpeta + "\\archivo.txt", true},
               {kCarpeta + "\\carpeta", true},
               {"c:\\QOR_PRUEBAS\\ARCHIVO.TXT", true},
               {kCarpeta + "\\falta.txt", false},
               {kCarpeta + "\\falta\\archivo.txt", false}};
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.ruta);
    EXPECT_EQ(pc.ExisteArchivo(c.ruta.c_str()), c.existe);
    EXPECT_EQ(pc.ExisteCarpeta(c.ruta.c_str()), c.existe);
  }
}

TEST_F(PCPrueba, BorrarComoWindows) {
  EscribirArchivo(kCarpeta + "\\llena\\dentro.txt", "x");
  CrearCarpetas(kCarpeta + "\\vacia");
  EscribirArchivo(kCarpeta + "\\suelto.txt", "x");
  EscribirArchivo(kCarpeta + "\\protegido.txt", "x");
  FijarSoloLectura(kCarpeta + "\\protegido.txt", true);

  EXPECT_FALSE(pc.BorrarCarpeta((kCarpeta + "\\llena").c_str()));
  EXPECT_TRUE(Existe(kCarpeta + "\\llena\\dentro.txt"));
  EXPECT_TRUE(pc.BorrarCarpeta((kCarpeta + "\\vacia").c_str()));
  EXPECT_FALSE(Existe(kCarpeta + "\\vacia"));
  EXPECT_FALSE(pc.BorrarCarpeta((kCarpeta + "\\suelto.txt").c_str()));

  EXPECT_TRUE(pc.BorrarArchivo((kCarpeta + "\\suelto.txt").c_str()));
  EXPECT_FALSE(Existe(kCarpeta + "\\suelto.txt"));
  EXPECT_FALSE(pc.BorrarArchivo((kCarpeta + "\\suelto.txt").c_str()));
  EXPECT_FALSE(pc.BorrarArchivo((kCarpeta + "\\llena").c_str()));
  EXPECT_FALSE(pc.BorrarArchivo((kCarpeta + "\\protegido.txt").c_str()));
  EXPECT_TRUE(Existe(kCarpeta + "\\protegido.txt"));
}

TEST_F(PCPrueba, CarpetasDelSistema) {
  char windows[512], sistema[512], temporal[512], windows260[260], temporal260[260];
  pc.DirectorioWindows(windows);
  pc.DirectorioWindowsMaxPath(windows260);
  pc.DirectorioSistema(sistema);
  pc.DirectorioTemporal(temporal);
  pc.DirectorioTemporalMaxPath(temporal260);
  std::string w = windows;
  ASSERT_GT(w.size(), 3u);
  EXPECT_EQ(w.substr(0, 3), "C:\\");
  EXPECT_NE(w.back(), '\\');
  EXPECT_EQ(std::string(windows260), w);
  EXPECT_EQ(Mayusculas(sistema), Mayusculas(w + "\\system32"));
  std::string t = temporal;
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back(), '\\');
  EXPECT_EQ(std::string(temporal260), t);
  EXPECT_TRUE(pc.ExisteCarpeta(t.c_str()));
  EXPECT_TRUE(pc.ExisteCarpeta(w.c_str()));

  // The install folder the other commands build from it.
  EXPECT_EQ(w.substr(0, 3) + "QOR_Fenestrali_2", "C:\\QOR_Fenestrali_2");

  char equipo[16];
  pc.NombreEquipo(equipo);
  EXPECT_GT(std::strlen(equipo), 0u);
}

TEST_F(PCPrueba, UnTextoQueNoCabeDaElTextoVacio) {
  char corto[4] = {'x', 'x', 'x', 'x'};
  pc.DirectorioWindows(corto);
  EXPECT_STREQ(corto, "");
  std::memset(corto, 'x', sizeof corto);
  pc.DirectorioTemporalMaxPath(corto);
  EXPECT_STREQ(corto, "");
  std::memset(corto, 'x', sizeof corto);
  pc.DirectorioSistema(corto, 0); // no room at all: nothing is written
  EXPECT_EQ(corto[0], 'x');
}

TEST_F(PCPrueba, CarpetaActual) {
  CrearCarpetas(kCarpeta + "\\trabajo");
  char antes[512];
  pc.DirectorioActual(antes);
#ifdef _WIN32
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\qor_pruebas\\trabajo"));
#else
  char local[4096];
  ASSERT_NE(getcwd(local, sizeof local), nullptr);
  ASSERT_EQ(chdir(Local(kCarpeta + "\\trabajo").c_str()), 0);
#endif
  char actual[512], actual260[260];
  pc.DirectorioActual(actual);
  pc.DirectorioActualMaxPath(actual260);
  EXPECT_EQ(Mayusculas(actual), "C:\\QOR_PRUEBAS\\TRABAJO");
  EXPECT_STREQ(actual260, actual);
  // A relative path is taken against the current folder.
  EscribirArchivo(kCarpeta + "\\trabajo\\aqui.txt", "x");
  EXPECT_TRUE(pc.ExisteArchivo("aqui.txt"));
#ifdef _WIN32
  SetCurrentDirectoryA(antes);
#else
  ASSERT_EQ(chdir(local), 0);
#endif
}

#ifndef _WIN32
TEST_F(PCPrueba, OtraCarpetaWindowsPorEntorno) {
  FijarVariable("QOR_WINDIR", "D:\\WINNT\\");
  char windows[512], sistema[260];
  pc.DirectorioWindows(windows);
  pc.DirectorioSistemaMaxPath(sistema);
  FijarVariable("QOR_WINDIR", nullptr);
  EXPECT_STREQ(windows, "D:\\WINNT");
  EXPECT_STREQ(sistema, "D:\\WINNT\\system32");
}
#endif

TEST_F(PCPrueba, CarpetasEspeciales) {
  char escritorio[512] = "x", impresoras[512] = "x";
  pc.CarpetaEscritorio(escritorio, sizeof escritorio);
  pc.CarpetaImpresoras(impresoras, sizeof impresoras);
  // The printers folder has no file-system path.
  EXPECT_STREQ(impresoras, "");
#ifdef _WIN32
  EXPECT_GT(std::strlen(escritorio), 3u);
  EXPECT_TRUE(pc.ExisteCarpeta(escritorio));
#else
  EXPECT_STREQ(escritorio, ""); // no shell here
#endif
}

} // namespace
