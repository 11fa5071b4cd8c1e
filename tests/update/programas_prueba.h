// What the installation tests need beyond the update fixtures: real processes started
// from the helper programs, files awaited, and update packages written record by record.
#ifndef QOR_TESTS_UPDATE_PROGRAMAS_PRUEBA_H
#define QOR_TESTS_UPDATE_PROGRAMAS_PRUEBA_H

#include <cstdint>
#include <string>

// Copies a host file (a helper program) to a Windows path, creating its folders.
void CopiarPrograma(const std::string &origenHost, const std::string &destinoWindows);

// A process started from a Windows path; ended (and collected) at destruction.
class ProcesoPrueba {
public:
  explicit ProcesoPrueba(const std::string &rutaWindows);
  ~ProcesoPrueba();
  ProcesoPrueba(const ProcesoPrueba &) = delete;
  ProcesoPrueba &operator=(const ProcesoPrueba &) = delete;

  bool Iniciado() const { return identificador != 0; }
  // Whether it has ended within the time given.
  bool Termino(int esperaMs);
  std::uint32_t identificador = 0;

private:
  void *manejador = nullptr; // the Windows process handle
};

// Keeps the tests that stop the sibling programs by name from running at the same time
// (ctest -j): each would stop the others' processes. Held from construction to
// destruction; the Windows tests run one at a time anyway.
class TurnoProcesos {
public:
  TurnoProcesos();
  ~TurnoProcesos();
  TurnoProcesos(const TurnoProcesos &) = delete;
  TurnoProcesos &operator=(const TurnoProcesos &) = delete;

private:
  int descriptor = -1;
};

// Waits for a file to appear (a marker left by a helper program), at most esperaMs.
bool EsperarArchivo(const std::string &rutaWindows, int esperaMs);

// Writes an update package: the header, then folder and file records with their data.
class EscritorPaquete {
public:
  explicit EscritorPaquete(std::uint32_t cantidadArchivos);
  EscritorPaquete &Carpeta(const std::string &nombre, bool sistema = false, bool conIData = false);
  EscritorPaquete &Archivo(const std::string &nombre, const std::string &datos,
                           bool sistema = false);
  std::string bytes;
};

#endif
