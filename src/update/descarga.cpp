#include "update/descarga.h"

#include "console/operaciones_consola.h"
#include "system/flujo.h"
#include "system/pc.h"
#include "update/sesion_actualizacion.h"
#include "update/sha256.h"
#include "update/texto_acotado.h"

#include <cstring>
#include <vector>

const char *const kMensajeDescargaIncompleta =
    "La descarga de la actualización no se completó. Vuelva a intentarlo más tarde.";
const char *const kMensajeEscrituraFallida =
    "No se pudo guardar la actualización en la carpeta de instalación. Compruebe que el disco "
    "tenga espacio libre y permita escribir.";
const char *const kMensajeActualizacionDanada =
    "La actualización descargada está dañada y no se instalará. Vuelva a intentarlo más tarde.";

namespace {

constexpr std::uint32_t kBloqueDescarga = 1024;
// The CAB is copied out of the download in pieces, so that memory stays fixed.
constexpr std::uint32_t kBloqueCopia = 64 * 1024;

void BorrarSiExiste(const char *ruta) {
  if (elPC->ExisteArchivo(ruta))
    elPC->BorrarArchivo(ruta);
}

std::int32_t Porcentaje(std::int32_t esperado, std::int32_t recibidos) {
  // The quotient first, then the product, truncated: some sizes end at 99.
  return static_cast<std::int32_t>(100.0 / esperado * recibidos);
}

// Copies the CAB (everything after the descriptor) from the download into its own file,
// hashing it on the way and noting whether it starts as a cabinet does. False when a
// read or a write did not move every byte.
bool CopiarCab(Flujo &smx, const char *rutaCab, std::int32_t largoCab, char resumen[65],
               bool &esGabinete) {
  Flujo cab(rutaCab);
  if (!cab.EstaAbierto() || !cab.Correcto())
    return false;
  ResumenSha256 sha;
  std::vector<char> bloque(kBloqueCopia);
  for (std::int32_t hecho = 0; hecho < largoCab;) {
    std::uint32_t cantidad = static_cast<std::uint32_t>(largoCab - hecho);
    if (cantidad > kBloqueCopia)
      cantidad = kBloqueCopia;
    smx.LeerEn(kLargoDescriptor + hecho, bloque.data(), cantidad);
    if (!smx.Correcto())
      return false;
    cab.EscribirEn(hecho, bloque.data(), cantidad);
    if (!cab.Correcto())
      return false;
    if (hecho == 0)
      esGabinete = cantidad >= 4 && std::memcmp(bloque.data(), "MSCF", 4) == 0;
    sha.Agregar(bloque.data(), cantidad);
    hecho += static_cast<std::int32_t>(cantidad);
  }
  if (!cab.Correcto())
    return false;
  cab.Cerrar();
  sha.TerminarHex(resumen);
  // The last bytes reach the disk only on closing: a full disk shows as a short file.
  Flujo escrito(rutaCab);
  return escrito.Correcto() && escrito.Tamano() == static_cast<std::uint32_t>(largoCab);
}

} // namespace

bool DescargarActualizacion() {
  if (!AbrirSesionInternet())
    return false;
  bool resultado =
      DescargarYExtraer(laSesionActualizacion.urlBase, laSesionActualizacion.nombreProducto);
  CerrarSesionInternet();
  return resultado;
}

bool DescargarYExtraer(const char *urlBase, const char *producto) {
  SesionActualizacion &s = laSesionActualizacion;
  if (!laConsola)
    return false;
  OperacionesConsola &consola = *laConsola;
  char url[128];
  if (!CopiarAcotado(url, urlBase) || !AnadirAcotado(url, "/") || !AnadirAcotado(url, producto) ||
      !AnadirAcotado(url, ".smx"))
    return false;
  if (!s.sesionInternet)
    return false;
  ManejadorInternet recurso = AbrirUrlInternet(s.sesionInternet, url);
  if (!recurso)
    return false;
  // Without a CAB size from the descriptor there is nothing to fetch.
  const std::int32_t esperado = s.tamanoEsperado;
  if (esperado <= kLargoDescriptor) {
    CerrarInternet(recurso);
    return false;
  }

  // The install folder: the system drive's root and the product's name.
  std::memset(s.carpetaInstalacion, 0, sizeof s.carpetaInstalacion);
  elPC->DirectorioWindowsMaxPath(s.carpetaInstalacion);
  std::memset(s.carpetaInstalacion + 3, 0, sizeof s.carpetaInstalacion - 3);
  char rutaSmx[512];
  char rutaCab[512];
  // Without a drive root from the Windows folder there is no install folder to write to.
  if (std::strlen(s.carpetaInstalacion) != 3 || !AnadirAcotado(s.carpetaInstalacion, producto)) {
    CerrarInternet(recurso);
    return false;
  }
  if (!elPC->ExisteCarpeta(s.carpetaInstalacion))
    elPC->CrearCarpeta(s.carpetaInstalacion);
  if (!AnadirAcotado(s.carpetaInstalacion, "\\") || !CopiarAcotado(rutaSmx, s.carpetaInstalacion) ||
      !AnadirAcotado(rutaSmx, producto) || !AnadirAcotado(rutaSmx, ".smx") ||
      !CopiarAcotado(rutaCab, s.carpetaInstalacion) || !AnadirAcotado(rutaCab, producto) ||
      !AnadirAcotado(rutaCab, ".cab")) {
    CerrarInternet(recurso);
    return false;
  }
  BorrarSiExiste(rutaSmx);

  auto fallar = [&](Flujo *smx, const char *mensaje) {
    if (smx)
      smx->Cerrar();
    CerrarInternet(recurso);
    BorrarSiExiste(rutaSmx);
    BorrarSiExiste(rutaCab);
    consola.Aviso(mensaje, IconoAviso::Error);
    return false;
  };

  std::int32_t restante = esperado;
  Flujo smx(rutaSmx);
  CopiarAcotado(s.rutaPaquete, rutaSmx);
  if (!smx.EstaAbierto() || !smx.Correcto())
    return fallar(&smx, kMensajeEscrituraFallida);

  consola.FijarMinimoProgreso(0);
  consola.FijarMaximoProgreso(100);
  consola.AtenderMensaje();

  // Never more than the bytes still to come is asked for, so a longer file is read only
  // up to the size the descriptor gave; a read that ends early ends the download.
  // Chunks of 1024 bytes are gathered and go to disk 64 KiB at a time: one write per
  // chunk would cost a system call each.
  std::vector<char> pendiente(kBloqueCopia);
  std::uint32_t enEspera = 0;
  std::int32_t recibidos = 0;
  auto volcar = [&] {
    smx.EscribirEn(recibidos - static_cast<std::int32_t>(enEspera), pendiente.data(), enEspera);
    enEspera = 0;
    return smx.Correcto();
  };
  while (restante != 0) {
    std::uint32_t pedir = restante < static_cast<std::int32_t>(kBloqueDescarga)
                              ? static_cast<std::uint32_t>(restante)
                              : kBloqueDescarga;
    std::uint32_t leidos = 0;
    if (!LeerInternet(recurso, pendiente.data() + enEspera, pedir, &leidos) || leidos == 0)
      return fallar(&smx, kMensajeDescargaIncompleta);
    enEspera += leidos;
    recibidos += static_cast<std::int32_t>(leidos);
    restante -= static_cast<std::int32_t>(leidos);
    if ((enEspera + kBloqueDescarga > kBloqueCopia || restante == 0) && !volcar())
      return fallar(&smx, kMensajeEscrituraFallida);
    consola.FijarProgreso(Porcentaje(esperado, recibidos));
    consola.AtenderMensaje();
  }
  consola.FijarProgreso(Porcentaje(esperado, recibidos));
  CerrarInternet(recurso);
  recurso = nullptr;

  BorrarSiExiste(rutaCab);
  char resumen[65] = {};
  bool esGabinete = false;
  if (!CopiarCab(smx, rutaCab, esperado - kLargoDescriptor, resumen, esGabinete))
    return fallar(&smx, kMensajeEscrituraFallida);
  smx.Cerrar();
  elPC->BorrarArchivo(rutaSmx);
  // SetupApi copies a file that is no cabinet as it is: it would become the package.
  if (!esGabinete || (s.resumenCab[0] && std::strcmp(resumen, s.resumenCab) != 0))
    return fallar(nullptr, kMensajeActualizacionDanada);

  consola.MostrarEstado("Descomprimiendo archivos...");
  consola.FijarProgreso(0);
  consola.AtenderMensaje();

  std::size_t largo = std::strlen(s.carpetaInstalacion);
  if (largo > 0 && s.carpetaInstalacion[largo - 1] == '\\')
    s.carpetaInstalacion[largo - 1] = '\0';
  char rutaPaquete[512];
  if (!CopiarAcotado(rutaPaquete, s.carpetaInstalacion) || !AnadirAcotado(rutaPaquete, "\\") ||
      !AnadirAcotado(rutaPaquete, producto) || !AnadirAcotado(rutaPaquete, ".smx"))
    return true;
  if (elPC->Descomprimir(rutaCab, rutaPaquete) != 0 && elPC->ExisteArchivo(rutaCab))
    elPC->BorrarArchivo(rutaCab);
  return true;
}
