#include "paquete.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLargoRegistro = 268;
constexpr std::uint32_t kTipoCarpeta = 1;
constexpr std::uint32_t kTipoArchivo = 2;
// The installer addresses the package with signed 32-bit offsets.
constexpr std::uint64_t kMaximoPaquete = 0x7fffffffULL;

void PonerU32(unsigned char *p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// UTF-8 (the tree's names) to Windows-1252 (the package's names), refusing what
// Windows-1252 cannot hold.
bool AAnsi(const std::string &utf8, std::string &ansi) {
  iconv_t conv = iconv_open("CP1252", "UTF-8");
  if (conv == reinterpret_cast<iconv_t>(-1))
    return false;
  std::vector<char> entrada(utf8.begin(), utf8.end());
  std::vector<char> salida(utf8.size() * 2 + 4);
  char *pe = entrada.data();
  char *ps = salida.data();
  std::size_t quedaE = entrada.size(), quedaS = salida.size();
  bool bien = iconv(conv, &pe, &quedaE, &ps, &quedaS) != static_cast<std::size_t>(-1);
  iconv_close(conv);
  if (bien)
    ansi.assign(salida.data(), static_cast<std::size_t>(ps - salida.data()));
  return bien;
}

struct Escritor {
  std::ofstream salida;
  std::uint64_t escritos = 0;

  bool Registro(std::uint32_t tipo, const std::string &nombre, std::uint32_t longitud, bool sistema,
                bool conIData, std::string &error) {
    unsigned char r[kLargoRegistro] = {};
    std::string ansi;
    if (!AAnsi(nombre, ansi)) {
      error = "nombre no representable en Windows-1252: " + nombre;
      return false;
    }
    if (ansi.size() > 255) {
      error = "nombre de más de 255 caracteres: " + nombre;
      return false;
    }
    PonerU32(r, tipo);
    std::memcpy(r + 4, ansi.data(), ansi.size());
    PonerU32(r + 260, longitud);
    r[264] = sistema ? 1 : 0;
    r[265] = conIData ? 1 : 0;
    salida.write(reinterpret_cast<const char *>(r), kLargoRegistro);
    escritos += kLargoRegistro;
    return true;
  }
};

std::string Relativa(const fs::path &carpeta, const fs::path &p) {
  return fs::relative(p, carpeta).generic_string();
}

std::string ConBarrasInvertidas(std::string s) {
  std::replace(s.begin(), s.end(), '/', '\\');
  return s;
}

// The regular files directly in a folder, in name order.
std::vector<fs::path> Archivos(const fs::path &carpeta) {
  std::vector<fs::path> lista;
  for (const auto &e : fs::directory_iterator(carpeta))
    if (e.is_regular_file())
      lista.push_back(e.path());
  std::sort(lista.begin(), lista.end());
  return lista;
}

} // namespace

bool LeerManifiesto(const std::string &ruta, Manifiesto &m, std::string &error) {
  std::ifstream f(ruta);
  if (!f) {
    error = "no se puede leer el manifiesto " + ruta;
    return false;
  }
  std::string linea;
  for (int numero = 1; std::getline(f, linea); ++numero) {
    if (!linea.empty() && linea.back() == '\r')
      linea.pop_back();
    std::size_t inicio = linea.find_first_not_of(" \t");
    if (inicio == std::string::npos || linea[inicio] == '#')
      continue;
    std::size_t corte = linea.find_first_of(" \t", inicio);
    std::string clave = linea.substr(inicio, corte - inicio);
    std::string valor;
    if (corte != std::string::npos) {
      std::size_t v = linea.find_first_not_of(" \t", corte);
      if (v != std::string::npos)
        valor = linea.substr(v, linea.find_last_not_of(" \t") + 1 - v);
    }
    std::replace(valor.begin(), valor.end(), '\\', '/');
    while (!valor.empty() && valor.back() == '/')
      valor.pop_back();
    std::string donde = ruta + ":" + std::to_string(numero) + ": ";
    if (valor.empty()) {
      error = donde + "falta el valor de '" + clave + "'";
      return false;
    }
    if (clave == "version") {
      char *fin = nullptr;
      long v = std::strtol(valor.c_str(), &fin, 10);
      if (*fin || v < 1 || v > 0x7fffffffL) {
        error = donde + "la versión debe ser un entero de 1 a 2147483647";
        return false;
      }
      m.version = static_cast<std::int32_t>(v);
      m.conVersion = true;
    } else if (clave == "sistema") {
      m.sistema.insert(valor);
    } else if (clave == "idata") {
      m.idata.insert(valor);
    } else if (clave == "componente") {
      m.componentes.insert(valor);
    } else {
      error = donde + "clave desconocida '" + clave + "'";
      return false;
    }
  }
  if (!m.conVersion) {
    error = ruta + ": falta 'version'";
    return false;
  }
  return true;
}

bool EscribirPaquete(const std::string &carpetaTexto, const Manifiesto &m,
                     const std::string &salida, std::string &error) {
  fs::path carpeta(carpetaTexto);
  std::error_code ec;
  if (!fs::is_directory(carpeta, ec)) {
    error = "no es una carpeta: " + carpetaTexto;
    return false;
  }
  for (const auto *conjunto : {&m.sistema, &m.idata})
    for (const std::string &c : *conjunto)
      if (!fs::is_directory(carpeta / c, ec)) {
        error = "el manifiesto nombra una carpeta que no está en el árbol: " + c;
        return false;
      }
  for (const std::string &c : m.componentes)
    if (!fs::is_regular_file(carpeta / c, ec)) {
      error = "el manifiesto nombra un componente que no está en el árbol: " + c;
      return false;
    }
  for (const std::string &c : m.sistema)
    if (m.idata.count(c)) {
      error = "una carpeta no puede ser de sistema e iData a la vez: " + c;
      return false;
    }

  std::vector<fs::path> carpetas;
  for (auto it = fs::recursive_directory_iterator(carpeta);
       it != fs::recursive_directory_iterator(); ++it)
    if (it->is_directory())
      carpetas.push_back(it->path());
  std::sort(carpetas.begin(), carpetas.end(), [&](const fs::path &a, const fs::path &b) {
    return Relativa(carpeta, a) < Relativa(carpeta, b);
  });
  for (const fs::path &c : carpetas) {
    fs::path padre = fs::relative(c, carpeta).parent_path();
    for (; !padre.empty(); padre = padre.parent_path())
      if (m.sistema.count(padre.generic_string())) {
        error = "una carpeta de sistema no puede tener subcarpetas: " + padre.generic_string();
        return false;
      }
  }

  std::uint32_t cantidadArchivos = static_cast<std::uint32_t>(Archivos(carpeta).size());
  for (const fs::path &c : carpetas)
    cantidadArchivos += static_cast<std::uint32_t>(Archivos(c).size());

  Escritor e;
  e.salida.open(salida, std::ios::binary | std::ios::trunc);
  if (!e.salida) {
    error = "no se puede escribir " + salida;
    return false;
  }
  if (!e.Registro(kTipoArchivo, "", cantidadArchivos, false, false, error))
    return false;

  auto escribirArchivos = [&](const fs::path &origen) {
    for (const fs::path &a : Archivos(origen)) {
      std::uint64_t largo = fs::file_size(a, ec);
      if (ec || largo > 0xffffffffULL || e.escritos + kLargoRegistro + largo > kMaximoPaquete) {
        error = "el paquete no admite un archivo tan grande: " + a.string();
        return false;
      }
      bool componente = m.componentes.count(Relativa(carpeta, a)) > 0;
      if (!e.Registro(kTipoArchivo, a.filename().string(), static_cast<std::uint32_t>(largo),
                      componente, false, error))
        return false;
      std::ifstream entrada(a, std::ios::binary);
      std::vector<char> bloque(1 << 16);
      std::uint64_t copiados = 0;
      while (copiados < largo) {
        std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(bloque.size(), largo - copiados));
        entrada.read(bloque.data(), static_cast<std::streamsize>(n));
        if (entrada.gcount() != static_cast<std::streamsize>(n)) {
          error = "lectura incompleta de " + a.string();
          return false;
        }
        e.salida.write(bloque.data(), static_cast<std::streamsize>(n));
        copiados += n;
      }
      e.escritos += largo;
    }
    return true;
  };

  // Files at the tree's root come before any folder record: they go to the install folder.
  if (!escribirArchivos(carpeta))
    return false;
  for (const fs::path &c : carpetas) {
    std::string relativa = Relativa(carpeta, c);
    bool sistema = m.sistema.count(relativa) > 0;
    bool conIData = m.idata.count(relativa) > 0;
    if (!e.Registro(kTipoCarpeta, ConBarrasInvertidas(relativa), 0, sistema, conIData, error) ||
        !escribirArchivos(c))
      return false;
  }
  e.salida.close();
  if (!e.salida) {
    error = "no se pudo escribir " + salida;
    return false;
  }
  return true;
}
