// What the update tests share: a test drive, a loopback server that the update
// state points at, the recording console and the committed update fixtures.
#ifndef QOR_TESTS_UPDATE_COMUN_H
#define QOR_TESTS_UPDATE_COMUN_H

#include "consola_grabadora.h"
#include "instalacion_temporal.h"
#include "servidor_http.h"
#include "system/pc.h"

#include <memory>
#include <string>

class PruebaActualizacion : public UnidadTemporal {
protected:
  void SetUp() override;
  void TearDown() override;

  // Publishes the update file's body where the system asks for it.
  void PublicarSmx(const std::string &cuerpo);
  void PublicarSmx(ServidorHttp::Respuesta respuesta);

  // The fixture files in tests/update/datos.
  static std::string Fixture(const std::string &nombre);
  // A 128-byte descriptor header holding the text, zero-filled.
  static std::string Descriptor(const std::string &texto);

  // A server address where nothing listens (a port just freed).
  static std::string UrlSinServidor();

  PC pc;
  std::unique_ptr<ServidorHttp> servidor;
  std::unique_ptr<ConsolaGrabadora> consola;
};

#endif
