// The update package as the download leaves it: whatever its bytes, the installer writes
// only below the install folder and the system folder, leaves no temporary file behind,
// deletes the package, and either installs or says it didn't.
#include "consola_grabadora.h"
#include "system/pc.h"
#include "unidad_fuzz.h"
#include "update/instalar_paquete.h"
#include "update/sesion_actualizacion.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t cantidad) {
  static const std::string raiz = UnidadFuzz();
  static const std::string inst = raiz + "/QOR_Fenestrali_2";
  static PC pc;
  static ConsolaGrabadora consola;
  elPC = &pc;
  VaciarCarpeta(inst);
  VaciarCarpeta(raiz + "/WINDOWS/system32");
  EscribirHost(inst + "/QOR_Fenestrali_2.smx", datos, cantidad);
  EscribirHost(inst + "/QOR_Fenestrali_2.cab", "cab", 3);

  SesionActualizacion &s = laSesionActualizacion;
  std::memset(s.carpetaInstalacion, 0, sizeof s.carpetaInstalacion);
  std::memset(s.rutaPaquete, 0, sizeof s.rutaPaquete);
  std::strcpy(s.carpetaInstalacion, "C:\\QOR_Fenestrali_2");
  std::strcpy(s.rutaPaquete, "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx");
  consola.llamadas.clear();
  bool instalado = InstalarPaquete();

  std::string texto(reinterpret_cast<const char *>(datos), cantidad);
  for (char &c : texto)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool nombraTemporal = texto.find(kSufijoNuevo) != std::string::npos;
  bool rechazado = false;
  for (const std::string &aviso : consola.Avisos())
    rechazado = rechazado || aviso == kMensajePaqueteNoValido;
  if (instalado && !consola.Avisos().empty())
    Fallo("an install that reported success showed a notice");
  if (!instalado && consola.Avisos().empty())
    Fallo("an install that failed told the user nothing");
  for (const std::string &archivo : ArchivosBajo(raiz)) {
    if (archivo.rfind("QOR_Fenestrali_2/", 0) != 0 && archivo.rfind("WINDOWS/system32/", 0) != 0)
      Fallo("the package wrote outside the install and system folders: " + archivo);
    if (rechazado)
      Fallo("a refused package left a file: " + archivo);
    // Unless the package itself names such a file.
    if (!nombraTemporal && archivo.size() >= 9 &&
        archivo.compare(archivo.size() - 9, 9, kSufijoNuevo) == 0)
      Fallo("a temporary file was left behind: " + archivo);
    if (archivo == "QOR_Fenestrali_2/QOR_Fenestrali_2.cab")
      Fallo("the CAB was left behind");
  }
  elPC = nullptr;
  return 0;
}
