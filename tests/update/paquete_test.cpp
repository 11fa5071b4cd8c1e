#include "comun.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

struct Registro {
  bool carpeta;
  std::string nombre;
  std::uint32_t longitud;
  bool sistema;
  bool conIData;
  bool operator==(const Registro &) const = default;
};

std::uint32_t U32(const std::string &s, std::size_t en) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | static_cast<unsigned char>(s[en + static_cast<std::size_t>(i)]);
  return v;
}

// Walks the package as the installer reads it: 268-byte records, file data after files.
std::vector<Registro> Registros(const std::string &paquete, std::uint32_t &cantidadArchivos) {
  std::vector<Registro> registros;
  cantidadArchivos = U32(paquete, 260);
  for (std::size_t en = 268; en < paquete.size();) {
    EXPECT_LE(en + 268, paquete.size());
    if (en + 268 > paquete.size())
      break;
    Registro r{U32(paquete, en) == 1, std::string(paquete.c_str() + en + 4), U32(paquete, en + 260),
               paquete[en + 264] != 0, paquete[en + 265] != 0};
    registros.push_back(r);
    en += 268 + (r.carpeta ? 0 : r.longitud);
  }
  return registros;
}

} // namespace

// The fixture's package: the root's file before any folder record, then each folder in
// name order with its files, as the manifest marks them.
TEST(PaquetePublicado, RegistrosSegunElArbolYElManifiesto) {
  std::string smx;
  {
    std::ifstream f(std::string(QOR_DATOS_ACTUALIZACION) + "/actualizacion.paquete",
                    std::ios::binary);
    smx.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::uint32_t cantidad = 0;
  std::vector<Registro> esperados = {
      {false, "QOR_Fenestrali_2.exe", 32, false, false},
      {true, "Data", 0, false, true},
      {false, "Monedas.tbl", 26, false, false},
      {true, "Marcas", 0, false, false},
      {true, "Marcas\\QOR", 0, false, false},
      {false, "leeme.txt", 21, false, false},
      {true, "Sistema", 0, true, false},
      {false, "qorcomp.dll", 22, true, false},
  };
  EXPECT_EQ(Registros(smx, cantidad), esperados);
  EXPECT_EQ(cantidad, 4u);
  // The file data follows its record byte for byte.
  EXPECT_EQ(smx.substr(268 * 2, 32), "Programa de prueba, versi\xC3\xB3n 1\r\n");
}

#ifdef QOR_PUBLICADOR
// The committed fixtures are exactly what the tool writes today (datos/regenerar).
TEST(PaquetePublicado, FixturesAlDiaConLaHerramienta) {
  for (const char *nombre : {"actualizacion.smx", "actualizacion.paquete"}) {
    std::ifstream a(std::string(QOR_DATOS_ACTUALIZACION) + "/" + nombre, std::ios::binary);
    std::ifstream b(std::string(QOR_DATOS_GENERADOS) + "/" + nombre, std::ios::binary);
    std::string sa(std::istreambuf_iterator<char>(a), {});
    std::string sb(std::istreambuf_iterator<char>(b), {});
    EXPECT_FALSE(sb.empty()) << nombre;
    EXPECT_TRUE(sa == sb) << nombre << " differs: run tests/update/datos/regenerar";
  }
}

class Publicador : public UnidadTemporal {};

// Manifests the tool refuses, each with its reason; no update file is left.
TEST_F(Publicador, ManifiestosRechazados) {
  std::string base = Local(kPruebas);
  std::string arbol = base + "/arbol";
  CrearCarpetas(std::string(kPruebas) + "\\arbol\\Sistema\\sub");
  EscribirArchivo(std::string(kPruebas) + "\\arbol\\a.txt", "a");
  struct Caso {
    const char *manifiesto;
    const char *motivo;
  } casos[] = {
      {"sistema Sistema\n", "sin versión"},
      {"version 0\n", "versión 0"},
      {"version 2x\n", "versión no numérica"},
      {"version 1\nvolar alto\n", "clave desconocida"},
      {"version 1\nidata NoEsta\n", "carpeta inexistente"},
      {"version 1\ncomponente b.dll\n", "componente inexistente"},
      {"version 1\nsistema Sistema\n", "carpeta de sistema con subcarpetas"},
      {"version 1\nsistema Sistema/sub\nidata Sistema/sub\n", "sistema e iData a la vez"},
  };
  for (const Caso &c : casos) {
    EscribirArchivo(std::string(kPruebas) + "\\m.txt", c.manifiesto);
    std::string orden = std::string("\"") + QOR_PUBLICADOR + "\" \"" + base + "/m.txt\" \"" +
                        arbol + "\" \"" + base + "/u.smx\" 2>/dev/null";
    EXPECT_NE(std::system(orden.c_str()), 0) << c.motivo;
    EXPECT_FALSE(Existe(std::string(kPruebas) + "\\u.smx")) << c.motivo;
  }
  // A folder path longer than the record's 255 characters.
  EscribirArchivo(std::string(kPruebas) + "\\m.txt", "version 1\n");
  EscribirArchivo(std::string(kPruebas) + "\\arbol\\" + std::string(130, 'n') + "\\" +
                      std::string(130, 'o') + "\\x.txt",
                  "x");
  std::string orden = std::string("\"") + QOR_PUBLICADOR + "\" \"" + base + "/m.txt\" \"" + arbol +
                      "\" \"" + base + "/u.smx\" 2>/dev/null";
  EXPECT_NE(std::system(orden.c_str()), 0);
  EXPECT_FALSE(Existe(std::string(kPruebas) + "\\u.smx"));
  EXPECT_FALSE(Existe(std::string(kPruebas) + "\\u.smx.paquete"));
}
#endif
