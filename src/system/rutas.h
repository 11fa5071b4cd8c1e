// Paths stay Windows paths everywhere in the system. The POSIX build translates them
// at the boundary: X:\ maps to a host folder (QOR_DRIVE_X, else
// $XDG_DATA_HOME/qor/drive_x), backslashes become slashes, and a component that does
// not exist with its exact letter case is matched case-insensitively.
#ifndef QOR_SYSTEM_RUTAS_H
#define QOR_SYSTEM_RUTAS_H

#include <string>

// The host path for a Windows path (unchanged in the Windows build).
std::string RutaLocal(const char *rutaWindows);

#endif
