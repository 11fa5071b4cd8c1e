// The descriptor as the update server sends it, read through the real HTTP client from a
// loopback server: any body gives a version, an expected size that a download can hold
// and a digest that is either absent or 64 lower-case hex digits.
#include "consola_grabadora.h"
#include "servidor_http.h"
#include "system/pc.h"
#include "unidad_fuzz.h"
#include "update/sesion_actualizacion.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t cantidad) {
  static PC pc;
  static std::unique_ptr<ServidorHttp> servidor;
  static int usos = 0;
  elPC = &pc;
  SesionActualizacion &s = laSesionActualizacion;
  // The test server keeps every connection's thread until it ends: a fresh one now and
  // then keeps the process small.
  if (!servidor || ++usos % 256 == 0) {
    servidor.reset();
    servidor = std::make_unique<ServidorHttp>();
    if (!servidor->Activo())
      Fallo("no loopback server");
  }
  if (!s.sesionInternet && !AbrirSesionInternet())
    Fallo("no internet session");
  servidor->Publicar("/QOR_Fenestrali_2.smx",
                     std::string(reinterpret_cast<const char *>(datos), cantidad));
  s.tamanoEsperado = 0;
  std::int32_t version = LeerDescriptor(servidor->UrlBase().c_str(), "QOR_Fenestrali_2");

  if (!s.servidorRespondio)
    Fallo("the server's answer was not taken");
  std::size_t largoResumen = strnlen(s.resumenCab, sizeof s.resumenCab);
  if (largoResumen == sizeof s.resumenCab)
    Fallo("the digest is not terminated");
  if (largoResumen != 0 && largoResumen != 64)
    Fallo("a digest of the wrong length was kept");
  for (std::size_t i = 0; i < largoResumen; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(s.resumenCab[i])) ||
        std::isupper(static_cast<unsigned char>(s.resumenCab[i])))
      Fallo("a digest with a character other than lower-case hex was kept");
  if (s.tamanoEsperado < 0)
    Fallo("a negative expected size");
  if (version != 0 && s.tamanoEsperado <= kLargoDescriptor)
    Fallo("a version on offer with no CAB to download");
  if (cantidad < std::strlen("QOR_Fenestrali_2") && version != 0)
    Fallo("a version read from a body shorter than the product's name");
  elPC = nullptr;
  return 0;
}
