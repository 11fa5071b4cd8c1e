// A drive C:\ of the test's own. Natively a fresh temporary folder that QOR_DRIVE_C
// points at; under Wine the prefix's C:\, where the install folder and the test's
// scratch folder are removed before and after (the Windows tests run one at a time).
#ifndef QOR_TESTS_INSTALACION_TEMPORAL_H
#define QOR_TESTS_INSTALACION_TEMPORAL_H

#include <gtest/gtest.h>

#include <string>

class UnidadTemporal : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Host path of a Windows path (through the system's own translation).
  static std::string Local(const std::string &rutaWindows);
  static void EscribirArchivo(const std::string &rutaWindows, const std::string &contenido);
  static std::string LeerArchivo(const std::string &rutaWindows);
  static bool Existe(const std::string &rutaWindows);
  static void CrearCarpetas(const std::string &rutaWindows);
  static void BorrarArbol(const std::string &rutaWindows);

  // The folders every test may use freely: C:\QOR_Fenestrali_2 and C:\qor_pruebas.
  static constexpr const char *kInstalacion = "C:\\QOR_Fenestrali_2";
  static constexpr const char *kPruebas = "C:\\qor_pruebas";

private:
  std::string raiz_;
};

#endif
