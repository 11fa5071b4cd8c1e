#include "update/sesion_actualizacion.h"

#include "update/texto_acotado.h"

#include <cctype>
#include <climits>
#include <cstring>

#ifndef QOR_URL_ACTUALIZACION
#define QOR_URL_ACTUALIZACION "http://127.0.0.1:8765"
#endif
static_assert(sizeof(QOR_URL_ACTUALIZACION) <= sizeof(SesionActualizacion{}.urlBase),
              "the update server's base URL must fit urlBase (127 characters)");

SesionActualizacion laSesionActualizacion{};

namespace {

char urlFijada[128];

// A decimal number as atoi/atol read it (white space, sign, digits), held without
// overflow: the value saturates far beyond any 32-bit quantity.
long long LeerEntero(const char *p) {
  while (std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  bool negativo = *p == '-';
  if (*p == '-' || *p == '+')
    ++p;
  long long valor = 0;
  for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
    if (valor < 100000000000LL)
      valor = valor * 10 + (*p - '0');
  return negativo ? -valor : valor;
}

// The descriptor's optional " sha256=<64 hex digits>" after the size. False when the
// tag is there but malformed.
bool LeerResumen(const char *texto, char resumen[65]) {
  std::memset(resumen, 0, 65);
  const char *marca = std::strstr(texto, "sha256=");
  if (!marca)
    return true;
  marca += 7;
  // A malformed tag leaves no digest behind, not the digits read before the fault.
  for (int i = 0; i < 64; ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(marca[i]))) {
      std::memset(resumen, 0, 65);
      return false;
    }
    resumen[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(marca[i])));
  }
  if (std::isxdigit(static_cast<unsigned char>(marca[64]))) {
    std::memset(resumen, 0, 65);
    return false;
  }
  return true;
}

// The URL of the update file: base, "/", product, ".smx", in a cleared 128-character
// buffer. False when it does not fit.
bool UrlArchivo(char (&url)[128], const char *urlBase, const char *producto) {
  return CopiarAcotado(url, urlBase) && AnadirAcotado(url, "/") && AnadirAcotado(url, producto) &&
         AnadirAcotado(url, ".smx");
}

// Reads from an open address until the buffer is full, the content ends, or (when
// hastaNul) a NUL has arrived: one read may bring only part of what the server sent.
std::uint32_t LeerInicio(ManejadorInternet recurso, char *buffer, std::uint32_t capacidad,
                         bool hastaNul) {
  std::uint32_t total = 0;
  while (total < capacidad) {
    std::uint32_t leidos = 0;
    if (!LeerInternet(recurso, buffer + total, capacidad - total, &leidos) || leidos == 0)
      break;
    bool conNul = std::memchr(buffer + total, 0, leidos) != nullptr;
    total += leidos;
    if (hastaNul && conNul)
      break;
  }
  return total;
}

} // namespace

bool FijarUrlActualizacion(const char *url) {
  char copia[128];
  if (!CopiarAcotado(copia, url))
    return false;
  std::memcpy(urlFijada, copia, sizeof urlFijada);
  return true;
}

bool PrepararActualizacion() {
  SesionActualizacion &s = laSesionActualizacion;
  std::memset(s.urlBase, 0, sizeof s.urlBase);
  std::memset(s.nombreProducto, 0, sizeof s.nombreProducto);
  CopiarAcotado(s.urlBase, urlFijada[0] ? urlFijada : QOR_URL_ACTUALIZACION);
  CopiarAcotado(s.nombreProducto, "QOR_Fenestrali_2");
  s.versionInstalada = 0;
  return true;
}

bool AbrirSesionInternet() {
  laSesionActualizacion.sesionInternet = AbrirInternet("QOR");
  return laSesionActualizacion.sesionInternet != nullptr;
}

void CerrarSesionInternet() {
  if (laSesionActualizacion.sesionInternet) {
    CerrarInternet(laSesionActualizacion.sesionInternet);
    laSesionActualizacion.sesionInternet = nullptr;
  }
}

std::int32_t LeerDescriptor(const char *urlBase, const char *nombreProducto) {
  SesionActualizacion &s = laSesionActualizacion;
  s.servidorRespondio = false;
  std::memset(s.resumenCab, 0, sizeof s.resumenCab);
  char url[128];
  if (!UrlArchivo(url, urlBase, nombreProducto) || !s.sesionInternet)
    return 0;
  ManejadorInternet recurso = AbrirUrlInternet(s.sesionInternet, url);
  if (!recurso)
    return 0;
  s.servidorRespondio = true;
  char buffer[1024];
  std::memset(buffer, 0, sizeof buffer);
  std::uint32_t leidos = LeerInicio(recurso, buffer, sizeof buffer, true);
  CerrarInternet(recurso);

  // The text runs to its NUL, or to the end of what was read; nothing beyond is touched.
  const void *nul = std::memchr(buffer, 0, leidos);
  std::size_t largo =
      nul ? static_cast<std::size_t>(static_cast<const char *>(nul) - buffer) : leidos;
  std::size_t largoNombre = std::strlen(nombreProducto);
  if (largo == 0 || largo < largoNombre || std::memcmp(buffer, nombreProducto, largoNombre) != 0)
    return 0;

  // After the name and its one-character separator comes the version part, held in a
  // 128-character buffer; a longer one is not a descriptor.
  char parte[128];
  std::memset(parte, 0, sizeof parte);
  std::size_t desde = largoNombre + 1 < largo ? largoNombre + 1 : largo;
  if (largo - desde >= sizeof parte)
    return 0;
  std::memcpy(parte, buffer + desde, largo - desde);

  long long version = LeerEntero(parte);
  if (version > INT_MAX)
    version = INT_MAX;
  if (version < INT_MIN)
    version = INT_MIN;

  const char *dosPuntos = std::strchr(parte, ':');
  if (!dosPuntos) {
    // No CAB size: the expected size only grows by the header, and nothing is offered.
    if (s.tamanoEsperado <= INT_MAX - kLargoDescriptor)
      s.tamanoEsperado += kLargoDescriptor;
    return 0;
  }
  long long tamanoCab = LeerEntero(dosPuntos + 1);
  if (tamanoCab <= 0 || tamanoCab > INT_MAX - kLargoDescriptor) {
    s.tamanoEsperado = 0;
    return 0;
  }
  s.tamanoEsperado = static_cast<std::int32_t>(tamanoCab) + kLargoDescriptor;
  if (!LeerResumen(dosPuntos + 1, s.resumenCab))
    return 0;
  return static_cast<std::int32_t>(version);
}

bool ComprobarVersion() {
  SesionActualizacion &s = laSesionActualizacion;
  PrepararActualizacion();
  if (!AbrirSesionInternet()) {
    s.versionRemota = 0;
    s.servidorRespondio = false;
    return false;
  }
  s.versionRemota = LeerDescriptor(s.urlBase, s.nombreProducto);
  CerrarSesionInternet();
  return s.servidorRespondio;
}

bool LeerTextoServidor(char *destino, std::size_t capacidad) {
  SesionActualizacion &s = laSesionActualizacion;
  if (!s.sesionInternet)
    return false;
  ManejadorInternet recurso = AbrirUrlInternet(s.sesionInternet, s.urlBase);
  if (!recurso)
    return false;
  char buffer[1025];
  std::memset(buffer, 0, sizeof buffer);
  LeerInicio(recurso, buffer, 1024, false);
  CerrarInternet(recurso);
  int puntos = 0;
  for (const char *p = buffer; *p; ++p)
    puntos += *p == '.';
  if (buffer[0] == '\0' || puntos < 3)
    return false;
  return CopiarAcotado(destino, capacidad, buffer);
}
