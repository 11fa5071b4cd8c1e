// Stopping the product's sibling programs before an installation, and the process list.
#ifndef QOR_UPDATE_PROCESOS_H
#define QOR_UPDATE_PROCESOS_H

#include "system/procesos.h"
#include "util/lista.h"

#include <cstdint>

// How long the stopping waits, in all, for the stopped programs to end (their files stay
// in use until they have).
constexpr std::uint32_t kEsperaFinProcesos = 5000;

// Stops every process whose executable is NODRAX.EXE or NODRAX_SERVER.EXE (whole name,
// any letter case) and waits, a bounded time, for them to end. Always true.
bool DetenerProcesosProducto();
// Stops the first process whose program module has that base name, any letter case. The
// identifier stopped, or 0.
std::uint32_t DetenerProcesoPorNombre(const char *nombreModulo);

// A snapshot of the running processes, numbered from 1.
class ListaProcesos {
public:
  ListaProcesos();
  ~ListaProcesos();
  ListaProcesos(const ListaProcesos &) = delete;
  ListaProcesos &operator=(const ListaProcesos &) = delete;

  std::int32_t Cantidad() const;
  // 0 when n is out of range.
  std::uint32_t Identificador(std::int32_t n);
  // None when n is out of range.
  const char *Nombre(std::int32_t n);
  // Stops the process of entry n; nothing for n out of range.
  void Terminar(std::int32_t n);
  // The position of the first entry with that executable name, any letter case; 0 when
  // none has it, for an empty name and for names of 150 characters or more.
  std::int32_t BuscarProceso(const char *nombre);

private:
  EntradaProceso *Entrada(std::int32_t n);
  Lista *lista;
};

#endif
