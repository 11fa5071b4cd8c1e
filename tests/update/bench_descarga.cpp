// Driver of scripts/bench-descarga.
//   bench_descarga servir ARCHIVO.smx
//     serves the file as <base URL>/QOR_Fenestrali_2.smx from the loopback test server,
//     prints the base URL on one line and serves until its standard input closes;
//   bench_descarga descargar URL_BASE RONDAS [CARPETA_UNIDAD_C]
//     runs the version check and the download step RONDAS times and prints the best time
//     of the download loop alone and of the whole step (CAB copy and expansion included).
#include "servidor_http.h"

#include "console/operaciones_consola.h"
#include "system/pc.h"
#include "update/descarga.h"
#include "update/sesion_actualizacion.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using Reloj = std::chrono::steady_clock;

// Notes when the download loop ended: the last position before the expansion's text.
class ConsolaCronometro : public OperacionesConsola {
public:
  Reloj::time_point finDescarga;
  bool expandiendo = false;
  void MostrarEstado(const char *) override { expandiendo = true; }
  void FijarMinimoProgreso(std::int32_t) override {}
  void FijarMaximoProgreso(std::int32_t) override {}
  void FijarProgreso(std::int32_t) override {
    if (!expandiendo)
      finDescarga = Reloj::now();
  }
  void AtenderMensaje() override {}
  void DeshabilitarComandos() override {}
  void HabilitarComandos() override {}
  std::int32_t CantidadItems() override { return 0; }
  void AgregarItem(const char *) override {}
  void BorrarItem(std::int32_t) override {}
  void TextoItem(std::int32_t, char *d, std::size_t c) override {
    if (c)
      *d = '\0';
  }
  void Seleccionar(std::int32_t) override {}
  std::int32_t Seleccion() override { return -1; }
  void Aviso(const char *texto, IconoAviso) override { std::fprintf(stderr, "aviso: %s\n", texto); }
  bool Pregunta(const char *) override { return false; }
};

double Segundos(Reloj::duration d) {
  return std::chrono::duration<double>(d).count();
}

int Servir(const char *archivo) {
  ServidorHttp servidor;
  if (!servidor.Activo())
    return 1;
  ServidorHttp::Respuesta r;
  r.archivo = archivo;
  servidor.Publicar("/QOR_Fenestrali_2.smx", r);
  std::printf("%s\n", servidor.UrlBase().c_str());
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  return 0;
}

int Descargar(const char *url, int rondas, const char *unidadC) {
#ifndef _WIN32
  if (unidadC) {
    std::filesystem::create_directories(std::filesystem::path(unidadC) / "WINDOWS");
    setenv("QOR_DRIVE_C", unidadC, 1);
  }
#else
  (void)unidadC;
#endif
  if (!FijarUrlActualizacion(url))
    return 1;
  PC pc;
  elPC = &pc;
  ConsolaCronometro consola;
  laConsola = &consola;
  double mejorDescarga = 1e9, mejorPaso = 1e9;
  for (int i = 0; i < rondas; ++i) {
    if (!ComprobarVersion() || laSesionActualizacion.versionRemota <= 0)
      return 1;
    consola.expandiendo = false;
    auto t0 = Reloj::now();
    bool bien = DescargarActualizacion();
    auto t1 = Reloj::now();
    if (!bien)
      return 1;
    mejorDescarga = std::min(mejorDescarga, Segundos(consola.finDescarga - t0));
    mejorPaso = std::min(mejorPaso, Segundos(t1 - t0));
    pc.BorrarArchivo("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx");
    pc.BorrarArchivo("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.cab");
  }
  laConsola = nullptr;
  elPC = nullptr;
  std::printf("%.3f %.3f\n", mejorDescarga, mejorPaso);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], "servir") == 0)
    return Servir(argv[2]);
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "descargar") == 0)
    return Descargar(argv[2], std::atoi(argv[3]), argc == 5 ? argv[4] : nullptr);
  std::fprintf(stderr, "uso: bench_descarga servir ARCHIVO.smx\n"
                       "     bench_descarga descargar URL_BASE RONDAS [CARPETA_UNIDAD_C]\n");
  return 2;
}
