// The few file-system calls the portable sources of the system services need, one
// implementation per platform (win32/, posix/). Paths are Windows paths.
#ifndef QOR_SYSTEM_PLATAFORMA_H
#define QOR_SYSTEM_PLATAFORMA_H

#include <functional>

namespace plataforma {

// Calls alEncontrar with the name of each entry of the folder, in the file system's
// order ("." and ".." included where the system reports them). False when the folder
// cannot be enumerated at all.
bool EnumerarCarpeta(const char *carpeta, const std::function<void(const char *)> &alEncontrar);

enum class Tipo { Archivo, Carpeta, Desconocido };
// What lies at the path; Desconocido when its attributes cannot be read.
Tipo TipoDe(const char *ruta);

// True for an existing file that carries the read-only attribute (on POSIX: that has no
// write permission at all, which even root is then refused).
bool SoloLectura(const char *ruta);

} // namespace plataforma

#endif
