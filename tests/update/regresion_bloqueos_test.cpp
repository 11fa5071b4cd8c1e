// A program file that another program holds open without sharing: the install names it,
// keeps it whole, places the rest and leaves no temporary file. Windows only (sharing
// modes).
#ifdef _WIN32
#include "comun.h"
#include "programas_prueba.h"
#include "update/instalar_paquete.h"
#include "update/sesion_actualizacion.h"

#include <cstring>

#include <windows.h>

namespace {

constexpr const char *kPaquete = "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx";

class ArchivoRetenido : public PruebaActualizacion {
protected:
  void SetUp() override {
    PruebaActualizacion::SetUp();
    std::strcpy(laSesionActualizacion.carpetaInstalacion, kInstalacion);
    std::strcpy(laSesionActualizacion.rutaPaquete, kPaquete);
  }
  void TearDown() override {
    if (retenido != INVALID_HANDLE_VALUE)
      CloseHandle(retenido);
    PruebaActualizacion::TearDown();
  }
  HANDLE retenido = INVALID_HANDLE_VALUE;
};

TEST_F(ArchivoRetenido, SeNombraQuedaEnteroYElRestoSeInstala) {
  const std::string abierto = "C:\\QOR_Fenestrali_2\\Modulo.dll";
  EscribirArchivo(abierto, "modulo viejo, mas largo que el nuevo");
  EscribirArchivo("C:\\QOR_Fenestrali_2\\Otro.dll", "otro viejo");
  retenido = CreateFileA(abierto.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(retenido, INVALID_HANDLE_VALUE);
  EscritorPaquete p(2);
  p.Archivo("Modulo.dll", "nuevo").Archivo("Otro.dll", "otro nuevo");
  EscribirArchivo(kPaquete, p.bytes);

  EXPECT_FALSE(InstalarPaquete());
  CloseHandle(retenido);
  retenido = INVALID_HANDLE_VALUE;

  EXPECT_EQ(LeerArchivo(abierto), "modulo viejo, mas largo que el nuevo");
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Otro.dll"), "otro nuevo");
  EXPECT_FALSE(Existe(abierto + kSufijoNuevo));
  EXPECT_FALSE(Existe(kPaquete));
  ASSERT_EQ(consola->Avisos().size(), 1u);
  const std::string aviso = consola->Avisos()[0];
  EXPECT_EQ(aviso.rfind(kMensajeArchivosNoReemplazados, 0), 0u) << aviso;
  EXPECT_NE(aviso.find(abierto), std::string::npos) << aviso;
  EXPECT_EQ(aviso.find("Otro.dll"), std::string::npos) << aviso;
}

} // namespace
#endif
