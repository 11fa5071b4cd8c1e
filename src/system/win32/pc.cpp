#include "system/pc.h"

#include "system/interno.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cctype>
#include <cstring>

namespace {

using interno::CopiarTexto;

// The long forms ask with a 512-character buffer; the MaxPath forms with a cleared
// 260-character one. A call that fails or whose answer does not fit gives the empty text.
template <typename Llamada>
void Carpeta(char *destino, std::size_t capacidad, DWORD espacio, Llamada llamada) {
  char texto[512] = {};
  DWORD largo = llamada(texto, espacio);
  if (largo == 0 || largo >= espacio)
    texto[0] = '\0';
  CopiarTexto(destino, capacidad, texto);
}

// A drive path (X:\...) or a network path (\\server\...); not a shell name such as
// "::{GUID}", which some shells give for a folder without a file-system path.
bool RutaDeArchivos(const char *texto) {
  bool unidad =
      std::isalpha(static_cast<unsigned char>(texto[0])) && texto[1] == ':' && texto[2] == '\\';
  bool red = texto[0] == '\\' && texto[1] == '\\';
  return unidad || red;
}

void CarpetaEspecial(int csidl, char *destino, std::size_t capacidad) {
  char texto[512] = {};
  LPITEMIDLIST lista = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &lista)) && lista) {
    // A folder without a file-system path (printers, network) gives the empty text.
    if (!SHGetPathFromIDListA(lista, texto) || !RutaDeArchivos(texto))
      texto[0] = '\0';
    IMalloc *asignador = nullptr;
    if (SUCCEEDED(SHGetMalloc(&asignador)) && asignador) {
      asignador->Free(lista);
      asignador->Release();
    }
  }
  texto[sizeof texto - 1] = '\0';
  CopiarTexto(destino, capacidad, texto);
}

int LlamarEntrada(const char *ruta, const char *entrada) {
  if (!ruta)
    return 1;
  HMODULE biblioteca = LoadLibraryA(ruta);
  if (biblioteca) {
    using Registro = HRESULT(STDAPICALLTYPE *)();
    FARPROC f = GetProcAddress(biblioteca, entrada);
    if (f)
      reinterpret_cast<Registro>(reinterpret_cast<void *>(f))();
    FreeLibrary(biblioteca);
  }
  return 1;
}

// The uncompressed length of the cabinet's first file, from its header (the "MSCF"
// signature, then the offset of the first file entry at byte 16, whose first field is
// the length). False when the source is no cabinet.
bool LongitudDeclarada(const char *origen, DWORD &longitud) {
  HANDLE h = CreateFileA(origen, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    return false;
  unsigned char cabecera[20] = {};
  unsigned char entrada[4] = {};
  DWORD leidos = 0;
  bool bien = ReadFile(h, cabecera, sizeof cabecera, &leidos, nullptr) &&
              leidos == sizeof cabecera && std::memcmp(cabecera, "MSCF", 4) == 0;
  if (bien) {
    DWORD desplazamiento = cabecera[16] | cabecera[17] << 8 | cabecera[18] << 16 |
                           static_cast<DWORD>(cabecera[19]) << 24;
    LONG alto = 0;
    bien = !(SetFilePointer(h, static_cast<LONG>(desplazamiento), &alto, FILE_BEGIN) ==
                 INVALID_SET_FILE_POINTER &&
             GetLastError() != NO_ERROR) &&
           ReadFile(h, entrada, sizeof entrada, &leidos, nullptr) && leidos == sizeof entrada;
    longitud =
        entrada[0] | entrada[1] << 8 | entrada[2] << 16 | static_cast<DWORD>(entrada[3]) << 24;
  }
  CloseHandle(h);
  return bien;
}

DWORD LongitudDe(const char *ruta) {
  WIN32_FILE_ATTRIBUTE_DATA datos;
  if (!GetFileAttributesExA(ruta, GetFileExInfoStandard, &datos) ||
      (datos.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return INVALID_FILE_SIZE;
  return datos.nFileSizeHigh ? INVALID_FILE_SIZE : datos.nFileSizeLow;
}

// Windows refuses write access to a read-only file; asked explicitly so that the answer
// is the same where the system lets an administrator through (Wine run as root).
bool SoloLectura(const char *ruta) {
  DWORD atributos = GetFileAttributesA(ruta);
  return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_READONLY);
}

} // namespace

PC *elPC = nullptr;

void PC::DirectorioWindows(char *d, std::size_t c) {
  Carpeta(d, c, 512, [](char *t, DWORD n) { return GetWindowsDirectoryA(t, n); });
}
void PC::DirectorioWindowsMaxPath(char *d, std::size_t c) {
  Carpeta(d, c, MAX_PATH, [](char *t, DWORD n) { return GetWindowsDirectoryA(t, n); });
}
void PC::DirectorioSistema(char *d, std::size_t c) {
  Carpeta(d, c, 512, [](char *t, DWORD n) { return GetSystemDirectoryA(t, n); });
}
void PC::DirectorioSistemaMaxPath(char *d, std::size_t c) {
  Carpeta(d, c, MAX_PATH, [](char *t, DWORD n) { return GetSystemDirectoryA(t, n); });
}
void PC::DirectorioTemporal(char *d, std::size_t c) {
  Carpeta(d, c, 512, [](char *t, DWORD n) { return GetTempPathA(n, t); });
}
void PC::DirectorioTemporalMaxPath(char *d, std::size_t c) {
  Carpeta(d, c, MAX_PATH, [](char *t, DWORD n) { return GetTempPathA(n, t); });
}
void PC::DirectorioActual(char *d, std::size_t c) {
  Carpeta(d, c, 512, [](char *t, DWORD n) { return GetCurrentDirectoryA(n, t); });
}
void PC::DirectorioActualMaxPath(char *d, std::size_t c) {
  Carpeta(d, c, MAX_PATH, [](char *t, DWORD n) { return GetCurrentDirectoryA(n, t); });
}

void PC::NombreEquipo(char *d, std::size_t c) {
  char texto[16] = {};
  DWORD espacio = sizeof texto;
  if (!GetComputerNameA(texto, &espacio))
    texto[0] = '\0';
  texto[sizeof texto - 1] = '\0';
  CopiarTexto(d, c, texto);
}

void PC::CarpetaDocumentosComunes(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_COMMON_DOCUMENTS, d, c);
}
void PC::CarpetaDocumentos(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_PERSONAL, d, c);
}
void PC::CarpetaEscritorio(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_DESKTOP, d, c);
}
void PC::CarpetaEscritorioComun(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_COMMON_DESKTOPDIRECTORY, d, c);
}
void PC::CarpetaArchivosPrograma(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_PROGRAM_FILES, d, c);
}
void PC::CarpetaMenuInicio(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_STARTMENU, d, c);
}
void PC::CarpetaMenuInicioComun(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_COMMON_STARTMENU, d, c);
}
void PC::CarpetaProgramas(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_PROGRAMS, d, c);
}
void PC::CarpetaProgramasComun(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_COMMON_PROGRAMS, d, c);
}
void PC::CarpetaInicio(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_STARTUP, d, c);
}
void PC::CarpetaInicioComun(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_COMMON_STARTUP, d, c);
}
void PC::CarpetaEntornoRed(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_NETHOOD, d, c);
}
void PC::CarpetaEntornoImpresoras(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_PRINTHOOD, d, c);
}
void PC::CarpetaImpresoras(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_PRINTERS, d, c);
}
void PC::CarpetaRed(char *d, std::size_t c) {
  CarpetaEspecial(CSIDL_NETWORK, d, c);
}

bool PC::BorrarArchivo(const char *ruta) {
  return ruta && DeleteFileA(ruta);
}

bool PC::BorrarCarpeta(const char *ruta) {
  return ruta && RemoveDirectoryA(ruta);
}

bool PC::CrearCarpeta(const char *ruta) {
  if (!ruta)
    return false;
  // Each level takes over the Windows folder's attributes.
  char plantilla[MAX_PATH] = {};
  DirectorioWindows(plantilla, sizeof plantilla);
  return interno::CrearPorNiveles(
      ruta, [&](const char *nivel) { return CreateDirectoryExA(plantilla, nivel, nullptr) != 0; });
}

bool PC::ExisteCarpeta(const char *ruta) {
  return ruta && PathFileExistsA(ruta);
}

bool PC::ExisteArchivo(const char *ruta) {
  return ruta && PathFileExistsA(ruta);
}

std::uint32_t PC::Descomprimir(const char *origen, const char *destino) {
  char sistema[512] = {};
  DirectorioSistema(sistema, sizeof sistema);
  if (!interno::AgregarTexto(sistema, sizeof sistema, "\\SetupApi.dll"))
    return ERROR_FILENAME_EXCED_RANGE;
  // A SetupApi that can't be loaded is a failure like any other: its code comes back,
  // never 0, so that the caller does not take an unexpanded file for an expanded one.
  HMODULE setupapi = LoadLibraryA(sistema);
  if (!setupapi) {
    DWORD error = GetLastError();
    return error ? error : ERROR_MOD_NOT_FOUND;
  }
  using Expandir = DWORD(WINAPI *)(PCSTR, PCSTR, PUINT);
  FARPROC f = GetProcAddress(setupapi, "SetupDecompressOrCopyFileA");
  if (!f) {
    FreeLibrary(setupapi);
    return ERROR_PROC_NOT_FOUND;
  }
  // SetupApi may report success for a source that is no cabinet, or leave a short file
  // behind a damaged one: the expansion only counts when the target has the length the
  // cabinet declares.
  DWORD declarada = 0;
  if (!origen || !destino || !LongitudDeclarada(origen, declarada)) {
    FreeLibrary(setupapi);
    bool falta = !origen || GetFileAttributesA(origen) == INVALID_FILE_ATTRIBUTES;
    return falta ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_DATA;
  }
  UINT tipo = 2; // FILE_COMPRESSION_MSZIP
  DWORD resultado = reinterpret_cast<Expandir>(reinterpret_cast<void *>(f))(origen, destino, &tipo);
  FreeLibrary(setupapi);
  if (resultado == NO_ERROR && LongitudDe(destino) != declarada) {
    DeleteFileA(destino);
    resultado = ERROR_INVALID_DATA;
  }
  return resultado;
}

int PC::RegistrarServidor(const char *ruta) {
  return LlamarEntrada(ruta, "DllRegisterServer");
}

int PC::DesregistrarServidor(const char *ruta) {
  return LlamarEntrada(ruta, "DllUnregisterServer");
}

long PC::CrearAccesoDirecto(const char *destino, const char *archivoAcceso,
                            const char *argumentos) {
  if (!destino || !archivoAcceso)
    return E_INVALIDARG;
  char objetivo[512] = {};
  char trabajo[512] = {};
  WCHAR nombre[MAX_PATH] = {};
  // Texts that don't fit are refused before anything is written.
  if (!CopiarTexto(objetivo, sizeof objetivo, destino) ||
      MultiByteToWideChar(CP_ACP, 0, archivoAcceso, -1, nombre, MAX_PATH) == 0)
    return E_INVALIDARG;
  // The working folder is the target's folder: up to the last backslash before the
  // extension's dot. A target without them gets none.
  if (char *punto = std::strrchr(objetivo, '.')) {
    *punto = '\0';
    if (char *barra = std::strrchr(objetivo, '\\')) {
      std::memcpy(trabajo, objetivo, static_cast<std::size_t>(barra - objetivo));
    }
    *punto = '.';
  }

  HRESULT inicio = CoInitialize(nullptr);
  IShellLinkA *enlace = nullptr;
  HRESULT r = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void **>(&enlace));
  if (SUCCEEDED(r)) {
    IPersistFile *archivo = nullptr;
    r = enlace->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&archivo));
    if (SUCCEEDED(r)) {
      enlace->SetPath(objetivo);
      enlace->SetDescription("Orvandelis");
      if (argumentos)
        enlace->SetArguments(argumentos);
      if (trabajo[0])
        enlace->SetWorkingDirectory(trabajo);
      r = archivo->Save(nombre, TRUE);
      archivo->Release();
    }
    enlace->Release();
  }
  // Only a successful CoInitialize is matched by CoUninitialize.
  if (SUCCEEDED(inicio))
    CoUninitialize();
  return r;
}

bool ArchivoLibre(const char *ruta) {
  if (!ruta || SoloLectura(ruta))
    return false;
  HANDLE h =
      CreateFileA(ruta, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    return false;
  CloseHandle(h);
  return true;
}

int RegistrarComponente(const char *ruta) {
  if (!ruta)
    return 0;
  std::size_t largo = std::strlen(ruta);
  bool programa = largo >= 3;
  for (std::size_t i = 0; programa && i < 3; ++i)
    programa = std::toupper(static_cast<unsigned char>(ruta[largo - 3 + i])) == "EXE"[i];
  if (!programa)
    return elPC ? elPC->RegistrarServidor(ruta) : PC().RegistrarServidor(ruta);
  // The path is quoted so that a folder name with spaces can't be taken for another
  // program ("C:\Program Files\..." is not "C:\Program.exe").
  char orden[512] = {};
  if (!interno::AgregarTexto(orden, sizeof orden, "\"") ||
      !interno::AgregarTexto(orden, sizeof orden, ruta) ||
      !interno::AgregarTexto(orden, sizeof orden, "\" /REGSERVER"))
    return ERROR_PATH_NOT_FOUND;
  return static_cast<int>(WinExec(orden, SW_HIDE));
}
