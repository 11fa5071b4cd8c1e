#include "unidad_fuzz.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string raiz;

void Quitar() {
  std::error_code error;
  if (!raiz.empty())
    fs::remove_all(raiz, error);
}

} // namespace

const std::string &UnidadFuzz() {
  if (!raiz.empty())
    return raiz;
  const char *base = std::getenv("QOR_DRILL_TMP");
  if (!base || !*base)
    base = std::getenv("TMPDIR");
  std::string plantilla = std::string(base && *base ? base : "/tmp") + "/qor-drill-XXXXXX";
  if (!mkdtemp(plantilla.data()))
    Fallo("no temporary folder under " + plantilla);
  raiz = plantilla;
  fs::create_directories(raiz + "/WINDOWS/system32");
  fs::create_directories(raiz + "/QOR_Fenestrali_2");
  setenv("QOR_DRIVE_C", raiz.c_str(), 1);
  std::atexit(Quitar);
  return raiz;
}

void EscribirHost(const std::string &ruta, const void *datos, std::size_t cantidad) {
  std::ofstream salida(ruta, std::ios::binary | std::ios::trunc);
  salida.write(static_cast<const char *>(datos), static_cast<std::streamsize>(cantidad));
  salida.close();
  if (!salida)
    Fallo("could not write " + ruta);
}

std::vector<std::string> ArchivosBajo(const std::string &carpeta) {
  std::vector<std::string> archivos;
  std::error_code error;
  for (fs::recursive_directory_iterator it(carpeta, error), fin; !error && it != fin;
       it.increment(error)) {
    if (!it->is_directory(error) || it->is_symlink(error))
      archivos.push_back(fs::relative(it->path(), carpeta, error).generic_string());
  }
  return archivos;
}

void VaciarCarpeta(const std::string &carpeta) {
  std::error_code error;
  for (const fs::directory_entry &e : fs::directory_iterator(carpeta, error))
    fs::remove_all(e.path(), error);
}

void Fallo(const std::string &mensaje) {
  std::fprintf(stderr, "FALLO: %s\n", mensaje.c_str());
  std::fflush(stderr);
  std::abort();
}
