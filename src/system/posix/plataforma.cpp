#include "system/plataforma.h"

#include "system/rutas.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace plataforma {

bool EnumerarCarpeta(const char *carpeta, const std::function<void(const char *)> &alEncontrar) {
  // Closed however the walk ends, also when an item can't be allocated.
  std::unique_ptr<DIR, int (*)(DIR *)> d(opendir(RutaLocal(carpeta).c_str()), closedir);
  if (!d)
    return false;
  while (dirent *e = readdir(d.get()))
    alEncontrar(e->d_name);
  return true;
}

Tipo TipoDe(const char *ruta) {
  struct stat st;
  if (stat(RutaLocal(ruta).c_str(), &st) != 0)
    return Tipo::Desconocido;
  return S_ISDIR(st.st_mode) ? Tipo::Carpeta : Tipo::Archivo;
}

bool SoloLectura(const char *ruta) {
  struct stat st;
  return stat(RutaLocal(ruta).c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

} // namespace plataforma
