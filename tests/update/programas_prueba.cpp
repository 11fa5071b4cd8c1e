#include "programas_prueba.h"

#include "system/rutas.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
extern char **environ;
#endif

namespace fs = std::filesystem;

void CopiarPrograma(const std::string &origenHost, const std::string &destinoWindows) {
  fs::path destino = RutaLocal(destinoWindows.c_str());
  fs::create_directories(destino.parent_path());
  std::error_code ec;
  fs::copy_file(origenHost, destino, fs::copy_options::overwrite_existing, ec);
  ASSERT_FALSE(ec) << origenHost << " -> " << destinoWindows << ": " << ec.message();
#ifndef _WIN32
  fs::permissions(destino, fs::perms::owner_all, fs::perm_options::add, ec);
#endif
}

ProcesoPrueba::ProcesoPrueba(const std::string &rutaWindows) {
#ifdef _WIN32
  STARTUPINFOA inicio;
  std::memset(&inicio, 0, sizeof inicio);
  inicio.cb = sizeof inicio;
  PROCESS_INFORMATION info;
  std::memset(&info, 0, sizeof info);
  std::string linea = "\"" + rutaWindows + "\"";
  if (CreateProcessA(rutaWindows.c_str(), linea.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     nullptr, &inicio, &info)) {
    CloseHandle(info.hThread);
    manejador = info.hProcess;
    identificador = info.dwProcessId;
  }
#else
  std::string local = RutaLocal(rutaWindows.c_str());
  std::string argumento0 = local;
  char *argumentos[] = {argumento0.data(), nullptr};
  pid_t hijo = 0;
  if (posix_spawn(&hijo, local.c_str(), nullptr, nullptr, argumentos, environ) == 0)
    identificador = static_cast<std::uint32_t>(hijo);
#endif
}

ProcesoPrueba::~ProcesoPrueba() {
  if (!identificador)
    return;
#ifdef _WIN32
  TerminateProcess(static_cast<HANDLE>(manejador), 1);
  WaitForSingleObject(static_cast<HANDLE>(manejador), 5000);
  CloseHandle(static_cast<HANDLE>(manejador));
#else
  if (!Termino(0)) {
    kill(static_cast<pid_t>(identificador), SIGKILL);
    waitpid(static_cast<pid_t>(identificador), nullptr, 0);
  }
#endif
}

bool ProcesoPrueba::Termino(int esperaMs) {
#ifdef _WIN32
  return WaitForSingleObject(static_cast<HANDLE>(manejador), static_cast<DWORD>(esperaMs)) ==
         WAIT_OBJECT_0;
#else
  auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(esperaMs);
  for (;;) {
    pid_t r = waitpid(static_cast<pid_t>(identificador), nullptr, WNOHANG);
    if (r == static_cast<pid_t>(identificador)) {
      identificador = 0;
      return true;
    }
    if (r < 0 || std::chrono::steady_clock::now() >= limite)
      return r < 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
#endif
}

TurnoProcesos::TurnoProcesos() {
#ifndef _WIN32
  descriptor = open("/tmp/qor-pruebas-procesos.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0666);
  if (descriptor >= 0)
    flock(descriptor, LOCK_EX);
#endif
}

TurnoProcesos::~TurnoProcesos() {
#ifndef _WIN32
  if (descriptor >= 0)
    close(descriptor);
#endif
}

bool EsperarArchivo(const std::string &rutaWindows, int esperaMs) {
  auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(esperaMs);
  for (;;) {
    std::error_code ec;
    if (fs::exists(RutaLocal(rutaWindows.c_str()), ec))
      return true;
    if (std::chrono::steady_clock::now() >= limite)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

namespace {

void PonerU32(std::string &s, std::size_t en, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    s[en + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xff);
}

std::string Registro(std::uint32_t tipo, const std::string &nombre, std::uint32_t longitud,
                     bool sistema, bool conIData) {
  std::string r(268, '\0');
  PonerU32(r, 0, tipo);
  r.replace(4, nombre.size() < 256 ? nombre.size() : 256, nombre.substr(0, 256));
  PonerU32(r, 260, longitud);
  r[264] = sistema ? 1 : 0;
  r[265] = conIData ? 1 : 0;
  return r;
}

} // namespace

// The publisher writes the header and file records with tipo 2, folder records with
// longitud 0.
EscritorPaquete::EscritorPaquete(std::uint32_t cantidadArchivos)
    : bytes(Registro(2, "", cantidadArchivos, false, false)) {}

EscritorPaquete &EscritorPaquete::Carpeta(const std::string &nombre, bool sistema, bool conIData) {
  bytes += Registro(1, nombre, 0, sistema, conIData);
  return *this;
}

EscritorPaquete &EscritorPaquete::Archivo(const std::string &nombre, const std::string &datos,
                                          bool sistema) {
  bytes += Registro(2, nombre, static_cast<std::uint32_t>(datos.size()), sistema, false);
  bytes += datos;
  return *this;
}
