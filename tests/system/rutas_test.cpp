#include "instalacion_temporal.h"
#include "system/rutas.h"

#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
namespace fs = std::filesystem;

class Rutas : public UnidadTemporal {};

TEST_F(Rutas, TraduceUnidadBarrasYMayusculas) {
  std::string raiz = std::getenv("QOR_DRIVE_C");
  fs::create_directories(raiz + "/QOR_Fenestrali_2/Data");
  struct Caso {
    const char *windows;
    std::string host;
  } casos[] = {
      {"C:\\QOR_Fenestrali_2\\Data\\Clientes.dft", raiz + "/QOR_Fenestrali_2/Data/Clientes.dft"},
      {"c:\\qor_fenestrali_2\\DATA", raiz + "/QOR_Fenestrali_2/Data"},
      {"C:\\QOR_Fenestrali_2\\BK\\", raiz + "/QOR_Fenestrali_2/BK/"},
      {"C:\\", raiz + "/"},
      {"C:", raiz},
      {"\\QOR_Fenestrali_2", raiz + "/QOR_Fenestrali_2"},
      // Nothing climbs above a drive's root, as on Windows.
      {"C:\\QOR_Fenestrali_2\\..\\..\\..\\etc\\passwd", raiz + "/etc/passwd"},
      {"C:\\a\\.\\b", raiz + "/a/b"},
  };
  for (const Caso &c : casos)
    EXPECT_EQ(RutaLocal(c.windows), c.host) << c.windows;
}

TEST_F(Rutas, OtraUnidadPorSuVariable) {
  setenv("QOR_DRIVE_D", "/srv/datos/", 1);
  EXPECT_EQ(RutaLocal("D:\\x\\y.txt"), "/srv/datos/x/y.txt");
  unsetenv("QOR_DRIVE_D");
}
#else
TEST(Rutas, WindowsLasTomaComoSon) {
  EXPECT_EQ(RutaLocal("C:\\QOR_Fenestrali_2\\BK\\"), "C:\\QOR_Fenestrali_2\\BK\\");
}
#endif
