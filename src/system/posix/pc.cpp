#include "system/pc.h"

#include "system/interno.h"
#include "system/rutas.h"

#include <mspack.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

extern char **environ;

namespace {

using interno::CopiarTexto;

// Windows error codes the POSIX build reports where Windows would.
constexpr std::uint32_t kArchivoNoEncontrado = 2; // ERROR_FILE_NOT_FOUND
constexpr std::uint32_t kRutaNoEncontrada = 3;    // ERROR_PATH_NOT_FOUND
constexpr std::uint32_t kSinMemoria = 8;          // ERROR_NOT_ENOUGH_MEMORY
constexpr std::uint32_t kDatosNoValidos = 13;     // ERROR_INVALID_DATA
constexpr std::uint32_t kErrorEscritura = 29;     // ERROR_WRITE_FAULT
constexpr std::uint32_t kErrorLectura = 30;       // ERROR_READ_FAULT

bool EsCarpeta(const std::string &local) {
  struct stat st;
  return stat(local.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// There is no Windows folder here: C:\WINDOWS stands for it (on drive C:, mapped by
// QOR_DRIVE_C), unless QOR_WINDIR names another Windows path.
std::string CarpetaWindows() {
  std::string carpeta = "C:\\WINDOWS";
  if (const char *otra = std::getenv("QOR_WINDIR"); otra && *otra)
    carpeta = otra;
  while (carpeta.size() > 3 && carpeta.back() == '\\')
    carpeta.pop_back();
  return carpeta;
}

void Dar(char *destino, std::size_t capacidad, const std::string &texto, std::size_t limite) {
  CopiarTexto(destino, capacidad, texto.size() < limite ? texto.c_str() : "");
}

// The host folder that the drive letter stands for, as the path translation sees it.
std::string RaizLocal(char letra) {
  std::string raiz = RutaLocal((std::string(1, letra) + ":\\").c_str());
  while (raiz.size() > 1 && raiz.back() == '/')
    raiz.pop_back();
  return raiz;
}

// The current folder as a Windows path: the drive whose host folder holds it, then the
// rest with backslashes. A folder outside every drive has no Windows name: empty text.
std::string CarpetaActual() {
  char local[4096];
  if (!getcwd(local, sizeof local))
    return "";
  std::string actual = local;
  for (char letra : std::string("CDEFGHIJKLMNOPQRSTUVWXYZAB")) {
    std::string raiz = RaizLocal(letra);
    char real[PATH_MAX];
    if (realpath(raiz.c_str(), real))
      raiz = real;
    if (actual == raiz)
      return std::string(1, letra) + ":\\";
    if (actual.size() > raiz.size() && actual.compare(0, raiz.size(), raiz) == 0 &&
        (raiz == "/" || actual[raiz.size()] == '/')) {
      std::string resto = actual.substr(raiz == "/" ? 1 : raiz.size() + 1);
      for (char &c : resto)
        if (c == '/')
          c = '\\';
      return std::string(1, letra) + ":\\" + resto;
    }
  }
  return "";
}

// No write permission at all stands for Windows' read-only attribute; root would
// otherwise write and delete such files where Windows refuses.
bool SoloLectura(const struct stat &st) {
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

int LlamarEntrada(const char *ruta, const char *entrada) {
  if (!ruta)
    return 1;
  void *biblioteca = dlopen(RutaLocal(ruta).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (biblioteca) {
    using Registro = long (*)();
    if (void *f = dlsym(biblioteca, entrada))
      reinterpret_cast<Registro>(f)();
    dlclose(biblioteca);
  }
  return 1;
}

// Whether any process (this one included) has the file open: the nearest POSIX comes to
// Windows' share-nothing open. Looks through /proc/*/fd; processes this user can't see
// into (another user's, when not root) go unnoticed.
bool AbiertoPorAlguien(const struct stat &archivo) {
  DIR *procesos = opendir("/proc");
  if (!procesos)
    return false;
  bool abierto = false;
  while (!abierto) {
    dirent *p = readdir(procesos);
    if (!p)
      break;
    if (!std::isdigit(static_cast<unsigned char>(p->d_name[0])))
      continue;
    std::string carpeta = std::string("/proc/") + p->d_name + "/fd";
    DIR *descriptores = opendir(carpeta.c_str());
    if (!descriptores)
      continue;
    while (dirent *d = readdir(descriptores)) {
      if (d->d_name[0] == '.')
        continue;
      struct stat st;
      if (stat((carpeta + "/" + d->d_name).c_str(), &st) == 0 && st.st_dev == archivo.st_dev &&
          st.st_ino == archivo.st_ino) {
        abierto = true;
        break;
      }
    }
    closedir(descriptores);
  }
  closedir(procesos);
  return abierto;
}

std::uint32_t CodigoMspack(int error) {
  switch (error) {
  case MSPACK_ERR_OPEN:
    return kArchivoNoEncontrado;
  case MSPACK_ERR_READ:
  case MSPACK_ERR_SEEK:
    return kErrorLectura;
  case MSPACK_ERR_WRITE:
    return kErrorEscritura;
  case MSPACK_ERR_NOMEMORY:
    return kSinMemoria;
  default:
    return kDatosNoValidos;
  }
}

} // namespace

PC *elPC = nullptr;

void PC::DirectorioWindows(char *d, std::size_t c) {
  Dar(d, c, CarpetaWindows(), 512);
}
void PC::DirectorioWindowsMaxPath(char *d, std::size_t c) {
  Dar(d, c, CarpetaWindows(), 260);
}
void PC::DirectorioSistema(char *d, std::size_t c) {
  Dar(d, c, CarpetaWindows() + "\\system32", 512);
}
void PC::DirectorioSistemaMaxPath(char *d, std::size_t c) {
  Dar(d, c, CarpetaWindows() + "\\system32", 260);
}

// The temporary folder is the Windows folder's Temp, with the trailing backslash that
// Windows gives. It is made when missing, so that callers can write into it at once as
// they can on Windows.
void PC::DirectorioTemporal(char *d, std::size_t c) {
  std::string temporal = CarpetaWindows() + "\\Temp\\";
  if (temporal.size() < 512 && !EsCarpeta(RutaLocal(temporal.c_str())))
    CrearCarpeta(temporal.c_str());
  Dar(d, c, temporal, 512);
}
void PC::DirectorioTemporalMaxPath(char *d, std::size_t c) {
  char texto[512] = {};
  DirectorioTemporal(texto, sizeof texto);
  Dar(d, c, texto, 260);
}
void PC::DirectorioActual(char *d, std::size_t c) {
  Dar(d, c, CarpetaActual(), 512);
}
void PC::DirectorioActualMaxPath(char *d, std::size_t c) {
  Dar(d, c, CarpetaActual(), 260);
}

// The host name up to its first dot, upper-cased as NetBIOS names are; a name longer
// than 15 characters, which Windows would not give either, yields the empty text.
void PC::NombreEquipo(char *d, std::size_t c) {
  char nombre[256] = {};
  if (gethostname(nombre, sizeof nombre - 1) != 0)
    nombre[0] = '\0';
  if (char *punto = std::strchr(nombre, '.'))
    *punto = '\0';
  for (char *p = nombre; *p; ++p)
    *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  Dar(d, c, nombre, 16);
}

// The shell's special folders have no counterpart here: each yields the empty text, as
// on Windows for a folder that the shell cannot give.
void PC::CarpetaDocumentosComunes(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaDocumentos(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaEscritorio(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaEscritorioComun(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaArchivosPrograma(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaMenuInicio(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaMenuInicioComun(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaProgramas(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaProgramasComun(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaInicio(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaInicioComun(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaEntornoRed(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaEntornoImpresoras(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaImpresoras(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}
void PC::CarpetaRed(char *d, std::size_t c) {
  CopiarTexto(d, c, "");
}

// As DeleteFileA: only files, and not one with the read-only attribute.
bool PC::BorrarArchivo(const char *ruta) {
  if (!ruta)
    return false;
  std::string local = RutaLocal(ruta);
  struct stat st;
  if (lstat(local.c_str(), &st) != 0 || S_ISDIR(st.st_mode) ||
      (S_ISREG(st.st_mode) && SoloLectura(st)))
    return false;
  return unlink(local.c_str()) == 0;
}

bool PC::BorrarCarpeta(const char *ruta) {
  return ruta && rmdir(RutaLocal(ruta).c_str()) == 0;
}

bool PC::CrearCarpeta(const char *ruta) {
  return interno::CrearPorNiveles(
      ruta, [](const char *nivel) { return mkdir(RutaLocal(nivel).c_str(), 0777) == 0; });
}

bool PC::ExisteCarpeta(const char *ruta) {
  struct stat st;
  return ruta && stat(RutaLocal(ruta).c_str(), &st) == 0;
}

bool PC::ExisteArchivo(const char *ruta) {
  return ExisteCarpeta(ruta);
}

// Expands the first file of an MSZIP cabinet into the target. Failures come back as
// Windows error codes, never 0; a target left half written is removed.
std::uint32_t PC::Descomprimir(const char *origen, const char *destino) {
  if (!origen || !destino)
    return kArchivoNoEncontrado;
  std::string fuente = RutaLocal(origen);
  std::string objetivo = RutaLocal(destino);
  mscab_decompressor *cab = mspack_create_cab_decompressor(nullptr);
  if (!cab)
    return kSinMemoria;
  std::uint32_t resultado = 0;
  mscabd_cabinet *gabinete = cab->open(cab, fuente.c_str());
  if (!gabinete) {
    resultado = CodigoMspack(cab->last_error(cab));
  } else {
    if (!gabinete->files) {
      resultado = kDatosNoValidos;
    } else if (int error = cab->extract(cab, gabinete->files, objetivo.c_str())) {
      resultado = CodigoMspack(error);
      unlink(objetivo.c_str());
    }
    cab->close(cab, gabinete);
  }
  mspack_destroy_cab_decompressor(cab);
  return resultado;
}

int PC::RegistrarServidor(const char *ruta) {
  return LlamarEntrada(ruta, "DllRegisterServer");
}

int PC::DesregistrarServidor(const char *ruta) {
  return LlamarEntrada(ruta, "DllUnregisterServer");
}

// Shell shortcuts have no counterpart here: E_NOTIMPL, and nothing is written.
long PC::CrearAccesoDirecto(const char *, const char *, const char *) {
  return static_cast<long>(static_cast<std::int32_t>(0x80004001u));
}

// Exists, is a regular file, may be written (no read-only stand-in) and no process has
// it open. Unlike Windows, a process that opened it and then lost our sight of it (in
// another user's processes, when not root) can't be told apart.
bool ArchivoLibre(const char *ruta) {
  if (!ruta)
    return false;
  std::string local = RutaLocal(ruta);
  struct stat st;
  if (stat(local.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || SoloLectura(st) ||
      access(local.c_str(), W_OK) != 0)
    return false;
  return !AbiertoPorAlguien(st);
}

// Programs (the path ends in EXE, any case) run with /REGSERVER and are not waited for;
// anything else is a library registered through DllRegisterServer. Like WinExec, the
// result is above 31 when the program started. The child is reaped when this process
// ends.
int RegistrarComponente(const char *ruta) {
  if (!ruta)
    return 0;
  std::size_t largo = std::strlen(ruta);
  bool programa = largo >= 3;
  for (std::size_t i = 0; programa && i < 3; ++i)
    programa = std::toupper(static_cast<unsigned char>(ruta[largo - 3 + i])) == "EXE"[i];
  if (!programa)
    return elPC ? elPC->RegistrarServidor(ruta) : PC().RegistrarServidor(ruta);
  if (largo + 13 >= 512)
    return static_cast<int>(kRutaNoEncontrada);
  std::string local = RutaLocal(ruta);
  std::string argumento0 = ruta;
  char opcion[] = "/REGSERVER";
  char *argumentos[] = {argumento0.data(), opcion, nullptr};
  pid_t hijo;
  if (posix_spawn(&hijo, local.c_str(), nullptr, nullptr, argumentos, environ) != 0)
    return static_cast<int>(kArchivoNoEncontrado);
  return 33;
}
