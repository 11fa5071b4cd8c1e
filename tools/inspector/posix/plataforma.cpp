#include "plataforma_inspector.h"

#include "system/rutas.h"
#include "texto_inspector.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

void PrepararPlataforma() {
  setenv("QOR_DRIVE_Z", "/", 1);
}

bool RutaDeArgumento(const char *argumento, std::string &ruta, std::string &motivo) {
  std::string texto = argumento;
  if (texto.empty()) {
    motivo = "ruta vacía";
    return false;
  }
  // A backslash is a name character here but a separator to the services.
  if (texto.find('\\') != std::string::npos) {
    motivo = "la ruta contiene una barra invertida: " + texto;
    return false;
  }
  std::error_code ec;
  std::filesystem::path absoluta = std::filesystem::absolute(texto, ec);
  if (ec) {
    motivo = "no se puede resolver la ruta: " + texto;
    return false;
  }
  std::string host = absoluta.lexically_normal().string();
  while (host.size() > 1 && host.back() == '/')
    host.pop_back();
  ruta = "Z:";
  for (char c : host)
    ruta += c == '/' ? '\\' : c;
  if (ruta == "Z:")
    ruta += '\\';
  return true;
}

bool MoverArchivo(const char *origen, const char *destino, bool reemplazar) {
  std::string o = RutaLocal(origen), d = RutaLocal(destino);
  if (reemplazar)
    return std::rename(o.c_str(), d.c_str()) == 0;
  // A hard link fails when the destination exists, with no window for a race.
  if (link(o.c_str(), d.c_str()) == 0) {
    unlink(o.c_str()); // a leftover temporary name costs nothing: the file is in place
    return true;
  }
  if (errno == EEXIST)
    return false;
  // File systems without hard links: checked, then moved.
  struct stat st;
  if (lstat(d.c_str(), &st) == 0)
    return false;
  return std::rename(o.c_str(), d.c_str()) == 0;
}

bool EsRedireccion(const char *ruta) {
  struct stat st;
  return lstat(RutaLocal(ruta).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool TamanoEnDisco(const char *ruta, std::uint64_t &tamano) {
  struct stat st;
  if (stat(RutaLocal(ruta).c_str(), &st) != 0)
    return false;
  tamano = static_cast<std::uint64_t>(st.st_size);
  return true;
}

bool ArchivosDeCarpeta(const char *carpeta, std::vector<std::string> &nombres) {
  std::string base = RutaLocal(carpeta);
  DIR *d = opendir(base.c_str());
  if (!d)
    return false;
  while (dirent *e = readdir(d)) {
    struct stat st;
    if (stat((base + "/" + e->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
      nombres.push_back(e->d_name);
  }
  closedir(d);
  return true;
}

bool EsCarpeta(const char *ruta) {
  struct stat st;
  return stat(RutaLocal(ruta).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string NombreDelHost(const std::string &nombreAnsi) {
  return Utf8DeAnsi(nombreAnsi);
}

unsigned long IdProceso() {
  return static_cast<unsigned long>(getpid());
}
