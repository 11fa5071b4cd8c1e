#include "ejecutar_programa.h"

#include "system/rutas.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
extern char **environ;
#endif

namespace {

// A Windows program ends its text lines with CR LF; the tests compare them as LF.
std::string Leer(const std::string &ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::string crudo(std::istreambuf_iterator<char>(f), {});
  std::string r;
  for (std::size_t i = 0; i < crudo.size(); ++i)
    if (!(crudo[i] == '\r' && i + 1 < crudo.size() && crudo[i + 1] == '\n'))
      r += crudo[i];
  return r;
}

#ifdef _WIN32
// One argument as the C runtime splits a command line back: quoted, with the backslashes
// before a quote doubled.
std::string Citar(const std::string &a) {
  std::string r = "\"";
  std::size_t barras = 0;
  for (char c : a) {
    if (c == '\\') {
      ++barras;
      continue;
    }
    r.append(c == '"' ? barras * 2 + 1 : barras, '\\');
    barras = 0;
    r += c;
  }
  r.append(barras * 2, '\\');
  return r + "\"";
}

// The test program runs under Wine, where the host's root is drive Z:.
std::string RutaWindowsDePrograma(const std::string &programa) {
  if (programa.empty() || programa[0] != '/')
    return programa;
  std::string r = "Z:" + programa;
  for (char &c : r)
    if (c == '/')
      c = '\\';
  return r;
}
#endif

} // namespace

Ejecucion EjecutarPrograma(const std::string &programa, const std::vector<std::string> &argumentos,
                           const std::string &carpetaCaptura, unsigned long limiteArchivo) {
  Ejecucion e;
  std::string fallo;
  std::string salida = carpetaCaptura + "\\~salida.txt";
  std::string errores = carpetaCaptura + "\\~errores.txt";
  std::filesystem::create_directories(RutaLocal(carpetaCaptura.c_str()));
#ifdef _WIN32
  (void)limiteArchivo;
  std::string linea = Citar(RutaWindowsDePrograma(programa));
  for (const std::string &a : argumentos) {
    linea += ' ';
    linea += Citar(a);
  }
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE hs = CreateFileA(salida.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE he = CreateFileA(errores.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = INVALID_HANDLE_VALUE;
  si.hStdOutput = hs;
  si.hStdError = he;
  PROCESS_INFORMATION pi{};
  if (hs != INVALID_HANDLE_VALUE && he != INVALID_HANDLE_VALUE &&
      // Detached: a console of its own would be a Wine helper holding the capture files
      // open after the program ended.
      CreateProcessA(nullptr, linea.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                     nullptr, &si, &pi)) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD codigo = 0;
    GetExitCodeProcess(pi.hProcess, &codigo);
    e.codigo = static_cast<int>(codigo);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  } else {
    fallo = "could not start the program: error " + std::to_string(GetLastError());
  }
  if (hs != INVALID_HANDLE_VALUE)
    CloseHandle(hs);
  if (he != INVALID_HANDLE_VALUE)
    CloseHandle(he);
#else
  std::vector<std::string> textos{programa};
  textos.insert(textos.end(), argumentos.begin(), argumentos.end());
  std::vector<char *> argv;
  for (std::string &t : textos)
    argv.push_back(t.data());
  argv.push_back(nullptr);
  // A sanitizer's report must not pass for one of the program's own exit codes.
  std::vector<std::string> entorno{"ASAN_OPTIONS=exitcode=86", "UBSAN_OPTIONS=exitcode=87"};
  for (char **v = environ; *v; ++v)
    if (std::strncmp(*v, "ASAN_OPTIONS=", 13) != 0 && std::strncmp(*v, "UBSAN_OPTIONS=", 14) != 0)
      entorno.push_back(*v);
  std::vector<char *> envp;
  for (std::string &t : entorno)
    envp.push_back(t.data());
  envp.push_back(nullptr);
  std::string hs = RutaLocal(salida.c_str()), he = RutaLocal(errores.c_str());
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  posix_spawn_file_actions_addopen(&acciones, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&acciones, 1, hs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&acciones, 2, he.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // The child inherits the limit, and the ignored signal, so that a write past it fails
  // with EFBIG instead of killing the program.
  rlimit antes{};
  getrlimit(RLIMIT_FSIZE, &antes);
  void (*senalAntes)(int) = SIG_DFL;
  if (limiteArchivo != 0) {
    rlimit limite{limiteArchivo, antes.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limite);
    senalAntes = std::signal(SIGXFSZ, SIG_IGN);
  }
  pid_t pid;
  int lanzado = posix_spawn(&pid, programa.c_str(), &acciones, nullptr, argv.data(), envp.data());
  if (limiteArchivo != 0) {
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senalAntes);
  }
  if (lanzado == 0) {
    int estado = 0;
    while (waitpid(pid, &estado, 0) < 0) {
    }
    e.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
  }
  posix_spawn_file_actions_destroy(&acciones);
#endif
  e.salida = Leer(RutaLocal(salida.c_str()));
  e.errores = Leer(RutaLocal(errores.c_str())) + fallo;
  std::error_code ec;
  std::filesystem::remove(RutaLocal(salida.c_str()), ec);
  std::filesystem::remove(RutaLocal(errores.c_str()), ec);
  return e;
}
