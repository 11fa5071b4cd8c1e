// The internet seam: one call per WinINet operation. WinINet on Windows; libcurl
// natively, with the same pull-style reads (a read returns as soon as some bytes are
// there and never holds more than a small window of the content in memory).
#ifndef QOR_SYSTEM_INTERNET_H
#define QOR_SYSTEM_INTERNET_H

#include <cstdint>

// An HINTERNET on Windows; the library's own object natively. nullptr is "none".
using ManejadorInternet = void *;

// InternetOpenA: the given agent, direct access (no proxy, no bypass list), no flags.
ManejadorInternet AbrirInternet(const char *agente);
// InternetOpenUrlA on a session: no extra headers, INTERNET_FLAG_RELOAD, context 0.
// A handle comes back once the server has answered, whatever its HTTP status.
ManejadorInternet AbrirUrlInternet(ManejadorInternet sesion, const char *url);
// InternetReadFile: up to capacidad bytes; *leidos 0 with true means the content ended.
bool LeerInternet(ManejadorInternet recurso, void *destino, std::uint32_t capacidad,
                  std::uint32_t *leidos);
// InternetCloseHandle; a null handle is ignored.
void CerrarInternet(ManejadorInternet manejador);

#endif
