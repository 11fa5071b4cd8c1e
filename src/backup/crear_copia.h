// The three creation commands: pack the jobs folder and the data tables into a new
// archive in the backup folder and add it, selected, to the console's backup list.
#ifndef QOR_BACKUP_CREAR_COPIA_H
#define QOR_BACKUP_CREAR_COPIA_H

#include <cstdint>

// Each returns false when the product isn't installed (or the archive couldn't be made),
// true otherwise.
bool CrearCopiaCompleta();
bool CrearCopiaObras();
bool CrearCopiaPrecios();

enum class ResultadoCopia {
  NoInstalado,
  Completa,   // every existing file packed
  Incompleta, // made, but some files couldn't be read (the user was told which)
  Fallida,    // no archive (the user was told)
};

// The commands' common body for a backup kind (kCopiaCompleta, kCopiaObras,
// kCopiaPrecios).
ResultadoCopia CrearCopia(std::uint32_t tipo);

// Deletes what a run cut short left in the folder: the files named "." + anything +
// sufijo, which no listing shows.
void BorrarRestos(const char *carpeta, const char *sufijo);

#endif
