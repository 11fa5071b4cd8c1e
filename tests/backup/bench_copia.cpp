// Runs a complete backup or a restore outside the tests, for scripts/bench-backup:
//   bench_copia crear       a complete backup of the installation on drive C:
//   bench_copia restaurar   restores the backup whose display name starts with the given
//                           text (answering Yes), after its safety copy
// Drive C: is QOR_DRIVE_C's folder. Prints the seconds each phase took.
#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/restaurar_copia.h"
#include "consola_grabadora.h"
#include "system/pc.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Reloj = std::chrono::steady_clock;

double Segundos(Reloj::time_point desde, Reloj::time_point hasta) {
  return std::chrono::duration<double>(hasta - desde).count();
}

// Notes when the restore proper starts: the status text comes right after the safety
// copy.
class ConsolaMedida : public ConsolaGrabadora {
public:
  void MostrarEstado(const char *texto) override {
    inicioRestauracion = Reloj::now();
    ConsolaGrabadora::MostrarEstado(texto);
  }
  Reloj::time_point inicioRestauracion{};
};

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: bench_copia crear | restaurar PREFIJO\n");
    return 2;
  }
  PC pc;
  elPC = &pc;
  ConsolaMedida consola;
  int resultado = 0;
  if (std::strcmp(argv[1], "crear") == 0) {
    auto inicio = Reloj::now();
    bool hecho = CrearCopiaCompleta();
    std::printf("crear %.3f\n", Segundos(inicio, Reloj::now()));
    resultado = hecho && consola.Avisos().empty() ? 0 : 1;
  } else if (std::strcmp(argv[1], "restaurar") == 0 && argc == 3) {
    ListarCopias();
    consola.seleccion = -1;
    for (std::size_t i = 0; i < consola.items.size(); ++i)
      if (consola.items[i].rfind(argv[2], 0) == 0)
        consola.seleccion = static_cast<std::int32_t>(i);
    consola.Responder({true});
    auto inicio = Reloj::now();
    bool hecho = RestaurarCopia();
    auto fin = Reloj::now();
    std::printf("copia_de_seguridad %.3f\nrestaurar %.3f\n",
                Segundos(inicio, consola.inicioRestauracion),
                Segundos(consola.inicioRestauracion, fin));
    resultado = hecho && consola.Avisos().size() == 1 ? 0 : 1;
  } else {
    resultado = 2;
  }
  for (const std::string &aviso : consola.Avisos())
    std::fprintf(stderr, "aviso: %s\n", aviso.c_str());
  elPC = nullptr;
  return resultado;
}
