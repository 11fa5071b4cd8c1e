#include "instalacion_temporal.h"

#include "system/rutas.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

void UnidadTemporal::SetUp() {
#ifdef _WIN32
  BorrarArbol(kInstalacion);
  BorrarArbol(kPruebas);
#else
  std::string plantilla = (fs::temp_directory_path() / "qor-unidad-XXXXXX").string();
  ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
  raiz_ = plantilla;
  setenv("QOR_DRIVE_C", raiz_.c_str(), 1);
  fs::create_directories(raiz_ + "/WINDOWS/system32");
#endif
  CrearCarpetas(kPruebas);
}

void UnidadTemporal::TearDown() {
#ifdef _WIN32
  BorrarArbol(kInstalacion);
  BorrarArbol(kPruebas);
#else
  std::error_code ec;
  // Read-only folders left by a test must not keep the tree from going.
  for (auto it = fs::recursive_directory_iterator(raiz_, ec); it != fs::recursive_directory_iterator(); it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(raiz_, ec);
  unsetenv("QOR_DRIVE_C");
#endif
}

std::string UnidadTemporal::Local(const std::string &rutaWindows) { return RutaLocal(rutaWindows.c_str()); }

void UnidadTemporal::EscribirArchivo(const std::string &rutaWindows, const std::string &contenido) {
  fs::path p = Local(rutaWindows);
  fs::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
  ASSERT_TRUE(f.good()) << rutaWindows;
}

std::string UnidadTemporal::LeerArchivo(const std::string &rutaWindows) {
  std::ifstream f(Local(rutaWindows), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

bool UnidadTemporal::Existe(const std::string &rutaWindows) {
  std::error_code ec;
  return fs::exists(Local(rutaWindows), ec);
}

void UnidadTemporal::CrearCarpetas(const std::string &rutaWindows) {
  fs::create_directories(Local(rutaWindows));
}

void UnidadTemporal::BorrarArbol(const std::string &rutaWindows) {
  std::error_code ec;
  fs::path p = Local(rutaWindows);
  for (auto it = fs::recursive_directory_iterator(p, ec); it != fs::recursive_directory_iterator(); it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove_all(p, ec);
}
