#include "update/post_actualizacion.h"

#include "system/pc.h"
#include "update/texto_acotado.h"

#include <cstring>

const char *const kTablasIData[32] = {
    "Camaras.dft",     "Camaras.tbl",    "Clientes.dft",    "Clientes.tbl",     "ConfigD.dft",
    "ConfigD.tbl",     "ConfigG.dft",    "ConfigG.tbl",     "Cus.dft",          "Cus.tbl",
    "CusPriv.dft",     "CusPriv.tbl",    "DVH.dft",         "DVH.tbl",          "Firma.dft",
    "Firma.tbl",       "Monedas.dft",    "Monedas.tbl",     "Obras.dft",        "Obras.tbl",
    "PartesDsc.dft",   "PartesDsc.tbl",  "PerfilesDsc.dft", "PerfilesDsc.tbl",  "Proveedores.dft",
    "Proveedores.tbl", "TipoConfig.dft", "TipoConfig.tbl",  "Tratamientos.dft", "Tratamientos.tbl",
    "Vidrios.dft",     "Vidrios.tbl",
};

bool BorrarArchivoEnCarpeta(const char *carpeta, const char *nombre) {
  char ruta[255];
  if (!elPC || !carpeta || !nombre || !CopiarAcotado(ruta, carpeta) || !AnadirAcotado(ruta, "\\") ||
      !AnadirAcotado(ruta, nombre))
    return false;
  return elPC->BorrarArchivo(ruta);
}

bool BorrarTablasIData() {
  if (!elPC)
    return false;
  char carpeta[255];
  std::memset(carpeta, 0, sizeof carpeta);
  elPC->DirectorioWindows(carpeta);
  if (std::strlen(carpeta) < 3)
    return false;
  std::memset(carpeta + 3, 0, sizeof carpeta - 3);
  if (!AnadirAcotado(carpeta, "QOR_Fenestrali_2") || !AnadirAcotado(carpeta, "\\Data\\iData"))
    return false;
  if (!elPC->ExisteCarpeta(carpeta))
    return false;
  for (const char *nombre : kTablasIData)
    BorrarArchivoEnCarpeta(carpeta, nombre);
  return true;
}
