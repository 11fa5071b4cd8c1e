// One internet session and at most one open address, with four ways to take the
// content: into a file, into a file with progress, block by block, or whole in memory.
#ifndef QOR_UPDATE_CONEXION_INTERNET_H
#define QOR_UPDATE_CONEXION_INTERNET_H

#include "system/internet.h"

#include <cstdint>

// (bytes so far, expected size)
using AvanceDescarga = void (*)(std::uint32_t hecho, std::uint32_t esperado);
// (block, bytes in it, bytes so far, expected size); the block is valid only during the call.
using BloqueRecibido = void (*)(const char *bloque, std::uint32_t cantidad, std::uint32_t hecho,
                                std::uint32_t esperado);

class ConexionInternet {
public:
  // Opens the session (agent "Orvandelis", direct access).
  ConexionInternet();
  // The same, then AbrirUrl when the session opened.
  explicit ConexionInternet(const char *direccion);
  ~ConexionInternet();
  ConexionInternet(const ConexionInternet &) = delete;
  ConexionInternet &operator=(const ConexionInternet &) = delete;

  // False without a session, for an empty address or one longer than 254 characters
  // (the open address, if any, then stays). An open address is closed first.
  bool AbrirUrl(const char *direccion);
  void CerrarUrl();

  // The bytes written into the file (created when missing, never truncated); reading
  // stops at the content's end, a failed read or a failed write.
  std::uint32_t DescargarArchivo(const char *ruta);
  // As DescargarArchivo, reporting after every block and stopping once esperado bytes
  // are there. True when an address was open and the path not empty.
  bool DescargarConAvance(const char *ruta, std::uint32_t esperado, AvanceDescarga avance);
  // Hands every block to the callback until esperado bytes have come; nothing is kept.
  bool LeerConAvance(std::uint32_t esperado, BloqueRecibido alBloque);
  // The whole content in one calloc'ed block of exactly its size (no NUL), left at
  // *donde for the caller to free; 0 and *donde untouched when nothing was read.
  std::uint32_t LeerTodo(void **donde);

  const char *Direccion() const { return direccion; }
  bool HayUrl() const { return recurso != nullptr; }

private:
  ManejadorInternet sesion;
  ManejadorInternet recurso;
  char direccion[255];
};

#endif
