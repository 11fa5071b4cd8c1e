// The backup archive (.smbk): a 160-byte header record, then entries back to back, each a
// 160-byte record followed by exactly `longitud` content bytes. Integers little-endian.
// docs/formato-copia.txt describes it byte by byte.
#ifndef QOR_BACKUP_FORMATO_COPIA_H
#define QOR_BACKUP_FORMATO_COPIA_H

#include <cstddef>
#include <cstdint>
#include <functional>

class Archivo;

constexpr std::uint32_t kTamanoRegistro = 160;
constexpr std::size_t kTamanoNombre = 152;
// The largest archive: 32-bit offsets, and 4294967295 is the size query's failure value.
constexpr std::uint32_t kTamanoMaximoCopia = 0xFFFFFFFEu;

// Backup kinds (the header's tipo).
constexpr std::uint32_t kCopiaCompleta = 0;
constexpr std::uint32_t kCopiaObras = 1;
constexpr std::uint32_t kCopiaPrecios = 2;
// Home folder of an entry (the entry's tipo); a reader takes any other value as jobs.
constexpr std::uint32_t kEntradaObras = 1;
constexpr std::uint32_t kEntradaDatos = 2;

struct RegistroCopia {
  char nombre[kTamanoNombre]; // zero-terminated, zero-filled
  std::uint32_t longitud;
  std::uint32_t tipo;
};

// Record <-> its 160 bytes on disk, field by field.
void SerializarRegistro(const RegistroCopia &registro, unsigned char (&bytes)[kTamanoRegistro]);
void LeerRegistro(const unsigned char (&bytes)[kTamanoRegistro], RegistroCopia &registro);
// A zero-filled record with the name (false, and the record untouched, when the name has
// more than 151 characters).
bool PrepararRegistro(RegistroCopia &registro, const char *nombre, std::uint32_t longitud,
                      std::uint32_t tipo);

// A name a file may be packed and restored under: 1 to 151 characters, not "." or "..",
// no folder separator, drive colon, wildcard or control character, no trailing dot or
// space, and no device name such as CON or LPT1. Names outside this rule never reach a path.
bool NombreEntradaValido(const char *nombre);

// Moves cantidad bytes from one file to the other through the buffer, in pieces; false
// on the first short read or write.
bool CopiarTramos(Archivo &origen, std::uint32_t desde, Archivo &destino, std::uint32_t hacia,
                  std::uint32_t cantidad, unsigned char *tramo, std::uint32_t tamanoTramo);

// Size of the copy buffer of the commands: memory stays bounded whatever the file sizes.
constexpr std::uint32_t kTamanoTramo = 1u << 20;

enum class ResultadoAgregar {
  Agregado,
  NoExiste,       // nothing at the path: skipped silently
  Omitido,        // exists but can't be packed (unreadable, name unfit, archive full)
  ErrorEscritura, // the archive could not be written: the archive is lost
};

// Appends carpeta\nombre as one entry at the running offset and advances it. On any
// result but Agregado the offset stays, so whatever was written past it is overwritten
// by the next entry or cut off when the archive is completed.
ResultadoAgregar AgregarArchivo(const char *carpeta, const char *nombre, std::uint32_t tipo,
                                Archivo &copia, std::uint32_t &desplazamiento, unsigned char *tramo,
                                std::uint32_t tamanoTramo);

// One entry met while walking an archive.
struct EntradaCopia {
  RegistroCopia registro;
  std::uint32_t desplazamiento; // of the record
  std::uint32_t contenido;      // of the first content byte (record + 160)
  std::uint32_t siguiente;      // of the next record, or the archive's end
};

enum class EstadoCopia {
  Valida,
  NoLegible,         // the file can't be read (or its size is unknown)
  CabeceraCortada,   // shorter than its 160-byte header
  RegistroCortado,   // an entry record runs past the end
  ContenidoCortado,  // an entry's content runs past the end
  NombreSinTerminar, // nombre has no terminator within its 152 bytes
  NombreNoValido,    // nombre isn't a plain file name (see NombreEntradaValido)
  Interrumpida,      // the visitor asked to stop
};

struct RecorridoCopia {
  EstadoCopia estado;
  RegistroCopia cabecera;            // zero-filled when the header couldn't be read
  std::uint32_t tamano;              // the archive's real size, which is what bounds the walk
  std::uint32_t entradas;            // entries visited
  std::uint32_t desplazamientoError; // of the record at fault
};

// Walks the whole archive by its real size, checking every record and that its content
// lies within the file, and hands each sound entry to the visitor (which returns false
// to stop). Nothing is handed on past the first fault. The visitor may be empty.
RecorridoCopia RecorrerCopia(Archivo &copia,
                             const std::function<bool(const EntradaCopia &)> &visitante);

#endif
