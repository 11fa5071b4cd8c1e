#include "copias_prueba.h"

#include <filesystem>

namespace fs = std::filesystem;

void InstalacionCopias::SetUp() {
  UnidadTemporal::SetUp();
  pc_ = std::make_unique<PC>();
  elPC = pc_.get();
  consola = std::make_unique<ConsolaGrabadora>();
  CrearCarpetas(En("\\Obras"));
  CrearCarpetas(En("\\Data"));
}

void InstalacionCopias::TearDown() {
  consola.reset();
  elPC = nullptr;
  pc_.reset();
  UnidadTemporal::TearDown();
}

std::map<std::string, std::string> InstalacionCopias::Archivos(const std::string &sub) {
  std::map<std::string, std::string> r;
  std::error_code ec;
  for (const auto &e : fs::directory_iterator(Local(En(sub)), ec))
    if (e.is_regular_file())
      r[e.path().filename().string()] = LeerArchivo(En(sub + "\\" + e.path().filename().string()));
  return r;
}

std::map<std::string, std::string> InstalacionCopias::Foto() {
  std::map<std::string, std::string> r;
  fs::path raiz = Local(kInstalacion);
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(raiz, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::string relativo = fs::relative(it->path(), raiz).generic_string();
    if (it->is_regular_file()) {
      std::string w = relativo;
      for (char &c : w)
        if (c == '/')
          c = '\\';
      r[relativo] = LeerArchivo(std::string(kInstalacion) + "\\" + w);
    } else {
      r[relativo + "/"] = "";
    }
  }
  return r;
}

std::string InstalacionCopias::UnicaCopia() {
  auto copias = Archivos("\\BK");
  EXPECT_EQ(copias.size(), 1u);
  if (copias.empty())
    return {};
  return En("\\BK\\" + copias.begin()->first);
}

std::string InstalacionCopias::U32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i)
    s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string InstalacionCopias::Registro(const std::string &nombre, std::uint32_t longitud,
                                        std::uint32_t tipo) {
  std::string r = nombre.substr(0, 152);
  r.resize(152, '\0');
  return r + U32(longitud) + U32(tipo);
}

std::string InstalacionCopias::Contenido(const std::string &semilla, std::size_t largo) {
  std::string r;
  r.reserve(largo);
  for (std::size_t i = 0; r.size() < largo; ++i)
    r += semilla + std::to_string(i) + '\n';
  r.resize(largo);
  return r;
}

CopiaLeida InstalacionCopias::Desarmar(const std::string &bytes) {
  auto u32 = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
      v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
  };
  auto nombre = [&](std::size_t at) {
    std::string campo = bytes.substr(at, 152);
    std::size_t fin = campo.find('\0');
    EXPECT_NE(fin, std::string::npos) << "name without terminator at " << at;
    EXPECT_EQ(campo.find_first_not_of('\0', fin), std::string::npos) << "field not zero-filled";
    return campo.substr(0, fin);
  };
  CopiaLeida c;
  if (bytes.size() < 160) {
    ADD_FAILURE() << "archive of " << bytes.size() << " bytes";
    return c;
  }
  c.nombre = nombre(0);
  c.longitud = u32(152);
  c.tipo = u32(156);
  EXPECT_EQ(c.longitud, bytes.size());
  std::size_t at = 160;
  while (at < bytes.size()) {
    if (bytes.size() - at < 160) {
      ADD_FAILURE() << "record cut at " << at;
      break;
    }
    EntradaLeida e{nombre(at), u32(at + 156), {}};
    std::uint32_t largo = u32(at + 152);
    if (largo > bytes.size() - at - 160) {
      ADD_FAILURE() << "content cut at " << at;
      break;
    }
    e.contenido = bytes.substr(at + 160, largo);
    c.entradas.push_back(e);
    at += 160 + largo;
  }
  return c;
}
