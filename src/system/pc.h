// System services: well-known folders, file and folder operations, CAB expansion,
// COM self-registration and shell shortcuts. Stateless; one instance for the run.
#ifndef QOR_SYSTEM_PC_H
#define QOR_SYSTEM_PC_H

#include <cstddef>
#include <cstdint>

class PC {
public:
  PC() = default;
  virtual ~PC() = default;
  PC(const PC &) = delete;
  PC &operator=(const PC &) = delete;

  // Each text operation copies into the caller's buffer. The sized forms are the real
  // ones; a text that does not fit is not cut: the destination becomes the empty text.
  void DirectorioWindows(char *destino, std::size_t capacidad);
  void DirectorioWindowsMaxPath(char *destino, std::size_t capacidad);
  void DirectorioSistema(char *destino, std::size_t capacidad);
  void DirectorioSistemaMaxPath(char *destino, std::size_t capacidad);
  void DirectorioTemporal(char *destino, std::size_t capacidad);
  void DirectorioTemporalMaxPath(char *destino, std::size_t capacidad);
  void DirectorioActual(char *destino, std::size_t capacidad);
  void DirectorioActualMaxPath(char *destino, std::size_t capacidad);
  void NombreEquipo(char *destino, std::size_t capacidad);

  void CarpetaDocumentosComunes(char *destino, std::size_t capacidad);
  void CarpetaDocumentos(char *destino, std::size_t capacidad);
  void CarpetaEscritorio(char *destino, std::size_t capacidad);
  void CarpetaEscritorioComun(char *destino, std::size_t capacidad);
  void CarpetaArchivosPrograma(char *destino, std::size_t capacidad);
  void CarpetaMenuInicio(char *destino, std::size_t capacidad);
  void CarpetaMenuInicioComun(char *destino, std::size_t capacidad);
  void CarpetaProgramas(char *destino, std::size_t capacidad);
  void CarpetaProgramasComun(char *destino, std::size_t capacidad);
  void CarpetaInicio(char *destino, std::size_t capacidad);
  void CarpetaInicioComun(char *destino, std::size_t capacidad);
  void CarpetaEntornoRed(char *destino, std::size_t capacidad);
  void CarpetaEntornoImpresoras(char *destino, std::size_t capacidad);
  void CarpetaImpresoras(char *destino, std::size_t capacidad);
  void CarpetaRed(char *destino, std::size_t capacidad);

  // The callers' fixed buffers carry their size with them.
  template <std::size_t N> void DirectorioWindows(char (&d)[N]) { DirectorioWindows(d, N); }
  template <std::size_t N> void DirectorioWindowsMaxPath(char (&d)[N]) {
    DirectorioWindowsMaxPath(d, N);
  }
  template <std::size_t N> void DirectorioSistema(char (&d)[N]) { DirectorioSistema(d, N); }
  template <std::size_t N> void DirectorioSistemaMaxPath(char (&d)[N]) {
    DirectorioSistemaMaxPath(d, N);
  }
  template <std::size_t N> void DirectorioTemporal(char (&d)[N]) { DirectorioTemporal(d, N); }
  template <std::size_t N> void DirectorioTemporalMaxPath(char (&d)[N]) {
    DirectorioTemporalMaxPath(d, N);
  }
  template <std::size_t N> void DirectorioActual(char (&d)[N]) { DirectorioActual(d, N); }
  template <std::size_t N> void DirectorioActualMaxPath(char (&d)[N]) {
    DirectorioActualMaxPath(d, N);
  }
  template <std::size_t N> void NombreEquipo(char (&d)[N]) { NombreEquipo(d, N); }

  bool BorrarArchivo(const char *ruta);
  // Only an empty folder can be removed.
  bool BorrarCarpeta(const char *ruta);
  // Creates every missing level; true only when the deepest folder was created now.
  bool CrearCarpeta(const char *ruta);
  // Both are true for an existing file and an existing folder alike.
  bool ExisteCarpeta(const char *ruta);
  bool ExisteArchivo(const char *ruta);

  // Expands an MSZIP-compressed (CAB) file; 0 on success, else a Windows error code.
  std::uint32_t Descomprimir(const char *origen, const char *destino);
  // Call the library's DllRegisterServer / DllUnregisterServer when it has one; always 1.
  int RegistrarServidor(const char *ruta);
  int DesregistrarServidor(const char *ruta);

  // Writes a shell shortcut (.lnk); returns the COM result of the last step that ran.
  long CrearAccesoDirecto(const char *destino, const char *archivoAcceso, const char *argumentos);
};

// The one instance, created by the console at start-up and deleted at teardown.
extern PC *elPC;

// True when the file exists and nobody else holds it open (it opens for writing, unshared).
bool ArchivoLibre(const char *ruta);
// Registers a COM server: programs with " /REGSERVER", libraries through DllRegisterServer.
int RegistrarComponente(const char *ruta);

#endif
