// Driver of scripts/bench-descarga: serves an update file from the loopback test
// server and times, best of several runs, `curl -o` of it against the console's own
// download (the download loop alone, and the whole step with CAB copy and expansion).
//   bench_descarga ARCHIVO.smx CARPETA_TEMPORAL [RONDAS]
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

} // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "uso: bench_descarga ARCHIVO.smx CARPETA_TEMPORAL [RONDAS]\n");
    return 2;
  }
  std::string smx = argv[1];
  std::filesystem::path temporal = argv[2];
  int rondas = argc > 3 ? std::atoi(argv[3]) : 3;
  std::filesystem::create_directories(temporal / "c" / "WINDOWS");
  setenv("QOR_DRIVE_C", (temporal / "c").c_str(), 1);

  ServidorHttp servidor;
  if (!servidor.Activo())
    return 1;
  ServidorHttp::Respuesta r;
  r.archivo = smx;
  servidor.Publicar("/QOR_Fenestrali_2.smx", r);
  FijarUrlActualizacion(servidor.UrlBase().c_str());
  PC pc;
  elPC = &pc;
  ConsolaCronometro consola;
  laConsola = &consola;

  double mejorCurl = 1e9, mejorDescarga = 1e9, mejorPaso = 1e9;
  for (int i = 0; i < rondas; ++i) {
    std::string destino = (temporal / "curl.smx").string();
    std::string orden = "curl --noproxy '*' -s -o '" + destino + "' '" + servidor.UrlBase() +
                        "/QOR_Fenestrali_2.smx'";
    auto t0 = Reloj::now();
    if (std::system(orden.c_str()) != 0)
      return 1;
    mejorCurl = std::min(mejorCurl, Segundos(Reloj::now() - t0));
    std::filesystem::remove(destino);

    if (!ComprobarVersion() || laSesionActualizacion.versionRemota <= 0)
      return 1;
    consola.expandiendo = false;
    t0 = Reloj::now();
    bool bien = DescargarActualizacion();
    auto t1 = Reloj::now();
    if (!bien)
      return 1;
    mejorDescarga = std::min(mejorDescarga, Segundos(consola.finDescarga - t0));
    mejorPaso = std::min(mejorPaso, Segundos(t1 - t0));
    std::filesystem::remove_all(temporal / "c" / "QOR_Fenestrali_2");
  }
  laConsola = nullptr;
  std::printf("curl -o            %8.3f s\n", mejorCurl);
  std::printf("descarga (bucle)   %8.3f s   relacion %.2f\n", mejorDescarga,
              mejorDescarga / mejorCurl);
  std::printf("paso completo      %8.3f s   relacion %.2f (con copia del CAB y expansion)\n",
              mejorPaso, mejorPaso / mejorCurl);
  return 0;
}
