// A drive C: of the process's own for the fuzz targets and drill drivers: a fresh folder
// under QOR_DRILL_TMP (or TMPDIR, or /tmp) that QOR_DRIVE_C points at, holding
// C:\WINDOWS\system32 and the empty install folder. Host paths throughout.
#ifndef QOR_FUZZ_UNIDAD_FUZZ_H
#define QOR_FUZZ_UNIDAD_FUZZ_H

#include <cstddef>
#include <string>
#include <vector>

// Makes the drive once per process and returns its host folder; removed at exit.
const std::string &UnidadFuzz();
// Writes the bytes as the whole file (created or cut); aborts when it can't.
void EscribirHost(const std::string &ruta, const void *datos, std::size_t cantidad);
// Every file (anything but a folder) under the folder, as paths relative to it.
std::vector<std::string> ArchivosBajo(const std::string &carpeta);
// Empties the folder, keeping it.
void VaciarCarpeta(const std::string &carpeta);
// Stops the process with the message: a finding.
[[noreturn]] void Fallo(const std::string &mensaje);

#endif
