// What the inspector needs of the host beyond the system services: how its arguments
// become the Windows paths the services take, and moving a finished file into place.
#ifndef QOR_TOOLS_INSPECTOR_PLATAFORMA_INSPECTOR_H
#define QOR_TOOLS_INSPECTOR_PLATAFORMA_INSPECTOR_H

#include <cstdint>
#include <string>
#include <vector>

// Called once before anything else: natively, drive Z: is mapped to the host's root so
// that host paths reach the services as Windows paths (as Wine does); in the Windows
// build, the console shows the ANSI texts as they are.
void PrepararPlataforma();

// The Windows path for a path given on the command line. Natively the argument is a host
// path, made absolute; false (with the reason) when it can't be expressed.
bool RutaDeArgumento(const char *argumento, std::string &ruta, std::string &motivo);

// Moves a file within one folder. Without reemplazar an existing destination is kept and
// the answer is false; with it, the destination is replaced in one step.
bool MoverArchivo(const char *origen, const char *destino, bool reemplazar);

// True when the path is a symbolic link, junction or other redirection: the tool writes
// under its destination folder only, never through one.
bool EsRedireccion(const char *ruta);

// The file's size in 64 bits, where the archive services see only 32; false when unknown.
bool TamanoEnDisco(const char *ruta, std::uint64_t &tamano);

// The names of the files (not folders) directly in the folder, whatever their length;
// false when the folder can't be read.
bool ArchivosDeCarpeta(const char *carpeta, std::vector<std::string> &nombres);

// True when the path is a folder (a redirection to one included).
bool EsCarpeta(const char *ruta);

// Names as they are shown and written on this host: natively the archive's Windows-1252
// names become UTF-8; the Windows build keeps them as they are.
std::string NombreDelHost(const std::string &nombreAnsi);

// The process id, to give temporary files a name of their own.
unsigned long IdProceso();

#endif
