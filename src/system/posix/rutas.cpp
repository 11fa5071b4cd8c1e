#include "system/rutas.h"

#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::string RaizUnidad(char letra) {
  char mayuscula = static_cast<char>(std::toupper(static_cast<unsigned char>(letra)));
  std::string variable = std::string("QOR_DRIVE_") + mayuscula;
  if (const char *valor = std::getenv(variable.c_str()); valor && *valor) {
    std::string raiz = valor;
    while (raiz.size() > 1 && raiz.back() == '/')
      raiz.pop_back();
    return raiz;
  }
  std::string datos;
  if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    datos = xdg;
  else if (const char *home = std::getenv("HOME"); home && *home)
    datos = std::string(home) + "/.local/share";
  else
    datos = "/tmp";
  char minuscula = static_cast<char>(std::tolower(static_cast<unsigned char>(letra)));
  return datos + "/qor/drive_" + minuscula;
}

bool Existe(const std::string &ruta) {
  struct stat st;
  return lstat(ruta.c_str(), &st) == 0;
}

bool IgualesSinMayusculas(const std::string &a, const char *b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == '\0';
}

// The component as it stands in the folder: exact case first, else the first entry
// that matches without regard to case, else as given.
std::string Componente(const std::string &carpeta, const std::string &nombre) {
  std::string base = carpeta.empty() ? "." : carpeta;
  if (Existe(base + "/" + nombre))
    return nombre;
  DIR *d = opendir(base.c_str());
  if (!d)
    return nombre;
  std::string hallado = nombre;
  while (dirent *e = readdir(d)) {
    if (IgualesSinMayusculas(nombre, e->d_name)) {
      hallado = e->d_name;
      break;
    }
  }
  closedir(d);
  return hallado;
}

} // namespace

std::string RutaLocal(const char *rutaWindows) {
  std::string ruta = rutaWindows ? rutaWindows : "";
  std::string raiz;
  std::size_t inicio = 0;
  bool absoluta = false;
  if (ruta.size() >= 2 && std::isalpha(static_cast<unsigned char>(ruta[0])) && ruta[1] == ':') {
    raiz = RaizUnidad(ruta[0]);
    inicio = 2;
    absoluta = true;
  } else if (!ruta.empty() && (ruta[0] == '\\' || ruta[0] == '/')) {
    // Rooted on the current drive, which is always C: here.
    raiz = RaizUnidad('C');
    absoluta = true;
  }

  std::vector<std::string> partes;
  std::string parte;
  auto cerrar = [&] {
    if (parte.empty() || parte == ".") {
    } else if (parte == ".." && absoluta) {
      // As on Windows, nothing climbs above a drive's root.
      if (!partes.empty())
        partes.pop_back();
    } else {
      partes.push_back(parte);
    }
    parte.clear();
  };
  for (std::size_t i = inicio; i < ruta.size(); ++i) {
    if (ruta[i] == '\\' || ruta[i] == '/')
      cerrar();
    else
      parte += ruta[i];
  }
  cerrar();
  bool barraFinal = !ruta.empty() && ruta.size() > inicio &&
                    (ruta.back() == '\\' || ruta.back() == '/');

  std::string salida = raiz;
  bool existe = true;
  for (const std::string &p : partes) {
    std::string nombre = existe ? Componente(salida, p) : p;
    salida = salida.empty() && !absoluta ? nombre : salida + "/" + nombre;
    existe = existe && Existe(salida);
  }
  if (salida.empty())
    salida = absoluta ? raiz : ".";
  if (barraFinal && salida.back() != '/')
    salida += '/';
  return salida;
}
