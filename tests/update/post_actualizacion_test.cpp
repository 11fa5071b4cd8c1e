#include "instalacion_temporal.h"
#include "system/pc.h"
#include "update/post_actualizacion.h"

#include <string>

namespace {

class TablasIData : public UnidadTemporal {
protected:
  void SetUp() override {
    UnidadTemporal::SetUp();
    elPC = &pc;
  }
  void TearDown() override {
    elPC = nullptr;
    UnidadTemporal::TearDown();
  }
  PC pc;
};

constexpr const char *kIData = "C:\\QOR_Fenestrali_2\\Data\\iData\\";
constexpr const char *kData = "C:\\QOR_Fenestrali_2\\Data\\";

TEST_F(TablasIData, SinCarpetaNoTocaNada) {
  EscribirArchivo(std::string(kData) + "Clientes.tbl", "clientes");
  EXPECT_FALSE(BorrarTablasIData());
  EXPECT_TRUE(Existe(std::string(kData) + "Clientes.tbl"));
}

TEST_F(TablasIData, CarpetaVacia) {
  CrearCarpetas(kIData);
  EXPECT_TRUE(BorrarTablasIData());
}

// Only the 32 files go, whatever their letter case on disk; other files, subfolders and
// the working tables in Data stay.
TEST_F(TablasIData, SoloLasTablasDelUsuario) {
  for (const char *nombre : kTablasIData) {
    EscribirArchivo(std::string(kIData) + nombre, nombre);
    EscribirArchivo(std::string(kData) + nombre, nombre);
  }
  // A name in other letters is the same file on Windows; here one in lower case stands
  // in for one of the list.
  BorrarArbol(std::string(kIData) + "Vidrios.tbl");
  EscribirArchivo(std::string(kIData) + "vidrios.tbl", "v");
  const char *quedan[] = {"Partes.tbl", "Perfiles.dft", "Clientes.bak", "Sub\\Clientes.tbl"};
  for (const char *nombre : quedan)
    EscribirArchivo(std::string(kIData) + nombre, "queda");

  EXPECT_TRUE(BorrarTablasIData());

  for (const char *nombre : kTablasIData) {
    EXPECT_FALSE(Existe(std::string(kIData) + nombre)) << nombre;
    EXPECT_TRUE(Existe(std::string(kData) + nombre)) << nombre;
  }
  for (const char *nombre : quedan)
    EXPECT_EQ(LeerArchivo(std::string(kIData) + nombre), "queda") << nombre;
}

TEST_F(TablasIData, BorrarArchivoEnCarpeta) {
  EscribirArchivo("C:\\qor_pruebas\\a.tbl", "a");
  EXPECT_TRUE(BorrarArchivoEnCarpeta(kPruebas, "a.tbl"));
  EXPECT_FALSE(Existe("C:\\qor_pruebas\\a.tbl"));
  EXPECT_FALSE(BorrarArchivoEnCarpeta(kPruebas, "a.tbl"));
  // A path that doesn't fit the 255-character buffer is refused, not cut.
  EXPECT_FALSE(BorrarArchivoEnCarpeta(kPruebas, std::string(260, 'n').c_str()));
}

} // namespace
