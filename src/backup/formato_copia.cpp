#include "backup/formato_copia.h"

#include "backup/texto_copia.h"
#include "system/archivo.h"
#include "system/pc.h"
#include "system/rutas.h"

#include <cctype>
#include <cstring>
#include <filesystem>

namespace {

void PonerU32(unsigned char *p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

std::uint32_t TomarU32(const unsigned char *p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool IgualSinMayusculas(const char *a, std::size_t largo, const char *b) {
  if (std::strlen(b) != largo)
    return false;
  for (std::size_t i = 0; i < largo; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != static_cast<unsigned char>(b[i]))
      return false;
  return true;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices whatever the extension.
bool EsDispositivo(const char *nombre) {
  std::size_t base = std::strcspn(nombre, ".");
  while (base > 0 && nombre[base - 1] == ' ')
    --base;
  for (const char *d : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (IgualSinMayusculas(nombre, base, d))
      return true;
  if (base == 4 && nombre[3] >= '1' && nombre[3] <= '9')
    return IgualSinMayusculas(nombre, 3, "COM") || IgualSinMayusculas(nombre, 3, "LPT");
  return false;
}

bool EsCarpeta(const char *ruta) {
  try {
    std::error_code ec;
    return std::filesystem::is_directory(RutaLocal(ruta), ec);
  } catch (...) {
    return false; // a name the host can't convert: left to the open that follows
  }
}

} // namespace

void SerializarRegistro(const RegistroCopia &registro, unsigned char (&bytes)[kTamanoRegistro]) {
  std::memcpy(bytes, registro.nombre, kTamanoNombre);
  PonerU32(bytes + 152, registro.longitud);
  PonerU32(bytes + 156, registro.tipo);
}

void LeerRegistro(const unsigned char (&bytes)[kTamanoRegistro], RegistroCopia &registro) {
  std::memcpy(registro.nombre, bytes, kTamanoNombre);
  registro.longitud = TomarU32(bytes + 152);
  registro.tipo = TomarU32(bytes + 156);
}

bool PrepararRegistro(RegistroCopia &registro, const char *nombre, std::uint32_t longitud,
                      std::uint32_t tipo) {
  if (std::strlen(nombre) >= kTamanoNombre)
    return false;
  std::memset(&registro, 0, sizeof registro);
  std::memcpy(registro.nombre, nombre, std::strlen(nombre));
  registro.longitud = longitud;
  registro.tipo = tipo;
  return true;
}

bool NombreEntradaValido(const char *nombre) {
  std::size_t largo = std::strlen(nombre);
  if (largo == 0 || largo >= kTamanoNombre)
    return false;
  if (std::strcmp(nombre, ".") == 0 || std::strcmp(nombre, "..") == 0)
    return false;
  for (std::size_t i = 0; i < largo; ++i) {
    unsigned char c = static_cast<unsigned char>(nombre[i]);
    if (c < 32 || std::strchr("\\/:*?\"<>|", c) != nullptr)
      return false;
  }
  // Windows drops a trailing dot or space, so such an entry would land on another file.
  if (nombre[largo - 1] == '.' || nombre[largo - 1] == ' ')
    return false;
  return !EsDispositivo(nombre);
}

bool CopiarTramos(Archivo &origen, std::uint32_t desde, Archivo &destino, std::uint32_t hacia,
                  std::uint32_t cantidad, unsigned char *tramo, std::uint32_t tamanoTramo) {
  std::uint32_t hecho = 0;
  while (hecho < cantidad) {
    std::uint32_t pieza = cantidad - hecho < tamanoTramo ? cantidad - hecho : tamanoTramo;
    if (!origen.LeerTodoEn(desde + hecho, tramo, pieza))
      return false;
    if (!destino.EscribirTodoEn(hacia + hecho, tramo, pieza))
      return false;
    hecho += pieza;
  }
  return true;
}

ResultadoAgregar AgregarArchivo(const char *carpeta, const char *nombre, std::uint32_t tipo,
                                Archivo &copia, std::uint32_t &desplazamiento, unsigned char *tramo,
                                std::uint32_t tamanoTramo) {
  char ruta[512];
  if (!Componer(ruta, {carpeta, "\\", nombre}))
    return ResultadoAgregar::Omitido;
  if (!elPC->ExisteArchivo(ruta))
    return ResultadoAgregar::NoExiste;
  // A folder under a table's name holds no file to pack.
  if (EsCarpeta(ruta))
    return ResultadoAgregar::NoExiste;
  if (!NombreEntradaValido(nombre))
    return ResultadoAgregar::Omitido;

  // Read-only access: a read-only file, or one the product keeps open, still packs.
  Archivo origen;
  if (!origen.AbrirLectura(ruta))
    return ResultadoAgregar::Omitido;
  std::uint32_t longitud = origen.Tamano();
  if (longitud == 0xFFFFFFFFu)
    return ResultadoAgregar::Omitido;
  std::uint64_t fin = std::uint64_t{desplazamiento} + kTamanoRegistro + longitud;
  if (fin > kTamanoMaximoCopia)
    return ResultadoAgregar::Omitido;

  RegistroCopia registro{};
  PrepararRegistro(registro, nombre, longitud, tipo);
  unsigned char bytes[kTamanoRegistro];
  SerializarRegistro(registro, bytes);
  if (!copia.EscribirTodoEn(desplazamiento, bytes, kTamanoRegistro))
    return ResultadoAgregar::ErrorEscritura;

  // Content in pieces; a source that ends early (cut meanwhile) leaves the entry out,
  // since its record would not match what follows it.
  std::uint32_t contenido = desplazamiento + kTamanoRegistro;
  std::uint32_t hecho = 0;
  while (hecho < longitud) {
    std::uint32_t pieza = longitud - hecho < tamanoTramo ? longitud - hecho : tamanoTramo;
    if (!origen.LeerTodoEn(hecho, tramo, pieza))
      return ResultadoAgregar::Omitido;
    if (!copia.EscribirTodoEn(contenido + hecho, tramo, pieza))
      return ResultadoAgregar::ErrorEscritura;
    hecho += pieza;
  }
  origen.Cerrar();
  desplazamiento = static_cast<std::uint32_t>(fin);
  return ResultadoAgregar::Agregado;
}

RecorridoCopia RecorrerCopia(Archivo &copia,
                             const std::function<bool(const EntradaCopia &)> &visitante) {
  RecorridoCopia r;
  std::memset(&r, 0, sizeof r);
  r.tamano = copia.Tamano();
  if (!copia.EstaAbierto() || r.tamano == 0xFFFFFFFFu) {
    r.estado = EstadoCopia::NoLegible;
    return r;
  }
  unsigned char bytes[kTamanoRegistro];
  if (r.tamano < kTamanoRegistro) {
    r.estado = EstadoCopia::CabeceraCortada;
    return r;
  }
  if (!copia.LeerTodoEn(0, bytes, kTamanoRegistro)) {
    r.estado = EstadoCopia::NoLegible;
    return r;
  }
  LeerRegistro(bytes, r.cabecera);

  std::uint32_t desplazamiento = kTamanoRegistro;
  while (desplazamiento < r.tamano) {
    r.desplazamientoError = desplazamiento;
    if (r.tamano - desplazamiento < kTamanoRegistro) {
      r.estado = EstadoCopia::RegistroCortado;
      return r;
    }
    std::memset(bytes, 0, sizeof bytes);
    if (!copia.LeerTodoEn(desplazamiento, bytes, kTamanoRegistro)) {
      r.estado = EstadoCopia::NoLegible;
      return r;
    }
    EntradaCopia entrada{};
    LeerRegistro(bytes, entrada.registro);
    entrada.desplazamiento = desplazamiento;
    entrada.contenido = desplazamiento + kTamanoRegistro;
    if (entrada.registro.longitud > r.tamano - entrada.contenido) {
      r.estado = EstadoCopia::ContenidoCortado;
      return r;
    }
    if (std::memchr(entrada.registro.nombre, 0, kTamanoNombre) == nullptr) {
      r.estado = EstadoCopia::NombreSinTerminar;
      return r;
    }
    if (!NombreEntradaValido(entrada.registro.nombre)) {
      r.estado = EstadoCopia::NombreNoValido;
      return r;
    }
    entrada.siguiente = entrada.contenido + entrada.registro.longitud;
    if (visitante && !visitante(entrada)) {
      r.estado = EstadoCopia::Interrumpida;
      return r;
    }
    ++r.entradas;
    desplazamiento = entrada.siguiente;
  }
  r.desplazamientoError = 0;
  r.estado = EstadoCopia::Valida;
  return r;
}
