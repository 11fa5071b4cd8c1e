#include "update/conexion_internet.h"

#include "system/archivo.h"
#include "update/texto_acotado.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr std::uint32_t kBloque = 1024;
}

ConexionInternet::ConexionInternet() : sesion(nullptr), recurso(nullptr), direccion{} {
  sesion = AbrirInternet("Orvandelis");
}

ConexionInternet::ConexionInternet(const char *direccionInicial) : ConexionInternet() {
  if (sesion)
    AbrirUrl(direccionInicial);
}

ConexionInternet::~ConexionInternet() {
  CerrarUrl();
  if (sesion) {
    CerrarInternet(sesion);
    sesion = nullptr;
  }
}

bool ConexionInternet::AbrirUrl(const char *nueva) {
  if (!sesion || !nueva || !*nueva || std::strlen(nueva) >= sizeof direccion)
    return false;
  // Opening another address over an open one would leak its handle.
  CerrarUrl();
  CopiarAcotado(direccion, nueva);
  recurso = AbrirUrlInternet(sesion, direccion);
  return recurso != nullptr;
}

void ConexionInternet::CerrarUrl() {
  if (recurso) {
    CerrarInternet(recurso);
    recurso = nullptr;
  }
}

std::uint32_t ConexionInternet::DescargarArchivo(const char *ruta) {
  if (!recurso || !ruta || !*ruta)
    return 0;
  Archivo archivo(ruta);
  char bloque[kBloque];
  std::uint32_t escritos = 0;
  for (;;) {
    std::uint32_t leidos = 0;
    if (!LeerInternet(recurso, bloque, kBloque, &leidos) || leidos == 0)
      break;
    if (!archivo.EscribirTodoEn(escritos, bloque, leidos))
      break;
    escritos += leidos;
  }
  archivo.Cerrar();
  return escritos;
}

bool ConexionInternet::DescargarConAvance(const char *ruta, std::uint32_t esperado,
                                          AvanceDescarga avance) {
  if (!recurso || !ruta || !*ruta)
    return false;
  Archivo archivo(ruta);
  char bloque[kBloque];
  std::uint32_t escritos = 0;
  do {
    std::uint32_t leidos = 0;
    if (!LeerInternet(recurso, bloque, kBloque, &leidos) || leidos == 0)
      break;
    if (!archivo.EscribirTodoEn(escritos, bloque, leidos))
      break;
    escritos += leidos;
    if (avance)
      avance(escritos, esperado);
  } while (escritos < esperado);
  archivo.Cerrar();
  return true;
}

bool ConexionInternet::LeerConAvance(std::uint32_t esperado, BloqueRecibido alBloque) {
  if (!recurso)
    return false;
  char bloque[kBloque] = {};
  std::uint32_t hecho = 0;
  do {
    std::uint32_t leidos = 0;
    if (!LeerInternet(recurso, bloque, kBloque, &leidos) || leidos == 0)
      break;
    hecho += leidos;
    if (alBloque)
      alBloque(bloque, leidos, hecho, esperado);
    std::memset(bloque, 0, sizeof bloque);
  } while (hecho < esperado);
  return true;
}

std::uint32_t ConexionInternet::LeerTodo(void **donde) {
  if (!recurso || !donde)
    return 0;
  char bloque[kBloque];
  char *memoria = nullptr;
  std::uint32_t total = 0;
  for (;;) {
    std::uint32_t leidos = 0;
    if (!LeerInternet(recurso, bloque, kBloque, &leidos) || leidos == 0)
      break;
    // A content that would not fit a 32-bit count, or memory that runs out, ends the
    // transfer with what was taken so far.
    if (leidos > UINT32_MAX - total)
      break;
    char *mayor = static_cast<char *>(memoria ? std::realloc(memoria, total + leidos)
                                              : std::calloc(1, leidos));
    if (!mayor)
      break;
    memoria = mayor;
    std::memcpy(memoria + total, bloque, leidos);
    total += leidos;
    *donde = memoria;
  }
  return total;
}
