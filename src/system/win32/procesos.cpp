#include "system/procesos.h"

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>

namespace {

// Terminate with the exit code the process has now (STILL_ACTIVE for a running one).
bool TerminarAbierto(HANDLE proceso) {
  DWORD codigo = 0;
  GetExitCodeProcess(proceso, &codigo);
  return TerminateProcess(proceso, codigo) != 0;
}

} // namespace

namespace procesos {

bool Enumerar(const std::function<void(const EntradaProceso &)> &alEncontrar) {
  PROCESSENTRY32 entrada;
  std::memset(&entrada, 0, sizeof entrada);
  entrada.dwSize = sizeof entrada;
  HANDLE instantanea = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPMODULE, 0);
  if (instantanea == INVALID_HANDLE_VALUE)
    return false;
  for (BOOL hay = Process32First(instantanea, &entrada); hay;
       hay = Process32Next(instantanea, &entrada)) {
    EntradaProceso copia;
    std::memset(&copia, 0, sizeof copia);
    copia.identificador = entrada.th32ProcessID;
    // szExeFile is NUL-terminated within its MAX_PATH characters, as copia.nombre is long.
    std::memcpy(copia.nombre, entrada.szExeFile, sizeof copia.nombre - 1);
    alEncontrar(copia);
  }
  CloseHandle(instantanea);
  return true;
}

bool Terminar(std::uint32_t identificador) {
  if (identificador == 0 || identificador == GetCurrentProcessId())
    return false;
  HANDLE proceso = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, identificador);
  if (!proceso)
    return false;
  bool hecho = TerminarAbierto(proceso);
  CloseHandle(proceso);
  return hecho;
}

bool EsperarFin(std::uint32_t identificador, std::uint32_t esperaMs) {
  HANDLE proceso = OpenProcess(SYNCHRONIZE, FALSE, identificador);
  if (!proceso)
    return true; // gone already
  bool terminado = WaitForSingleObject(proceso, esperaMs) == WAIT_OBJECT_0;
  CloseHandle(proceso);
  return terminado;
}

std::uint32_t TerminarPorModulo(const std::function<bool(const char *)> &esElBuscado) {
  DWORD identificadores[1024];
  DWORD bytes = 0;
  if (!EnumProcesses(identificadores, sizeof identificadores, &bytes))
    return 0;
  const DWORD propio = GetCurrentProcessId();
  for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
    if (identificadores[i] == 0 || identificadores[i] == propio)
      continue;
    HANDLE proceso = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE,
                                 FALSE, identificadores[i]);
    if (!proceso)
      continue;
    HMODULE modulos[1024];
    DWORD necesarios = 0;
    char nombre[260];
    std::memset(nombre, 0, sizeof nombre);
    if (EnumProcessModules(proceso, modulos, sizeof modulos, &necesarios) && necesarios > 0 &&
        GetModuleBaseNameA(proceso, modulos[0], nombre, sizeof nombre - 1) > 0 &&
        esElBuscado(nombre)) {
      TerminarAbierto(proceso);
      CloseHandle(proceso);
      return identificadores[i];
    }
    CloseHandle(proceso);
  }
  return 0;
}

std::uint32_t Propio() {
  return GetCurrentProcessId();
}

bool AbrirPrograma(const char *ruta) {
  if (!ruta)
    return false;
  HINSTANCE resultado = ShellExecuteA(nullptr, nullptr, ruta, nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(resultado) > 32;
}

} // namespace procesos
