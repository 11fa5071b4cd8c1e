// After every update run: the installation's own tables leave the initial data folder.
#ifndef QOR_UPDATE_POST_ACTUALIZACION_H
#define QOR_UPDATE_POST_ACTUALIZACION_H

// Deletes the 32 files of the 16 user-owned tables from <drive>\QOR_Fenestrali_2\Data\iData;
// other files stay. False when that folder does not exist.
bool BorrarTablasIData();
// Deletes carpeta\nombre; true when a file was deleted.
bool BorrarArchivoEnCarpeta(const char *carpeta, const char *nombre);

// The tables' file names, in the order they are deleted.
extern const char *const kTablasIData[32];

#endif
