// Runs a program as a child process and collects what it reports: natively through
// posix_spawn, in the Windows build through CreateProcess.
#ifndef QOR_TESTS_TOOLS_EJECUTAR_PROGRAMA_H
#define QOR_TESTS_TOOLS_EJECUTAR_PROGRAMA_H

#include <string>
#include <vector>

struct Ejecucion {
  int codigo = -1; // the exit code; -1 when the program couldn't be started
  std::string salida;
  std::string errores;
};

// programa is a host path. The standard output and error are caught in files inside
// carpetaCaptura (a Windows path) and removed afterwards; line ends come back as LF.
// limiteArchivo, natively, caps the size of any file the program writes (a full disk for
// that program alone); 0 for none.
Ejecucion EjecutarPrograma(const std::string &programa, const std::vector<std::string> &argumentos,
                           const std::string &carpetaCaptura, unsigned long limiteArchivo = 0);

#endif
