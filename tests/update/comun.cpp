#include "comun.h"

#include "update/sesion_actualizacion.h"

#include <fstream>
#include <iterator>

void PruebaActualizacion::SetUp() {
  UnidadTemporal::SetUp();
  elPC = &pc;
  laSesionActualizacion = SesionActualizacion{};
  servidor = std::make_unique<ServidorHttp>();
  ASSERT_TRUE(servidor->Activo());
  ASSERT_TRUE(FijarUrlActualizacion(servidor->UrlBase().c_str()));
  consola = std::make_unique<ConsolaGrabadora>();
}

void PruebaActualizacion::TearDown() {
  consola.reset();
  servidor.reset();
  elPC = nullptr;
  UnidadTemporal::TearDown();
}

void PruebaActualizacion::PublicarSmx(const std::string &cuerpo) {
  servidor->Publicar("/QOR_Fenestrali_2.smx", cuerpo);
}

void PruebaActualizacion::PublicarSmx(ServidorHttp::Respuesta respuesta) {
  servidor->Publicar("/QOR_Fenestrali_2.smx", std::move(respuesta));
}

std::string PruebaActualizacion::Fixture(const std::string &nombre) {
  std::ifstream f(std::string(QOR_DATOS_ACTUALIZACION) + "/" + nombre, std::ios::binary);
  EXPECT_TRUE(f.good()) << nombre;
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string PruebaActualizacion::Descriptor(const std::string &texto) {
  std::string cabecera = texto;
  cabecera.resize(128, '\0');
  return cabecera;
}

std::string PruebaActualizacion::UrlSinServidor() {
  ServidorHttp libre;
  return libre.UrlBase();
}
