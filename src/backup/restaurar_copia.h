// The restore command: puts the files of the selected backup back into the installation,
// after a complete safety copy of the current state.
#ifndef QOR_BACKUP_RESTAURAR_COPIA_H
#define QOR_BACKUP_RESTAURAR_COPIA_H

// True when an archive was read to its end.
bool RestaurarCopia();

#endif
