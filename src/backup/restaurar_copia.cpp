#include "backup/restaurar_copia.h"

#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/formato_copia.h"
#include "backup/texto_copia.h"
#include "backup/textos_copia.h"
#include "console/operaciones_consola.h"
#include "system/archivo.h"
#include "system/lista_nombres.h"
#include "system/pc.h"
#include "system/reemplazo.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char *kSufijoRestauracion = ".qorrest";

// The bar takes 32-bit signed values; an archive past 2 GiB is shown at half scale.
std::int32_t Escala(std::uint32_t valor, bool mitad) {
  return static_cast<std::int32_t>(mitad ? valor >> 1 : valor);
}

// Writes one entry's content into a file, exactly as long as the content.
bool EscribirContenido(Archivo &copia, const EntradaCopia &entrada, Archivo &destino,
                       unsigned char *tramo) {
  if (!destino.EstaAbierto())
    return false;
  bool bien = CopiarTramos(copia, entrada.contenido, destino, 0, entrada.registro.longitud, tramo,
                           kTamanoTramo) &&
              destino.FijarTamano(entrada.registro.longitud);
  return destino.Cerrar() && bien;
}

// Restores one entry. The content is written beside the target under a name listings
// skip and put in its place in one step, so a restore cut short never leaves a target
// half written. Where the target can't be replaced (the product holds it open), it is
// written over in place, leaving it exactly as long as the content, even when the old
// file couldn't be deleted first; a target that took only part of it is removed rather
// than left looking whole (the safety copy holds what it was).
bool RestaurarEntrada(Archivo &copia, const EntradaCopia &entrada, const char *carpeta,
                      const char *ruta, unsigned char *tramo) {
  char temporal[512];
  if (Componer(temporal, {carpeta, "\\.", entrada.registro.nombre, kSufijoRestauracion})) {
    Archivo nuevo(temporal);
    bool escrito = EscribirContenido(copia, entrada, nuevo, tramo);
    if (escrito && ReemplazarArchivo(temporal, ruta))
      return true;
    elPC->BorrarArchivo(temporal);
  }
  if (elPC->ExisteArchivo(ruta))
    elPC->BorrarArchivo(ruta);
  Archivo destino(ruta);
  if (!destino.EstaAbierto())
    return false;
  bool bien = EscribirContenido(copia, entrada, destino, tramo);
  if (!bien)
    elPC->BorrarArchivo(ruta);
  return bien;
}

} // namespace

bool RestaurarCopia() {
  if (laConsola->CantidadItems() == 0)
    return false;
  char texto[150];
  if (!TomarSeleccion(texto))
    return false;
  if (!laConsola->Pregunta(kTextoConfirmaRestaurar))
    return false;
  laConsola->Aviso(kTextoCopiaEstadoActual, IconoAviso::Advertencia);

  // Without a whole safety copy the restore could not be undone.
  switch (CrearCopia(kCopiaCompleta)) {
  case ResultadoCopia::NoInstalado:
    return false;
  case ResultadoCopia::Completa:
    break;
  default:
    laConsola->Aviso(kTextoSinCopiaEstadoActual, IconoAviso::Error);
    return false;
  }

  char instalacion[255], carpetaDatos[255], carpetaObras[255], ruta[512];
  if (!CarpetaInstalacion(instalacion, sizeof instalacion) ||
      !Componer(carpetaDatos, {instalacion, "\\Data"}) ||
      !Componer(carpetaObras, {instalacion, "\\Obras"}))
    return false;
  // The file name must stay a plain name in the backup folder.
  if (!NombreArchivo(texto) || !NombreEntradaValido(texto) ||
      !Componer(ruta, {instalacion, "\\BK\\", texto}) || !elPC->ExisteArchivo(ruta))
    return false;

  auto copia = std::make_unique<Archivo>();
  copia->AbrirLectura(ruta);
  // Nothing in the installation changes before the whole archive proved sound.
  RecorridoCopia prueba = RecorrerCopia(*copia, nullptr);
  if (prueba.estado != EstadoCopia::Valida) {
    laConsola->Aviso(kTextoCopiaDanada, IconoAviso::Error);
    return false;
  }
  std::uint32_t largo = prueba.tamano;
  bool mitad = largo > 0x7FFFFFFFu;

  laConsola->MostrarEstado(kTextoRestaurando);
  laConsola->FijarMaximoProgreso(Escala(largo, mitad));
  laConsola->FijarProgreso(Escala(kTamanoRegistro, mitad));
  laConsola->AtenderMensaje();

  // A restore cut short may have left its half-written files beside the targets.
  BorrarRestos(carpetaObras, kSufijoRestauracion);
  BorrarRestos(carpetaDatos, kSufijoRestauracion);

  std::uint32_t tipo = prueba.cabecera.tipo;
  if (tipo == kCopiaCompleta || tipo == kCopiaObras) {
    auto obras = std::make_unique<ListaNombres>(carpetaObras);
    for (std::int32_t i = 1; i <= obras->Cantidad(); ++i)
      elPC->BorrarArchivo(obras->Item(i)->ruta);
  }

  std::vector<unsigned char> tramo(kTamanoTramo);
  std::vector<std::string> fallidos;
  RecorridoCopia recorrido = RecorrerCopia(*copia, [&](const EntradaCopia &entrada) {
    laConsola->FijarProgreso(Escala(entrada.contenido, mitad));
    laConsola->AtenderMensaje();
    const char *carpeta = entrada.registro.tipo == kEntradaDatos ? carpetaDatos : carpetaObras;
    char destino[512];
    // A missing folder isn't created; its entries are not written.
    if (Componer(destino, {carpeta, "\\", entrada.registro.nombre}) &&
        elPC->ExisteCarpeta(carpeta)) {
      if (!RestaurarEntrada(*copia, entrada, carpeta, destino, tramo.data()))
        fallidos.push_back(entrada.registro.nombre);
    }
    laConsola->FijarProgreso(Escala(entrada.siguiente, mitad));
    laConsola->AtenderMensaje();
    return true;
  });
  copia->Cerrar();
  copia.reset();

  if (recorrido.estado != EstadoCopia::Valida) {
    // The archive changed under us after it was checked.
    laConsola->Aviso(kTextoCopiaCambiada, IconoAviso::Error);
    return false;
  }
  if (!fallidos.empty())
    laConsola->Aviso(TextoConNombres(kTextoArchivosNoRestaurados, fallidos).c_str(),
                     IconoAviso::Advertencia);
  return true;
}
