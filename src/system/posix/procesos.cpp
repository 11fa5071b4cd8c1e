#include "system/procesos.h"

#include "system/rutas.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/types.h>
#include <unistd.h>

extern char **environ;

namespace {

// The last component of a path.
std::string Base(const std::string &ruta) {
  std::size_t barra = ruta.find_last_of('/');
  return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

// The executable's file name: /proc/PID/comm is cut at 15 characters, so the name comes
// from the executable's own path (/proc/PID/exe), or, where that can't be read, from
// the first word of the command line; comm only as a last resort (kernel threads).
std::string NombreDe(const std::string &pid) {
  std::string carpeta = "/proc/" + pid;
  char destino[4096];
  ssize_t n = readlink((carpeta + "/exe").c_str(), destino, sizeof destino - 1);
  if (n > 0) {
    std::string ruta(destino, static_cast<std::size_t>(n));
    const std::string borrado = " (deleted)";
    if (ruta.size() > borrado.size() &&
        ruta.compare(ruta.size() - borrado.size(), borrado.size(), borrado) == 0)
      ruta.resize(ruta.size() - borrado.size());
    return Base(ruta);
  }
  std::ifstream linea(carpeta + "/cmdline", std::ios::binary);
  std::string primero;
  std::getline(linea, primero, '\0');
  if (!primero.empty())
    return Base(primero);
  std::ifstream comm(carpeta + "/comm");
  std::string nombre;
  std::getline(comm, nombre);
  return nombre;
}

// A process that has ended but whose parent has not collected it yet counts as ended:
// it holds no files any more.
bool Vive(pid_t pid) {
  std::ifstream estado("/proc/" + std::to_string(pid) + "/stat");
  std::string texto;
  if (!std::getline(estado, texto))
    return false;
  std::size_t cierre = texto.rfind(')');
  if (cierre == std::string::npos || cierre + 2 >= texto.size())
    return false;
  char letra = texto[cierre + 2];
  return letra != 'Z' && letra != 'X';
}

void Dormir(long ms) {
  timespec t{ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

} // namespace

namespace procesos {

bool Enumerar(const std::function<void(const EntradaProceso &)> &alEncontrar) {
  DIR *proc = opendir("/proc");
  if (!proc)
    return false;
  while (dirent *d = readdir(proc)) {
    bool numero = d->d_name[0] != '\0';
    for (const char *p = d->d_name; *p && numero; ++p)
      numero = std::isdigit(static_cast<unsigned char>(*p)) != 0;
    if (!numero)
      continue;
    std::string nombre = NombreDe(d->d_name);
    EntradaProceso entrada;
    std::memset(&entrada, 0, sizeof entrada);
    entrada.identificador = static_cast<std::uint32_t>(std::stoul(d->d_name));
    if (nombre.size() < sizeof entrada.nombre)
      std::memcpy(entrada.nombre, nombre.data(), nombre.size());
    alEncontrar(entrada);
  }
  closedir(proc);
  return true;
}

bool Terminar(std::uint32_t identificador) {
  pid_t pid = static_cast<pid_t>(identificador);
  if (pid <= 0 || pid == getpid())
    return false;
  return kill(pid, SIGKILL) == 0;
}

bool EsperarFin(std::uint32_t identificador, std::uint32_t esperaMs) {
  pid_t pid = static_cast<pid_t>(identificador);
  for (std::uint32_t esperado = 0;; esperado += 10) {
    if (!Vive(pid))
      return true;
    if (esperado >= esperaMs)
      return false;
    Dormir(10);
  }
}

std::uint32_t TerminarPorModulo(const std::function<bool(const char *)> &esElBuscado) {
  std::uint32_t detenido = 0;
  Enumerar([&](const EntradaProceso &e) {
    if (detenido == 0 && e.identificador != static_cast<std::uint32_t>(getpid()) &&
        esElBuscado(e.nombre) && Terminar(e.identificador))
      detenido = e.identificador;
  });
  return detenido;
}

std::uint32_t Propio() {
  return static_cast<std::uint32_t>(getpid());
}

bool AbrirPrograma(const char *ruta) {
  if (!ruta)
    return false;
  std::string local = RutaLocal(ruta);
  std::string argumento0 = ruta;
  char *argumentos[] = {argumento0.data(), nullptr};
  pid_t hijo;
  return posix_spawn(&hijo, local.c_str(), nullptr, nullptr, argumentos, environ) == 0;
}

} // namespace procesos
