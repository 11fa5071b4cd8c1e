#include "update/procesos.h"

#include "util/cadenas.h"

#include <chrono>
#include <cstring>
#include <vector>

namespace {

const char *const kProgramas[] = {"NODRAX.EXE", "NODRAX_SERVER.EXE"};

} // namespace

bool DetenerProcesosProducto() {
  std::vector<std::uint32_t> detenidos;
  const std::uint32_t propio = procesos::Propio();
  procesos::Enumerar([&](const EntradaProceso &e) {
    char nombre[260];
    std::memcpy(nombre, e.nombre, sizeof nombre);
    AMayusculas(nombre);
    for (const char *programa : kProgramas)
      if (std::strcmp(nombre, programa) == 0 && e.identificador != propio &&
          procesos::Terminar(e.identificador))
        detenidos.push_back(e.identificador);
  });
  // Termination is asynchronous: the files are free only once the processes have gone.
  // One that doesn't end in time is left; the installer then names the files it holds.
  auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEsperaFinProcesos);
  for (std::uint32_t id : detenidos) {
    auto ahora = std::chrono::steady_clock::now();
    auto resta = ahora < limite
                     ? std::chrono::duration_cast<std::chrono::milliseconds>(limite - ahora)
                     : std::chrono::milliseconds(0);
    procesos::EsperarFin(id, static_cast<std::uint32_t>(resta.count()));
  }
  return true;
}

std::uint32_t DetenerProcesoPorNombre(const char *nombreModulo) {
  char buscado[260];
  std::memset(buscado, 0, sizeof buscado);
  if (!nombreModulo || std::strlen(nombreModulo) >= sizeof buscado || !*nombreModulo)
    return 0;
  std::strcpy(buscado, nombreModulo);
  AMayusculas(buscado);
  return procesos::TerminarPorModulo([&](const char *modulo) {
    char nombre[260];
    std::memset(nombre, 0, sizeof nombre);
    if (std::strlen(modulo) >= sizeof nombre)
      return false;
    std::strcpy(nombre, modulo);
    AMayusculas(nombre);
    return std::strcmp(nombre, buscado) == 0;
  });
}

ListaProcesos::ListaProcesos() : lista(new Lista(true)) {
  procesos::Enumerar([&](const EntradaProceso &e) {
    // The list releases its data with operator delete on a void pointer's storage, so
    // each entry is a raw block holding a copy.
    void *copia = ::operator new(sizeof(EntradaProceso));
    std::memcpy(copia, &e, sizeof e);
    if (!lista->AgregarDato(copia))
      ::operator delete(copia);
  });
}

ListaProcesos::~ListaProcesos() {
  delete lista;
}

std::int32_t ListaProcesos::Cantidad() const {
  return lista->cantidad;
}

EntradaProceso *ListaProcesos::Entrada(std::int32_t n) {
  if (n < 1 || n > lista->cantidad)
    return nullptr;
  void **dato = lista->Dato(n);
  return dato ? static_cast<EntradaProceso *>(*dato) : nullptr;
}

std::uint32_t ListaProcesos::Identificador(std::int32_t n) {
  EntradaProceso *e = Entrada(n);
  return e ? e->identificador : 0;
}

const char *ListaProcesos::Nombre(std::int32_t n) {
  EntradaProceso *e = Entrada(n);
  return e ? e->nombre : nullptr;
}

void ListaProcesos::Terminar(std::int32_t n) {
  if (EntradaProceso *e = Entrada(n))
    procesos::Terminar(e->identificador);
}

std::int32_t ListaProcesos::BuscarProceso(const char *nombre) {
  char buscado[150];
  std::memset(buscado, 0, sizeof buscado);
  if (!nombre || !*nombre || !CopiaMayusculas(nombre, buscado))
    return 0;
  for (std::int32_t n = 1; n <= lista->cantidad; ++n) {
    char actual[150];
    std::memset(actual, 0, sizeof actual);
    EntradaProceso *e = Entrada(n);
    if (e && CopiaMayusculas(e->nombre, actual) && std::strcmp(actual, buscado) == 0)
      return n;
  }
  return 0;
}
