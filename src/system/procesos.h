// The running processes, as the update needs them: listing, stopping, waiting a bounded
// time for an end, and starting a program. Tool Help, PSAPI and the shell on Windows;
// /proc, signals and posix_spawn elsewhere.
#ifndef QOR_SYSTEM_PROCESOS_H
#define QOR_SYSTEM_PROCESOS_H

#include <cstdint>
#include <functional>

// One process of a snapshot: its identifier and its executable's file name (no path).
struct EntradaProceso {
  std::uint32_t identificador;
  char nombre[260];
};

namespace procesos {

// Calls alEncontrar for each process of one snapshot, in the system's order. False when
// no snapshot could be taken.
bool Enumerar(const std::function<void(const EntradaProceso &)> &alEncontrar);

// Stops the process (open with the rights to terminate and query, terminate with its
// current exit code, close). False when it could not be opened or terminated. Never the
// calling process itself.
bool Terminar(std::uint32_t identificador);

// Waits until the process has ended, at most esperaMs milliseconds; true when it has
// ended (or no longer exists).
bool EsperarFin(std::uint32_t identificador, std::uint32_t esperaMs);

// Walks every process identifier (EnumProcesses) and calls alEncontrar with the base
// name of its first module; stops at the first call that returns true, terminating that
// process. The identifier stopped, or 0.
std::uint32_t TerminarPorModulo(const std::function<bool(const char *)> &esElBuscado);

// The calling process's own identifier.
std::uint32_t Propio();

// Opens the program at the Windows path with the shell (default verb, no parameters,
// shown normally) and does not wait for it. False when it could not be started.
bool AbrirPrograma(const char *ruta);

} // namespace procesos

#endif
