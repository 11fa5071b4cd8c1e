// Writes the archive seeds with the product's own backup command:
//   semillas CARPETA
// makes a small installation (jobs, tables, a zero-length file, a long name) on a drive
// of its own and leaves in CARPETA one complete, one jobs and one prices backup.
#include "backup/crear_copia.h"
#include "backup/formato_copia.h"
#include "consola_grabadora.h"
#include "system/pc.h"
#include "unidad_fuzz.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: semillas CARPETA\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const std::string inst = UnidadFuzz() + "/QOR_Fenestrali_2";
  fs::create_directories(inst + "/Obras");
  fs::create_directories(inst + "/Data");
  fs::create_directories(inst + "/BK");
  EscribirHost(inst + "/Obras/Cocina García.obr", "ventana 1200x900\r\n", 18);
  EscribirHost(inst + "/Obras/vacía.obr", "", 0);
  EscribirHost(inst + "/Obras/" + std::string(140, 'n') + ".obr", "x", 1);
  EscribirHost(inst + "/Data/Precios.dat", "\x01\x02\x03\x04precio", 10);
  EscribirHost(inst + "/Data/Perfiles.dat", "perfil T45", 10);
  PC pc;
  elPC = &pc;
  ConsolaGrabadora consola;
  const std::pair<std::uint32_t, const char *> tipos[] = {
      {kCopiaCompleta, "completa"}, {kCopiaObras, "obras"}, {kCopiaPrecios, "precios"}};
  for (const auto &[tipo, nombre] : tipos) {
    if (CrearCopia(tipo) != ResultadoCopia::Completa) {
      std::fprintf(stderr, "the %s backup failed\n", nombre);
      return 1;
    }
    for (const fs::directory_entry &e : fs::directory_iterator(inst + "/BK"))
      fs::rename(e.path(), fs::path(argv[1]) / (std::string("copia_") + nombre + ".smbk"));
  }
  elPC = nullptr;
  return 0;
}
