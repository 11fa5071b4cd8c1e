// The backup archive as it comes from disk: the walk must hand on only sound entries that
// tile the file exactly, and a restore of it must write nothing but the named files of
// the jobs and data folders, each with its entry's bytes.
#include "backup/catalogo.h"
#include "backup/formato_copia.h"
#include "backup/restaurar_copia.h"
#include "consola_grabadora.h"
#include "system/archivo.h"
#include "system/pc.h"
#include "unidad_fuzz.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

constexpr const char *kNombreCopia = "Copia completa Fecha 01-02-2026 Hora 03-04-05.smbk";

struct Esperado {
  std::string carpeta; // "Obras" or "Data"
  std::string nombre;
  std::string contenido;
};

std::string Minusculas(std::string texto) {
  for (char &c : texto)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return texto;
}

std::string Leer(const std::string &ruta) {
  std::ifstream entrada(ruta, std::ios::binary);
  std::ostringstream texto;
  texto << entrada.rdbuf();
  return texto.str();
}

void Preparar(const std::string &inst) {
  VaciarCarpeta(inst);
  std::filesystem::create_directories(inst + "/Obras");
  std::filesystem::create_directories(inst + "/Data");
  std::filesystem::create_directories(inst + "/BK");
  EscribirHost(inst + "/Obras/anterior.obr", "obra anterior", 13);
  EscribirHost(inst + "/Data/Precios.dat", "precios", 7);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t cantidad) {
  static const std::string raiz = UnidadFuzz();
  static const std::string inst = raiz + "/QOR_Fenestrali_2";
  static PC pc;
  static ConsolaGrabadora consola;
  elPC = &pc;
  Preparar(inst);
  const std::string rutaHost = inst + "/BK/" + kNombreCopia;
  EscribirHost(rutaHost, datos, cantidad);

  // The walk on its own.
  std::uint32_t esperadoEn = kTamanoRegistro;
  std::uint32_t visitadas = 0;
  std::map<std::string, Esperado> esperados; // by lower-case folder\name, last one wins
  bool colision = false;
  std::map<std::string, std::string> vistos; // lower-case key -> name as written
  RecorridoCopia r;
  {
    Archivo copia;
    if (!copia.AbrirLectura((std::string("C:\\QOR_Fenestrali_2\\BK\\") + kNombreCopia).c_str()))
      Fallo("the archive written can't be opened");
    r = RecorrerCopia(copia, [&](const EntradaCopia &e) {
      const RegistroCopia &reg = e.registro;
      if (e.desplazamiento != esperadoEn || e.contenido != e.desplazamiento + kTamanoRegistro)
        Fallo("entries don't follow one another");
      if (e.siguiente - e.contenido != reg.longitud || e.siguiente < e.contenido ||
          e.siguiente > cantidad)
        Fallo("an entry's content lies outside the archive");
      if (!std::memchr(reg.nombre, 0, kTamanoNombre) || !NombreEntradaValido(reg.nombre))
        Fallo("an entry with an unfit name was handed on");
      std::string carpeta = reg.tipo == kEntradaDatos ? "Data" : "Obras";
      std::string clave = Minusculas(carpeta + "/" + reg.nombre);
      // Names that differ only by case (or by a trailing dot or space) meet in one file.
      auto [previo, nuevo] = vistos.emplace(clave, reg.nombre);
      colision = colision || (!nuevo && previo->second != reg.nombre);
      esperados[clave] = {
          carpeta, reg.nombre,
          std::string(reinterpret_cast<const char *>(datos) + e.contenido, reg.longitud)};
      esperadoEn = e.siguiente;
      ++visitadas;
      return true;
    });
  }
  if (r.tamano != cantidad || r.entradas != visitadas)
    Fallo("the walk's size or count is wrong");
  const bool valida = r.estado == EstadoCopia::Valida;
  if (valida && (cantidad < kTamanoRegistro || esperadoEn != cantidad))
    Fallo("a walk called valid didn't reach the end exactly");
  if (r.estado == EstadoCopia::CabeceraCortada && cantidad >= kTamanoRegistro)
    Fallo("a whole header called cut");
  if (!valida && r.estado != EstadoCopia::CabeceraCortada && r.desplazamientoError != esperadoEn)
    Fallo("the fault isn't placed at the record after the last sound entry");

  // The restore of it, after the safety copy.
  consola.items.clear();
  consola.llamadas.clear();
  consola.seleccion = -1;
  ListarCopias();
  if (consola.items.size() != 1)
    Fallo("the archive isn't listed");
  consola.Responder({true});
  bool restaurada = RestaurarCopia();
  if (restaurada != valida)
    Fallo(valida ? "a sound archive wasn't restored" : "a faulty archive was restored");

  // Nothing but the install folder's own sub-folders holds anything.
  for (const std::string &archivo : ArchivosBajo(raiz)) {
    if (archivo.rfind("QOR_Fenestrali_2/Obras/", 0) != 0 &&
        archivo.rfind("QOR_Fenestrali_2/Data/", 0) != 0 &&
        archivo.rfind("QOR_Fenestrali_2/BK/", 0) != 0)
      Fallo("restore wrote outside the jobs and data folders: " + archivo);
    if (archivo.find('/', archivo.find('/', 17) + 1) != std::string::npos)
      Fallo("restore wrote into a sub-folder: " + archivo);
  }
  if (!valida) {
    if (Leer(inst + "/Obras/anterior.obr") != "obra anterior" ||
        Leer(inst + "/Data/Precios.dat") != "precios")
      Fallo("a refused archive changed the installation");
  } else {
    for (const auto &[clave, e] : esperados) {
      // A trailing dot or space or a case twin may name the same host file differently.
      if (colision)
        break;
      std::string ruta = inst + "/" + e.carpeta + "/" + e.nombre;
      if (!std::filesystem::exists(ruta)) {
        bool avisado = false;
        for (const std::string &aviso : consola.Avisos())
          avisado = avisado || aviso.find(e.nombre) != std::string::npos;
        if (!avisado)
          Fallo("an entry was neither restored nor named to the user: " + e.nombre);
      } else if (Leer(ruta) != e.contenido) {
        Fallo("restored content differs from the entry: " + e.nombre);
      }
    }
  }
  elPC = nullptr;
  return 0;
}
