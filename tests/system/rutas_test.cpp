#include "instalacion_temporal.h"
#include "system/rutas.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <vector>

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
// A name matched without regard to case follows every change to its folder, made by this
// process or by another, even for a folder looked up before.
TEST_F(Rutas, LasMayusculasSiguenLosCambiosDeLaCarpeta) {
  const std::string raiz = std::getenv("QOR_DRIVE_C");
  const std::string obras = raiz + "/Obras/";
  auto crear = [](const std::string &r) { std::ofstream(r) << "x"; };
  auto otroProceso = [](const std::string &orden) { ASSERT_EQ(std::system(orden.c_str()), 0); };
  struct Paso {
    const char *que;
    std::function<void()> cambio;
    const char *windows;
    std::string host;
  };
  const std::vector<Paso> pasos = {
      {"primera vez", [&] { fs::create_directories(obras), crear(obras + "casa.obr"); },
       "C:\\OBRAS\\CASA.OBR", obras + "casa.obr"},
      {"renombrado aqui", [&] { fs::rename(obras + "casa.obr", obras + "Casa.Obr"); },
       "C:\\Obras\\CASA.OBR", obras + "Casa.Obr"},
      {"renombrado por otro", [&] { otroProceso("mv '" + obras + "Casa.Obr' '" + obras + "x'"); },
       "C:\\Obras\\casa.obr", obras + "casa.obr"},
      {"creado por otro", [&] { otroProceso("touch '" + obras + "cAsA.oBr'"); },
       "C:\\Obras\\CASA.OBR", obras + "cAsA.oBr"},
      {"uno de dos iguales borrado",
       [&] { crear(obras + "CASA.obr"), fs::remove(obras + "cAsA.oBr"); }, "C:\\Obras\\casa.OBR",
       obras + "CASA.obr"},
      {"borrado por otro", [&] { otroProceso("rm '" + obras + "CASA.obr'"); },
       "C:\\Obras\\casa.OBR", obras + "casa.OBR"},
      {"carpeta rehecha",
       [&] {
         fs::remove_all(raiz + "/Obras");
         fs::create_directories(raiz + "/OBRAS");
         crear(raiz + "/OBRAS/Otra.obr");
       },
       "C:\\Obras\\otra.OBR", raiz + "/OBRAS/Otra.obr"},
  };
  for (const Paso &p : pasos) {
    p.cambio();
    EXPECT_EQ(RutaLocal(p.windows), p.host) << p.que;
  }
}

// A long random series of changes in one folder: every answer is a name the folder holds
// that matches, or the name as given when none does.
TEST_F(Rutas, SerieAlAzarEnUnaCarpeta) {
  const std::string carpeta = std::string(std::getenv("QOR_DRIVE_C")) + "/Obras";
  fs::create_directories(carpeta);
  std::mt19937 azar(7);
  auto variante = [&](int n) {
    std::string nombre = "obra" + std::to_string(n) + ".obr";
    for (char &c : nombre)
      if (azar() % 2)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return nombre;
  };
  auto plegado = [](std::string n) {
    for (char &c : n)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return n;
  };
  for (int paso = 0; paso < 3000; ++paso) {
    const int n = static_cast<int>(azar() % 40);
    std::vector<std::string> iguales;
    for (const auto &e : fs::directory_iterator(carpeta))
      if (plegado(e.path().filename().string()) == plegado("obra" + std::to_string(n) + ".obr"))
        iguales.push_back(e.path().filename().string());
    switch (azar() % 3) {
    case 0:
      std::ofstream(carpeta + "/" + variante(n)) << "x";
      break;
    case 1:
      if (!iguales.empty())
        fs::rename(carpeta + "/" + iguales[0], carpeta + "/" + variante(n));
      break;
    default:
      if (!iguales.empty())
        fs::remove(carpeta + "/" + iguales[0]);
      break;
    }
    const std::string pedido = variante(n);
    const std::string hallado = fs::path(RutaLocal(("C:\\Obras\\" + pedido).c_str())).filename();
    if (fs::exists(carpeta + "/" + hallado) && plegado(hallado) == plegado(pedido))
      continue;
    ASSERT_EQ(hallado, pedido) << "paso " << paso;
    for (const auto &e : fs::directory_iterator(carpeta))
      ASSERT_NE(plegado(e.path().filename().string()), plegado(pedido)) << "paso " << paso;
  }
}
#else
TEST(Rutas, WindowsLasTomaComoSon) {
  EXPECT_EQ(RutaLocal("C:\\QOR_Fenestrali_2\\BK\\"), "C:\\QOR_Fenestrali_2\\BK\\");
}
#endif
