#include "system/internet.h"

#include <windows.h>
#include <wininet.h>

ManejadorInternet AbrirInternet(const char *agente) {
  return InternetOpenA(agente, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
}

ManejadorInternet AbrirUrlInternet(ManejadorInternet sesion, const char *url) {
  if (!sesion)
    return nullptr;
  return InternetOpenUrlA(static_cast<HINTERNET>(sesion), url, nullptr, 0, INTERNET_FLAG_RELOAD, 0);
}

bool LeerInternet(ManejadorInternet recurso, void *destino, std::uint32_t capacidad,
                  std::uint32_t *leidos) {
  DWORD cantidad = 0;
  *leidos = 0;
  if (!recurso)
    return false;
  BOOL bien = InternetReadFile(static_cast<HINTERNET>(recurso), destino, capacidad, &cantidad);
  *leidos = bien ? cantidad : 0;
  return bien != FALSE;
}

void CerrarInternet(ManejadorInternet manejador) {
  if (manejador)
    InternetCloseHandle(static_cast<HINTERNET>(manejador));
}
