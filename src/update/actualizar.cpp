#include "update/actualizar.h"

#include "backup/crear_copia.h"
#include "console/operaciones_consola.h"
#include "system/pc.h"
#include "system/procesos.h"
#include "update/descarga.h"
#include "update/instalar_paquete.h"
#include "update/post_actualizacion.h"
#include "update/procesos.h"
#include "update/sesion_actualizacion.h"
#include "update/texto_acotado.h"

#include <cstring>

const char *const kMensajeSinActualizaciones = "No hay actualizaciones nuevas para descargar";
const char *const kMensajeServidorNoDisponible = "El servidor no se encuentra disponible";
const char *const kMensajeSeAbriraProducto =
    "Se abrirá QOR_Fenestrali_2 para terminar de configurar la actualización";
const char *const kEstadoDescargando =
    "Descargando archivos...                                      ";

bool ComprobarYActualizar() {
  SesionActualizacion &s = laSesionActualizacion;
  if (!ComprobarVersion()) {
    laConsola->Aviso(kMensajeServidorNoDisponible, IconoAviso::Ninguno);
    return false;
  }
  if (s.versionRemota <= s.versionInstalada) {
    laConsola->Aviso(kMensajeSinActualizaciones, IconoAviso::Ninguno);
    return false;
  }
  laConsola->MostrarEstado(kEstadoDescargando);
  // A failed download has told the user what went wrong, where there was something to tell.
  if (!DescargarActualizacion())
    return false;
  DetenerProcesosProducto();
  return InstalarPaquete();
}

void Actualizar() {
  if (!laConsola || !elPC)
    return;
  laConsola->DeshabilitarComandos();
  CrearCopiaCompleta();
  ComprobarYActualizar();
  BorrarTablasIData();
  laConsola->Aviso(kMensajeSeAbriraProducto, IconoAviso::Advertencia);
  laConsola->HabilitarComandos();

  // The product: <drive>\QOR_Fenestrali_2\QOR_Fenestrali_2.exe, not waited for.
  char programa[512];
  std::memset(programa, 0, sizeof programa);
  elPC->DirectorioWindows(programa);
  if (std::strlen(programa) < 3)
    return;
  std::memset(programa + 3, 0, sizeof programa - 3);
  const char *producto = laSesionActualizacion.nombreProducto[0]
                             ? laSesionActualizacion.nombreProducto
                             : "QOR_Fenestrali_2";
  if (AnadirAcotado(programa, "QOR_Fenestrali_2") && AnadirAcotado(programa, "\\") &&
      AnadirAcotado(programa, producto) && AnadirAcotado(programa, ".exe"))
    procesos::AbrirPrograma(programa);
}
