#include "update/instalar_paquete.h"

#include "backup/texto_copia.h"
#include "console/operaciones_consola.h"
#include "system/archivo.h"
#include "system/flujo.h"
#include "system/pc.h"
#include "system/reemplazo.h"
#include "update/sesion_actualizacion.h"
#include "update/texto_acotado.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

const char *const kMensajePaqueteNoValido =
    "La actualización descargada no es válida y no se instaló. Los archivos del programa no "
    "se modificaron.";
const char *const kMensajeArchivosNoReemplazados =
    "No se pudieron reemplazar estos archivos del programa (están en uso o son de solo "
    "lectura):";
const char *const kMensajeCerrarProgramas =
    "Cierre los programas que los usan y vuelva a actualizar.";
const char *const kMensajeArchivosNoEscritos =
    "No se pudieron escribir estos archivos del programa (el disco está lleno o no permite "
    "escribir):";
const char *const kMensajeLiberarEspacio =
    "Libere espacio en el disco o compruebe que permita escribir, y vuelva a actualizar.";

namespace {

constexpr std::uint32_t kTipoCarpeta = 1;
constexpr std::uint32_t kBloque = 64 * 1024;

// One step of the installation, worked out before anything is touched.
struct Paso {
  bool carpeta;
  char ruta[512];      // the folder to create, or the file's destination
  char rutaIData[512]; // a folder record's iData level, else empty
  std::uint32_t desde; // a file's data: offset and length in the package
  std::uint32_t longitud;
  bool registrar;
};

std::uint32_t U32(const unsigned char *p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool EsSeparador(char c) {
  return c == '\\' || c == '/';
}

// A path below the install folder: levels separated by "\" (or "/"), none empty, none
// "..", no drive or colon, nothing absolute.
bool CarpetaRelativaSegura(const char *nombre) {
  if (!*nombre || std::strchr(nombre, ':'))
    return false;
  const char *inicio = nombre;
  for (const char *p = nombre;; ++p) {
    if (*p == '\0' || EsSeparador(*p)) {
      std::size_t largo = static_cast<std::size_t>(p - inicio);
      if (largo == 0 || (largo == 2 && inicio[0] == '.' && inicio[1] == '.'))
        return false;
      if (*p == '\0')
        return true;
      inicio = p + 1;
    }
  }
}

// A plain file name: no folder part, no drive, not "." or "..".
bool NombreArchivoSeguro(const char *nombre) {
  if (!*nombre || std::strcmp(nombre, ".") == 0 || std::strcmp(nombre, "..") == 0)
    return false;
  for (const char *p = nombre; *p; ++p)
    if (EsSeparador(*p) || *p == ':')
      return false;
  return true;
}

bool Unir(char (&destino)[512], const char *carpeta, const char *nombre) {
  return CopiarAcotado(destino, carpeta) && AnadirAcotado(destino, "\\") &&
         AnadirAcotado(destino, nombre);
}

// Reads every record and works out every step. False, with nothing done, when a record
// or a file's data lies beyond the end, a name is not terminated within its field, a name
// would leave the install folder, or a path does not fit.
bool Planear(Archivo &paquete, std::uint32_t tamano, const char *instalacion, const char *sistema,
             std::uint32_t &cantidad, std::vector<Paso> &pasos) {
  if (tamano < kLargoRegistro || tamano > 0x7fffffffu)
    return false;
  unsigned char registro[kLargoRegistro];
  if (!paquete.LeerTodoEn(0, registro, kLargoRegistro))
    return false;
  cantidad = U32(registro + 260);
  char actual[512];
  if (!CopiarAcotado(actual, instalacion))
    return false;
  for (std::uint32_t en = kLargoRegistro; en < tamano;) {
    if (tamano - en < kLargoRegistro)
      return false;
    if (!paquete.LeerTodoEn(en, registro, kLargoRegistro))
      return false;
    en += kLargoRegistro;
    const char *nombre = reinterpret_cast<const char *>(registro + 4);
    if (!std::memchr(nombre, 0, 256))
      return false;
    const std::uint32_t tipo = U32(registro);
    const std::uint32_t longitud = U32(registro + 260);
    const bool marcaSistema = registro[264] != 0;
    const bool conIData = registro[265] != 0;
    Paso paso{};
    if (tipo == kTipoCarpeta) {
      paso.carpeta = true;
      if (conIData || !marcaSistema) {
        if (!CarpetaRelativaSegura(nombre) || !Unir(paso.ruta, instalacion, nombre))
          return false;
        if (conIData && !Unir(paso.rutaIData, paso.ruta, "iData"))
          return false;
        if (!CopiarAcotado(actual, conIData ? paso.rutaIData : paso.ruta))
          return false;
      } else if (!CopiarAcotado(actual, sistema)) {
        return false;
      }
    } else {
      if (!NombreArchivoSeguro(nombre) || longitud > tamano - en ||
          !Unir(paso.ruta, actual, nombre))
        return false;
      char temporal[512];
      if (!CopiarAcotado(temporal, paso.ruta) || !AnadirAcotado(temporal, kSufijoNuevo))
        return false;
      paso.desde = en;
      paso.longitud = longitud;
      paso.registrar = marcaSistema;
      en += longitud;
    }
    pasos.push_back(paso);
  }
  return true;
}

enum class Colocacion { Hecha, SinEscribir, SinReemplazar };

// Writes the file's bytes under the temporary name beside it, then puts it in place of
// the old one. When any of it fails the old file is untouched; the answer tells whether
// the new copy could not be written (no room, a medium that refuses writing) or could
// not take the old one's place (in use, read-only).
Colocacion ColocarArchivo(Archivo &paquete, const Paso &paso, std::vector<char> &bloque) {
  char temporal[512];
  if (!CopiarAcotado(temporal, paso.ruta) || !AnadirAcotado(temporal, kSufijoNuevo))
    return Colocacion::SinEscribir;
  // A leftover of an earlier run would not be truncated by opening it.
  if (elPC->ExisteArchivo(temporal))
    elPC->BorrarArchivo(temporal);
  bool escrito = false;
  {
    Flujo nuevo(temporal);
    escrito = nuevo.EstaAbierto() && nuevo.Correcto();
    for (std::uint32_t hecho = 0; escrito && hecho < paso.longitud;) {
      std::uint32_t cantidad = paso.longitud - hecho;
      if (cantidad > kBloque)
        cantidad = kBloque;
      // A package that can't be read any more gives nothing to write.
      escrito = paquete.LeerTodoEn(paso.desde + hecho, bloque.data(), cantidad);
      if (escrito) {
        nuevo.EscribirEn(static_cast<std::int32_t>(hecho), bloque.data(), cantidad);
        escrito = nuevo.Correcto();
      }
      hecho += cantidad;
    }
    if (escrito)
      nuevo.Cerrar();
  }
  // The last bytes reach the disk only on closing: a full disk shows as a short file.
  if (escrito) {
    Flujo comprobado(temporal);
    escrito = comprobado.Correcto() && comprobado.Tamano() == paso.longitud;
  }
  if (escrito && ReemplazarArchivo(temporal, paso.ruta))
    return Colocacion::Hecha;
  if (elPC->ExisteArchivo(temporal))
    elPC->BorrarArchivo(temporal);
  return escrito ? Colocacion::SinReemplazar : Colocacion::SinEscribir;
}

void BorrarRestos(const char *rutaPaquete) {
  elPC->BorrarArchivo(rutaPaquete);
  // The CAB: everything after the package path's last "." becomes "cab".
  char rutaCab[512];
  if (!CopiarAcotado(rutaCab, rutaPaquete))
    return;
  if (char *punto = std::strrchr(rutaCab, '.')) {
    punto[1] = '\0';
    if (AnadirAcotado(rutaCab, "cab") && elPC->ExisteArchivo(rutaCab))
      elPC->BorrarArchivo(rutaCab);
  }
}

// One notice for every file left as it was, grouped by what stopped it.
void AvisarFallidos(const std::vector<std::string> &noReemplazados,
                    const std::vector<std::string> &noEscritos) {
  std::string texto;
  if (!noReemplazados.empty())
    texto = TextoConNombres(kMensajeArchivosNoReemplazados, noReemplazados) + "\n\n" +
            kMensajeCerrarProgramas;
  if (!noEscritos.empty()) {
    if (!texto.empty())
      texto += "\n\n";
    texto +=
        TextoConNombres(kMensajeArchivosNoEscritos, noEscritos) + "\n\n" + kMensajeLiberarEspacio;
  }
  laConsola->Aviso(texto.c_str(), IconoAviso::Advertencia);
}

} // namespace

bool InstalarPaquete() {
  SesionActualizacion &s = laSesionActualizacion;
  if (!laConsola || !elPC)
    return false;
  OperacionesConsola &consola = *laConsola;
  char sistema[512];
  std::memset(sistema, 0, sizeof sistema);
  elPC->DirectorioSistema(sistema);

  std::vector<Paso> pasos;
  std::uint32_t cantidad = 0;
  // Read only: installing needs no write access to the package itself.
  std::unique_ptr<Archivo> paquete;
  bool valido = false;
  if (s.carpetaInstalacion[0] && s.rutaPaquete[0] && elPC->ExisteArchivo(s.rutaPaquete)) {
    paquete = std::make_unique<Archivo>();
    valido = paquete->AbrirLectura(s.rutaPaquete) &&
             Planear(*paquete, paquete->Tamano(), s.carpetaInstalacion, sistema, cantidad, pasos);
  }
  if (!valido) {
    paquete.reset();
    if (s.rutaPaquete[0])
      BorrarRestos(s.rutaPaquete);
    consola.Aviso(kMensajePaqueteNoValido, IconoAviso::Error);
    return false;
  }

  consola.FijarMinimoProgreso(0);
  consola.FijarMaximoProgreso(static_cast<std::int32_t>(cantidad));
  consola.FijarProgreso(0);
  consola.MostrarEstado("Instalando archivos del programa...");
  consola.AtenderMensaje();

  std::vector<std::string> noReemplazados, noEscritos;
  std::vector<char> bloque(kBloque);
  std::int32_t escritos = 0;
  for (const Paso &paso : pasos) {
    if (paso.carpeta) {
      elPC->CrearCarpeta(paso.ruta);
      if (paso.rutaIData[0])
        elPC->CrearCarpeta(paso.rutaIData);
      continue;
    }
    switch (ColocarArchivo(*paquete, paso, bloque)) {
    case Colocacion::Hecha:
      if (paso.registrar && ArchivoLibre(paso.ruta))
        RegistrarComponente(paso.ruta);
      break;
    case Colocacion::SinReemplazar:
      noReemplazados.push_back(paso.ruta);
      break;
    case Colocacion::SinEscribir:
      noEscritos.push_back(paso.ruta);
      break;
    }
    ++escritos;
    consola.FijarProgreso(escritos);
    consola.AtenderMensaje();
  }
  paquete->Cerrar();
  paquete.reset();
  BorrarRestos(s.rutaPaquete);
  BorrarAcoplesObsoletos();
  if (noReemplazados.empty() && noEscritos.empty())
    return true;
  AvisarFallidos(noReemplazados, noEscritos);
  return false;
}

bool BorrarAcoplesObsoletos() {
  static const char *const kAcoples[] = {
      "\\Marcas\\QOR\\T45 VNS\\Componentes\\Acople Horizontal KX-2741.dft",
      "\\Marcas\\QOR\\T45 VNS\\Componentes\\Acople Horizontal KX-2741.sm12",
      "\\Marcas\\QOR\\T45 VNS\\Componentes\\Acople Vertical KX-2741.dft",
      "\\Marcas\\QOR\\T45 VNS\\Componentes\\Acople Vertical KX-2741.sm13",
  };
  const char *instalacion = laSesionActualizacion.carpetaInstalacion;
  if (!elPC || !instalacion[0])
    return false;
  for (const char *acople : kAcoples) {
    char ruta[512];
    if (CopiarAcotado(ruta, instalacion) && AnadirAcotado(ruta, acople))
      elPC->BorrarArchivo(ruta);
  }
  return true;
}
