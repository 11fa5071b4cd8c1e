#include "examen.h"

#include "system/archivo.h"

#include <cstring>
#include <regex>
#include <vector>

namespace {

std::string Nombre(const RegistroCopia &r) {
  const void *fin = std::memchr(r.nombre, 0, kTamanoNombre);
  std::size_t largo =
      fin ? static_cast<std::size_t>(static_cast<const char *>(fin) - r.nombre) : kTamanoNombre;
  return std::string(r.nombre, largo);
}

Falla Hacer(const char *codigo, std::uint32_t desplazamiento, std::string mensaje) {
  return Falla{codigo, desplazamiento, std::move(mensaje)};
}

std::string N(std::uint64_t v) {
  return std::to_string(v);
}

} // namespace

std::string NombreRegistro(const RegistroCopia &registro) {
  return Nombre(registro);
}

const char *TituloDeTipo(std::uint32_t tipo) {
  switch (tipo) {
  case kCopiaCompleta:
    return "Obras y Precios";
  case kCopiaObras:
    return "Obras";
  case kCopiaPrecios:
    return "Precios";
  default:
    return "";
  }
}

NombreCopia AnalizarNombre(const std::string &nombre) {
  static const std::regex forma(
      R"(^(.+) Fecha (\d\d)-(\d\d)-(\d{4,}) Hora (\d\d)-(\d\d)-(\d\d)\.smbk$)");
  NombreCopia r;
  std::smatch m;
  if (!std::regex_match(nombre, m, forma))
    return r;
  r.reconocido = true;
  r.titulo = m[1].str();
  r.fecha = m[2].str() + "/" + m[3].str() + "/" + m[4].str();
  r.hora = m[5].str() + ":" + m[6].str() + ":" + m[7].str();
  return r;
}

Examen Examinar(Archivo &copia, bool leerContenido,
                const std::function<void(std::uint32_t, std::uint32_t)> &avance) {
  Examen e;
  std::memset(&e.cabecera, 0, sizeof e.cabecera);
  e.tamano = copia.Tamano();
  if (!copia.EstaAbierto() || e.tamano == 0xFFFFFFFFu) {
    e.falla = Hacer("no_legible", 0, "no se puede leer el archivo");
    return e;
  }
  e.legible = true;
  if (e.tamano < kTamanoRegistro) {
    e.falla = Hacer("cabecera_cortada", 0,
                    "cabecera cortada en el desplazamiento 0: el archivo tiene " + N(e.tamano) +
                        " bytes, menos de los 160 de la cabecera");
    return e;
  }
  unsigned char bytes[kTamanoRegistro];
  if (!copia.LeerTodoEn(0, bytes, kTamanoRegistro)) {
    e.legible = false;
    e.falla = Hacer("no_legible", 0, "error de lectura en el desplazamiento 0");
    return e;
  }
  LeerRegistro(bytes, e.cabecera);
  e.cabeceraLeida = true;
  const std::uint32_t declarada = e.cabecera.longitud;
  // Bytes after the end the header declares: the walk meets them where the chain of
  // entries reaches that end.
  auto sobrantes = [&](std::uint32_t en) {
    return Hacer("bytes_sobrantes", en,
                 "bytes sobrantes en el desplazamiento " + N(en) + ": " + N(e.tamano - en) +
                     " bytes tras el final que declara la cabecera");
  };
  const bool finDeclaradoAntes = declarada >= kTamanoRegistro && declarada < e.tamano;

  std::vector<unsigned char> tramo(leerContenido ? kTamanoTramo : 0);
  bool interrumpida = false;
  RecorridoCopia r = RecorrerCopia(copia, [&](const EntradaCopia &entrada) {
    if (finDeclaradoAntes && entrada.desplazamiento == declarada) {
      e.falla = sobrantes(declarada);
      return !(interrumpida = true);
    }
    // Windows drops a name's trailing dots and spaces: "a." would land on a, and ".. " on
    // the folder above.
    std::string nombre = Nombre(entrada.registro);
    if (nombre.back() == '.' || nombre.back() == ' ') {
      e.falla = Hacer("nombre_no_valido", entrada.desplazamiento,
                      "nombre no válido en el desplazamiento " + N(entrada.desplazamiento) +
                          ": termina en punto o espacio");
      return !(interrumpida = true);
    }
    if (entrada.registro.tipo != kEntradaObras && entrada.registro.tipo != kEntradaDatos) {
      e.falla = Hacer("tipo_entrada", entrada.desplazamiento + 156,
                      "tipo de entrada desconocido (" + N(entrada.registro.tipo) +
                          ") en el desplazamiento " + N(entrada.desplazamiento + 156) +
                          ": ni Obras (1) ni Data (2)");
      return !(interrumpida = true);
    }
    if (leerContenido) {
      std::uint32_t hecho = 0, largo = entrada.registro.longitud;
      while (hecho < largo) {
        std::uint32_t pieza = largo - hecho < kTamanoTramo ? largo - hecho : kTamanoTramo;
        if (!copia.LeerTodoEn(entrada.contenido + hecho, tramo.data(), pieza)) {
          e.falla = Hacer("error_lectura", entrada.contenido + hecho,
                          "error de lectura en el desplazamiento " + N(entrada.contenido + hecho));
          return !(interrumpida = true);
        }
        hecho += pieza;
        if (avance)
          avance(entrada.contenido + hecho, e.tamano);
      }
    }
    e.entradas.push_back(entrada);
    if (avance)
      avance(entrada.siguiente, e.tamano);
    return true;
  });
  if (interrumpida)
    return e;

  const std::uint32_t en = r.desplazamientoError;
  if (r.estado != EstadoCopia::Valida && finDeclaradoAntes && en == declarada) {
    e.falla = sobrantes(declarada);
    return e;
  }
  switch (r.estado) {
  case EstadoCopia::Valida:
    break;
  case EstadoCopia::RegistroCortado:
    e.falla = Hacer("registro_cortado", en,
                    "registro cortado en el desplazamiento " + N(en) + ": quedan " +
                        N(e.tamano - en) + " bytes de los 160 del registro");
    return e;
  case EstadoCopia::ContenidoCortado: {
    unsigned char b[kTamanoRegistro];
    RegistroCopia registro{};
    if (copia.LeerTodoEn(en, b, kTamanoRegistro))
      LeerRegistro(b, registro);
    e.falla =
        Hacer("contenido_cortado", en,
              "contenido cortado en el desplazamiento " + N(en) + ": la entrada declara " +
                  N(registro.longitud) + " bytes y quedan " + N(e.tamano - en - kTamanoRegistro));
    return e;
  }
  case EstadoCopia::NombreSinTerminar:
    e.falla = Hacer("nombre_sin_terminar", en,
                    "nombre sin terminar en el desplazamiento " + N(en) +
                        ": no hay un cero en sus 152 bytes");
    return e;
  case EstadoCopia::NombreNoValido:
    e.falla = Hacer("nombre_no_valido", en,
                    "nombre no válido en el desplazamiento " + N(en) +
                        ": no es un nombre de archivo simple");
    return e;
  case EstadoCopia::CabeceraCortada:
  case EstadoCopia::NoLegible:
  case EstadoCopia::Interrumpida:
    e.falla = Hacer("error_lectura", en, "error de lectura en el desplazamiento " + N(en));
    return e;
  }

  if (*TituloDeTipo(e.cabecera.tipo) == '\0') {
    e.falla = Hacer("tipo_copia", 156,
                    "tipo de copia desconocido (" + N(e.cabecera.tipo) +
                        ") en el desplazamiento 156: ni 0, ni 1, ni 2");
    return e;
  }
  if (declarada != e.tamano) {
    if (declarada == 0)
      e.falla = Hacer("cabecera_sin_completar", 152,
                      "cabecera sin completar en el desplazamiento 152: longitud 0, la copia "
                      "no se terminó de escribir");
    else if (declarada > e.tamano)
      e.falla = Hacer("copia_cortada", e.tamano,
                      "copia cortada en el desplazamiento " + N(e.tamano) +
                          ": la cabecera declara " + N(declarada) + " bytes");
    else
      e.falla = Hacer("longitud_cabecera", 152,
                      "longitud de cabecera errónea en el desplazamiento 152: declara " +
                          N(declarada) + " bytes y el archivo tiene " + N(e.tamano));
    return e;
  }
  e.valida = true;
  return e;
}
