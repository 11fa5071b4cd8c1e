// An installation on the test's own drive C:, the recording console and the PC, and an
// archive reader of the tests' own, kept apart from the system's.
#ifndef QOR_TESTS_BACKUP_COPIAS_PRUEBA_H
#define QOR_TESTS_BACKUP_COPIAS_PRUEBA_H

#include "consola_grabadora.h"
#include "instalacion_temporal.h"
#include "system/pc.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct EntradaLeida {
  std::string nombre;
  std::uint32_t tipo;
  std::string contenido;
  bool operator==(const EntradaLeida &) const = default;
};

struct CopiaLeida {
  std::string nombre; // the header's
  std::uint32_t longitud = 0;
  std::uint32_t tipo = 0;
  std::vector<EntradaLeida> entradas;
};

class InstalacionCopias : public UnidadTemporal {
protected:
  void SetUp() override;
  void TearDown() override;

  static std::string En(const std::string &sub) { return std::string(kInstalacion) + sub; }
  // Files directly in an install sub-folder, name -> content (host listing).
  static std::map<std::string, std::string> Archivos(const std::string &sub);
  // Every file under the install folder, relative path -> content.
  static std::map<std::string, std::string> Foto();
  // The one archive in \BK (fails the test otherwise), as a Windows path.
  static std::string UnicaCopia();
  // Reads an archive by the format alone; fails the test on anything out of place.
  static CopiaLeida Desarmar(const std::string &bytes);
  static std::string U32(std::uint32_t v);
  // A 160-byte record.
  static std::string Registro(const std::string &nombre, std::uint32_t longitud,
                              std::uint32_t tipo);
  // Content of a given size that tells files apart.
  static std::string Contenido(const std::string &semilla, std::size_t largo);

  std::unique_ptr<PC> pc_;
  std::unique_ptr<ConsolaGrabadora> consola;
};

#endif
