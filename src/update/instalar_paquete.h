// Installing the update package that the download left at rutaPaquete, and the removal
// of the obsolete coupling files.
#ifndef QOR_UPDATE_INSTALAR_PAQUETE_H
#define QOR_UPDATE_INSTALAR_PAQUETE_H

#include <cstdint>

// The length of every package record.
constexpr std::uint32_t kLargoRegistro = 268;
// The name a file is written under, beside its destination, until it replaces it.
constexpr const char *kSufijoNuevo = ".qornuevo";

// Checks the whole package first; a package that can't be read or fails the check
// installs nothing (the user is told) and returns false. Otherwise writes its folders and
// files under carpetaInstalacion (or the system folder), registers the marked
// components, and names in one notice the files that could not be replaced or written. Then the
// package, the CAB and the coupling files are deleted. True when every file was placed.
bool InstalarPaquete();
// Deletes the four obsolete coupling files under Marcas\QOR\T45 VNS\Componentes.
bool BorrarAcoplesObsoletos();

// The notices of the installer.
extern const char *const kMensajePaqueteNoValido;
extern const char *const kMensajeArchivosNoReemplazados;
extern const char *const kMensajeCerrarProgramas;
extern const char *const kMensajeArchivosNoEscritos;
extern const char *const kMensajeLiberarEspacio;

#endif
