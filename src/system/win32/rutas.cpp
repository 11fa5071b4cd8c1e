#include "system/rutas.h"

// Windows takes its own paths as they are.
std::string RutaLocal(const char *rutaWindows) { return rutaWindows ? rutaWindows : ""; }
