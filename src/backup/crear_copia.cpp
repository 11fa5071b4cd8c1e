#include "backup/crear_copia.h"

#include "backup/catalogo.h"
#include "backup/formato_copia.h"
#include "backup/texto_copia.h"
#include "backup/textos_copia.h"
#include "console/operaciones_consola.h"
#include "system/archivo.h"
#include "system/lista_nombres.h"
#include "system/pc.h"
#include "system/rutas.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// The tables in the order they are packed: the jobs list, then the prices list.
constexpr const char *kTablasObras[] = {"Clientes.dft", "Clientes.tbl", "Obras.dft", "Obras.tbl"};
constexpr const char *kTablasPrecios[] = {
    "Camaras.dft",    "Camaras.tbl",      "ConfigD.dft",      "ConfigD.tbl",  "ConfigG.dft",
    "ConfigG.tbl",    "DVH.dft",          "DVH.tbl",          "Monedas.dft",  "Monedas.tbl",
    "Partes.dft",     "Partes.tbl",       "Perfiles.dft",     "Perfiles.tbl", "TipoConfig.dft",
    "TipoConfig.tbl", "Tratamientos.dft", "Tratamientos.tbl", "Vidrios.dft",  "Vidrios.tbl"};

const char *Titulo(std::uint32_t tipo) {
  switch (tipo) {
  case kCopiaCompleta:
    return "Obras y Precios";
  case kCopiaObras:
    return "Obras";
  default:
    return "Precios";
  }
}

} // namespace

// An archive is written under a name beginning with "." (which no listing shows) and
// takes its real name only once complete, so a cut run never leaves a backup that looks
// whole. What a cut run left behind goes at the next backup.
void BorrarRestos(const char *carpeta, const char *sufijo) {
  namespace fs = std::filesystem;
  try {
    std::error_code ec;
    std::vector<std::string> restos;
    const std::size_t largoSufijo = std::strlen(sufijo);
    for (fs::directory_iterator it(RutaLocal(carpeta), ec), fin; !ec && it != fin;
         it.increment(ec)) {
      std::string nombre = it->path().filename().string();
      if (nombre.size() > largoSufijo + 1 && nombre[0] == '.' && nombre.ends_with(sufijo))
        restos.push_back(nombre);
    }
    for (const std::string &nombre : restos) {
      char ruta[512];
      if (Componer(ruta, {carpeta, "\\", nombre.c_str()}))
        elPC->BorrarArchivo(ruta);
    }
  } catch (...) {
    // A name the host can't convert stays; it is never listed.
  }
}

namespace {

// The archive's name: never one already used, so no older backup is reused or
// overwritten. A backup made within the same second waits for the next one.
bool NombreNuevo(const char *carpetaCopias, const char *titulo, char (&nombre)[152],
                 char (&ruta)[512]) {
  for (int intento = 0; intento < 40; ++intento) {
    char sello[50];
    std::memset(sello, 0, sizeof sello);
    SelloFechaHora(sello);
    if (!Componer(nombre, {titulo, sello}) || !Componer(ruta, {carpetaCopias, "\\", nombre}))
      return false;
    if (!elPC->ExisteArchivo(ruta))
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

class Fallo {};

} // namespace

ResultadoCopia CrearCopia(std::uint32_t tipo) {
  char instalacion[512];
  if (!CarpetaInstalacion(instalacion, sizeof instalacion) || !elPC->ExisteCarpeta(instalacion)) {
    laConsola->Aviso(kTextoNoInstalado, IconoAviso::Ninguno);
    return ResultadoCopia::NoInstalado;
  }
  char carpetaCopias[255], carpetaObras[255], carpetaDatos[255];
  bool rutas = Componer(carpetaCopias, {instalacion, "\\BK"}) &&
               Componer(carpetaObras, {instalacion, "\\Obras"}) &&
               Componer(carpetaDatos, {instalacion, "\\Data"});
  if (rutas && !elPC->ExisteCarpeta(carpetaCopias))
    elPC->CrearCarpeta(carpetaCopias);
  char nombre[152], ruta[512], rutaTemporal[512];
  if (!rutas || !elPC->ExisteCarpeta(carpetaCopias)) {
    laConsola->Aviso(kTextoCopiaFallida, IconoAviso::Error);
    return ResultadoCopia::Fallida;
  }
  BorrarRestos(carpetaCopias, ".smbk");
  if (!NombreNuevo(carpetaCopias, Titulo(tipo), nombre, ruta) ||
      !Componer(rutaTemporal, {carpetaCopias, "\\.", nombre})) {
    laConsola->Aviso(kTextoCopiaFallida, IconoAviso::Error);
    return ResultadoCopia::Fallida;
  }

  auto copia = std::make_unique<Archivo>(rutaTemporal);
  std::vector<std::string> omitidos;
  try {
    // A leftover of the same name may still hold bytes.
    if (!copia->EstaAbierto() || !copia->FijarTamano(0))
      throw Fallo();
    RegistroCopia cabecera{};
    PrepararRegistro(cabecera, nombre, 0, tipo);
    unsigned char bytes[kTamanoRegistro];
    SerializarRegistro(cabecera, bytes);
    if (!copia->EscribirTodoEn(0, bytes, kTamanoRegistro))
      throw Fallo();
    std::uint32_t desplazamiento = kTamanoRegistro;
    std::vector<unsigned char> tramo(kTamanoTramo);

    auto agregar = [&](const char *carpeta, const char *archivo, std::uint32_t tipoEntrada) {
      switch (AgregarArchivo(carpeta, archivo, tipoEntrada, *copia, desplazamiento, tramo.data(),
                             kTamanoTramo)) {
      case ResultadoAgregar::ErrorEscritura:
        throw Fallo();
      case ResultadoAgregar::Omitido:
        omitidos.push_back(archivo);
        break;
      default:
        break;
      }
    };

    std::unique_ptr<ListaNombres> obras;
    std::int32_t n = 0;
    if (tipo != kCopiaPrecios) {
      obras = std::make_unique<ListaNombres>(carpetaObras);
      n = obras->Cantidad();
    }
    std::int32_t tablas = tipo == kCopiaCompleta ? 24 : tipo == kCopiaObras ? 4 : 20;
    laConsola->FijarMaximoProgreso(n + tablas);
    for (std::int32_t m = 1; m <= n; ++m) {
      agregar(carpetaObras, obras->Item(m)->nombre, kEntradaObras);
      laConsola->FijarProgreso(m);
      laConsola->AtenderMensaje();
    }
    std::int32_t k = 0;
    auto agregarTablas = [&](const auto &lista) {
      for (const char *tabla : lista) {
        agregar(carpetaDatos, tabla, kEntradaDatos);
        laConsola->FijarProgreso(n + ++k);
        laConsola->AtenderMensaje();
      }
    };
    if (tipo != kCopiaPrecios)
      agregarTablas(kTablasObras);
    if (tipo != kCopiaObras)
      agregarTablas(kTablasPrecios);
    obras.reset();

    // Entries left out may have left bytes past the last whole entry.
    if (!copia->FijarTamano(desplazamiento) || !copia->LeerTodoEn(0, bytes, kTamanoRegistro))
      throw Fallo();
    LeerRegistro(bytes, cabecera);
    cabecera.longitud = desplazamiento;
    SerializarRegistro(cabecera, bytes);
    if (!copia->EscribirTodoEn(0, bytes, kTamanoRegistro) || copia->Tamano() != desplazamiento)
      throw Fallo();
    if (!copia->Cerrar())
      throw Fallo();
    copia.reset();
    // Never over an archive that appeared meanwhile (rename replaces on some hosts).
    if (elPC->ExisteArchivo(ruta) ||
        std::rename(RutaLocal(rutaTemporal).c_str(), RutaLocal(ruta).c_str()) != 0)
      throw Fallo();
    std::memcpy(nombre, cabecera.nombre, sizeof nombre);
    nombre[sizeof nombre - 1] = '\0';
  } catch (const Fallo &) {
    copia.reset();
    elPC->BorrarArchivo(rutaTemporal);
    laConsola->Aviso(kTextoCopiaFallida, IconoAviso::Error);
    return ResultadoCopia::Fallida;
  }

  NombreVisible(nombre);
  laConsola->AgregarItem(nombre);
  laConsola->Seleccionar(laConsola->ultimoIndice);
  if (!omitidos.empty()) {
    laConsola->Aviso(TextoConNombres(kTextoArchivosOmitidos, omitidos).c_str(),
                     IconoAviso::Advertencia);
    return ResultadoCopia::Incompleta;
  }
  return ResultadoCopia::Completa;
}

bool CrearCopiaCompleta() {
  ResultadoCopia r = CrearCopia(kCopiaCompleta);
  return r == ResultadoCopia::Completa || r == ResultadoCopia::Incompleta;
}

bool CrearCopiaObras() {
  ResultadoCopia r = CrearCopia(kCopiaObras);
  return r == ResultadoCopia::Completa || r == ResultadoCopia::Incompleta;
}

bool CrearCopiaPrecios() {
  ResultadoCopia r = CrearCopia(kCopiaPrecios);
  return r == ResultadoCopia::Completa || r == ResultadoCopia::Incompleta;
}
