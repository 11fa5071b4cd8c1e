#include "system/internet.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>
#include <vector>

namespace {

// An address's content is taken from WinINet in blocks of what has arrived (up to
// 64 KiB) and handed out in the sizes asked for: a call into WinINet per 1024-byte
// chunk costs more than the transfer itself.
constexpr DWORD kBloque = 64 * 1024;

struct Manejador {
  HINTERNET h = nullptr;
  bool esRecurso = false;
  std::vector<char> datos;
  DWORD inicio = 0;
  DWORD fin = 0;
};

Manejador *Envolver(HINTERNET h, bool esRecurso) {
  if (!h)
    return nullptr;
  auto *m = new Manejador;
  m->h = h;
  m->esRecurso = esRecurso;
  return m;
}

} // namespace

ManejadorInternet AbrirInternet(const char *agente) {
  return Envolver(InternetOpenA(agente, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0), false);
}

ManejadorInternet AbrirUrlInternet(ManejadorInternet sesion, const char *url) {
  auto *s = static_cast<Manejador *>(sesion);
  if (!s || s->esRecurso)
    return nullptr;
  return Envolver(InternetOpenUrlA(s->h, url, nullptr, 0, INTERNET_FLAG_RELOAD, 0), true);
}

bool LeerInternet(ManejadorInternet recurso, void *destino, std::uint32_t capacidad,
                  std::uint32_t *leidos) {
  *leidos = 0;
  auto *r = static_cast<Manejador *>(recurso);
  if (!r || !r->esRecurso)
    return false;
  if (r->inicio == r->fin) {
    r->datos.resize(kBloque);
    r->inicio = 0;
    r->fin = 0;
    // Whatever has arrived, without waiting; when nothing has, wait until something has
    // (or the content has ended: nothing available) and take it.
    for (int intento = 0; intento < 2 && r->fin == 0; ++intento) {
      if (intento == 1) {
        DWORD disponible = 0;
        if (!InternetQueryDataAvailable(r->h, &disponible, 0, 0))
          return false;
        if (disponible == 0)
          return true;
      }
      INTERNET_BUFFERSA b{};
      b.dwStructSize = sizeof b;
      b.lpvBuffer = r->datos.data();
      b.dwBufferLength = kBloque;
      if (!InternetReadFileExA(r->h, &b, IRF_NO_WAIT, 0))
        return false;
      r->fin = b.dwBufferLength;
    }
    if (r->fin == 0)
      return true;
  }
  DWORD n = r->fin - r->inicio;
  if (n > capacidad)
    n = capacidad;
  std::memcpy(destino, r->datos.data() + r->inicio, n);
  r->inicio += n;
  *leidos = n;
  return true;
}

void CerrarInternet(ManejadorInternet manejador) {
  auto *m = static_cast<Manejador *>(manejador);
  if (!m)
    return;
  InternetCloseHandle(m->h);
  delete m;
}
