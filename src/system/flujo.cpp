#include "system/flujo.h"

#include "system/interno.h"
#include "system/pc.h"
#include "system/plataforma.h"
#include "system/rutas.h"

#include <cstring>

// Every operation first checks for the stream: after Cerrar there is none, and the
// operation does nothing.

Flujo::Flujo(const char *ruta) : abierto(false), posicion(0), flujoArchivo(nullptr), tamano(0) {
  flujoArchivo = new std::fstream;
  Abrir(ruta);
}

Flujo::~Flujo() {
  abierto = false;
  posicion = 0;
  if (flujoArchivo) {
    if (flujoArchivo->is_open()) {
      flujoArchivo->flush();
      flujoArchivo->close();
    }
    delete flujoArchivo;
  }
  flujoArchivo = nullptr;
}

bool Flujo::Abrir(const char *ruta) {
  posicion = 0;
  tamano = 0;
  abierto = false;
  if (!flujoArchivo)
    flujoArchivo = new std::fstream;
  if (flujoArchivo->is_open())
    flujoArchivo->close();
  // A read-only file can't be opened for writing (root on POSIX could: refuse it too).
  if (!ruta || plataforma::SoloLectura(ruta)) {
    flujoArchivo->setstate(std::ios::failbit);
    return false;
  }
  // Opening for reading and writing without truncation keeps an existing file's content
  // but can't create one: a missing file is created by opening it with truncation.
  PC pc;
  std::ios::openmode modo = std::ios::in | std::ios::out | std::ios::binary;
  if (!pc.ExisteArchivo(ruta))
    modo |= std::ios::trunc;
  flujoArchivo->open(RutaLocal(ruta), modo);
  if (flujoArchivo->is_open())
    flujoArchivo->clear();
  else
    flujoArchivo->setstate(std::ios::failbit);
  abierto = flujoArchivo->is_open();
  return abierto;
}

bool Flujo::Correcto() const {
  return flujoArchivo && abierto && !flujoArchivo->fail();
}

std::uint32_t Flujo::Tamano() {
  if (!flujoArchivo)
    return 0xFFFFFFFFu;
  flujoArchivo->seekg(0, std::ios::end);
  tamano = static_cast<std::uint32_t>(static_cast<std::int64_t>(flujoArchivo->tellg()));
  return tamano;
}

bool Flujo::Fin() {
  if (tamano == 0)
    Tamano();
  return static_cast<std::uint32_t>(posicion) >= tamano;
}

void Flujo::LeerLinea(char *destino, std::size_t capacidad) {
  if (!flujoArchivo || !destino || capacidad == 0)
    return;
  std::uint32_t total = Tamano();
  if (!abierto || flujoArchivo->fail() || total == static_cast<std::uint32_t>(posicion) ||
      static_cast<std::uint32_t>(posicion) > total)
    return;
  std::uint32_t resto = total - static_cast<std::uint32_t>(posicion);
  unsigned char ventana[interno::kVentanaLinea] = {};
  std::uint32_t pedir = resto < sizeof ventana ? resto : sizeof ventana;
  flujoArchivo->seekg(posicion, std::ios::beg);
  flujoArchivo->read(reinterpret_cast<char *>(ventana), pedir);
  std::streamsize leidos = flujoArchivo->gcount();
  if (leidos <= 0)
    return;
  posicion += static_cast<std::int32_t>(
      interno::CortarLinea(ventana, static_cast<std::size_t>(leidos), destino, capacidad));
}

void Flujo::Posicionar(std::int32_t desplazamiento) {
  if (!flujoArchivo || !abierto)
    return;
  posicion = desplazamiento;
  flujoArchivo->seekg(desplazamiento, std::ios::beg);
  flujoArchivo->seekp(desplazamiento, std::ios::beg);
}

void Flujo::EscribirLinea(const char *texto) {
  if (!flujoArchivo || !abierto || !texto)
    return;
  std::int32_t largo = static_cast<std::int32_t>(std::strlen(texto));
  flujoArchivo->seekp(posicion, std::ios::beg);
  flujoArchivo->write(texto, largo);
  posicion += largo;
  flujoArchivo->seekp(posicion, std::ios::beg);
  flujoArchivo->write("\r\n", 2);
  posicion += 2;
}

void Flujo::EscribirEn(std::int32_t desplazamiento, const void *datos, std::uint32_t longitud) {
  posicion = desplazamiento;
  if (!flujoArchivo || !abierto || (!datos && longitud > 0))
    return;
  flujoArchivo->seekp(desplazamiento, std::ios::beg);
  flujoArchivo->write(static_cast<const char *>(datos), static_cast<std::streamsize>(longitud));
}

void Flujo::LeerEn(std::int32_t desplazamiento, void *destino, std::uint32_t longitud) {
  posicion = desplazamiento;
  if (!flujoArchivo || !abierto || (!destino && longitud > 0))
    return;
  flujoArchivo->seekg(desplazamiento, std::ios::beg);
  flujoArchivo->read(static_cast<char *>(destino), static_cast<std::streamsize>(longitud));
}

void Flujo::Cerrar() {
  if (!flujoArchivo || !abierto)
    return;
  flujoArchivo->flush();
  flujoArchivo->close();
  abierto = false;
  posicion = 0;
  delete flujoArchivo;
  flujoArchivo = nullptr;
}
