// Small helpers of the system services' tests.
#ifndef QOR_TESTS_SOPORTE_SISTEMA_H
#define QOR_TESTS_SOPORTE_SISTEMA_H

#include <string>

// The bytes of a file of this machine (the build's own outputs and data), named by its
// host path; in the Windows build it is reached through Wine's Z: drive.
std::string LeerHost(const std::string &rutaHost);
// Gives or takes the read-only attribute (on POSIX: every write permission).
void FijarSoloLectura(const std::string &rutaWindows, bool soloLectura);
// Lets a copied program run (POSIX); nothing to do on Windows.
void HacerEjecutable(const std::string &rutaWindows);
// Sets a variable of this process's environment, seen by libraries and children alike.
void FijarVariable(const char *nombre, const char *valor);
// Waits up to the given time for the file to exist with at least one line end in it.
bool EsperarArchivo(const std::string &rutaWindows, int segundos);

#endif
