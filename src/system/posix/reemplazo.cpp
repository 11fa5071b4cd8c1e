#include "system/reemplazo.h"

#include "system/plataforma.h"
#include "system/rutas.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

bool ReemplazarArchivo(const char *nuevo, const char *destino) {
  if (!nuevo || !destino)
    return false;
  // rename() would replace a file without write permission, which stands for Windows'
  // read-only attribute here; and never a folder.
  if (plataforma::SoloLectura(destino) || plataforma::TipoDe(destino) == plataforma::Tipo::Carpeta)
    return false;
  std::string origen = RutaLocal(nuevo);
  std::string final = RutaLocal(destino);
  // Windows runs any file that holds a program; here the new file must be marked so for
  // an installed program (or a component started with /REGSERVER) to run.
  mode_t mascara = umask(0);
  umask(mascara);
  chmod(origen.c_str(), 0777 & ~mascara);
  return std::rename(origen.c_str(), final.c_str()) == 0;
}
