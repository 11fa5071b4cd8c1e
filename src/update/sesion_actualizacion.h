// The update subsystem's process-wide state, its internet session and the version
// check against the update server's descriptor.
#ifndef QOR_UPDATE_SESION_ACTUALIZACION_H
#define QOR_UPDATE_SESION_ACTUALIZACION_H

#include "system/internet.h"

#include <cstddef>
#include <cstdint>

struct SesionActualizacion {
  char urlBase[128];        // the server folder holding the update file, no trailing "/"
  char nombreProducto[128]; // base name of the update file, install folder and executable
  std::int32_t versionInstalada;
  std::int32_t versionRemota;  // from the last descriptor read; 0 when none or not ours
  std::int32_t tamanoEsperado; // the whole .smx: the descriptor's CAB size plus 128
  ManejadorInternet sesionInternet;
  char carpetaInstalacion[512]; // left by the download for the installer
  char rutaPaquete[512];        // left by the download for the installer
  // SHA-256 of the CAB (64 hex digits) when the descriptor carries one, else empty.
  char resumenCab[65];
  // Whether the last descriptor request got an answer from the server.
  bool servidorRespondio;
};

// The one instance, zero-filled at start.
extern SesionActualizacion laSesionActualizacion;

// The length of the descriptor header at the start of the .smx file.
constexpr std::int32_t kLargoDescriptor = 128;

// Sets up the state, reads the descriptor, closes the session. False when the session
// could not be opened or the server did not answer; versionRemota is then 0.
bool ComprobarVersion();
// Fills urlBase, nombreProducto and versionInstalada (0). Always true.
bool PrepararActualizacion();
// InternetOpenA with the agent "QOR", direct access; true when a session came back.
bool AbrirSesionInternet();
void CerrarSesionInternet();
// The version offered by the server's descriptor, 0 when nothing installable is on offer;
// sets tamanoEsperado and resumenCab as it reads.
std::int32_t LeerDescriptor(const char *urlBase, const char *nombreProducto);
// The text at urlBase itself, when it is not empty and holds at least three "."; false
// otherwise or when it does not fit the destination.
bool LeerTextoServidor(char *destino, std::size_t capacidad);
template <std::size_t N> bool LeerTextoServidor(char (&d)[N]) {
  return LeerTextoServidor(d, N);
}

// Replaces the build's server address for this process (tests run their own server).
// False, and nothing changed, when it does not fit urlBase.
bool FijarUrlActualizacion(const char *url);

#endif
