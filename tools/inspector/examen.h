// The inspector's strict reading of an archive: the system's own walk, plus what a
// whole archive must also satisfy (header completed with the real size, no bytes after
// the last entry, only the kinds the writer uses).
#ifndef QOR_TOOLS_INSPECTOR_EXAMEN_H
#define QOR_TOOLS_INSPECTOR_EXAMEN_H

#include "backup/formato_copia.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Archivo;

// The first fault found: a stable code for scripts, the offset it is at and a sentence.
struct Falla {
  std::string codigo;
  std::uint32_t desplazamiento = 0;
  std::string mensaje;
};

struct Examen {
  bool legible = false;   // the file could be read at all
  bool valida = false;    // whole: every check passed
  RegistroCopia cabecera; // zero-filled when shorter than a record
  bool cabeceraLeida = false;
  std::uint32_t tamano = 0;           // the real size
  std::vector<EntradaCopia> entradas; // the sound entries before any fault, in order
  Falla falla;                        // empty code when valida
};

// Walks the open archive. With leerContenido every content byte is read too, so that an
// unreadable sector shows up. avance gets (bytes done, size) as the walk goes.
Examen Examinar(Archivo &copia, bool leerContenido,
                const std::function<void(std::uint32_t, std::uint32_t)> &avance);

// The header's title and date, when its name has the form the creation commands give it.
struct NombreCopia {
  bool reconocido = false;
  std::string titulo;
  std::string fecha; // dd/mm/yyyy
  std::string hora;  // hh:mm:ss
};
NombreCopia AnalizarNombre(const std::string &nombre);

// A record's name up to its terminator (the whole field when there is none).
std::string NombreRegistro(const RegistroCopia &registro);

// "Obras y Precios", "Obras", "Precios", or empty for a kind the writer never uses.
const char *TituloDeTipo(std::uint32_t tipo);

#endif
