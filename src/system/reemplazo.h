// Putting a freshly written file in place of another in one step.
#ifndef QOR_SYSTEM_REEMPLAZO_H
#define QOR_SYSTEM_REEMPLAZO_H

// Moves the file nuevo to destino, replacing a file there. Refused, and both left as they
// were, when destino is read-only, held open by a process, or a folder. Windows paths.
bool ReemplazarArchivo(const char *nuevo, const char *destino);

#endif
