// qor-copias: lists, verifies and extracts backup archives (.smbk) without an
// installation. Reads through the system's own archive walk and never writes to the
// archive.
#include "examen.h"
#include "plataforma_inspector.h"
#include "texto_inspector.h"

#include "backup/formato_copia.h"
#include "system/archivo.h"
#include "system/pc.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

enum Codigo {
  kExito = 0,
  kDanada = 1,    // a damaged archive (or, for a folder, at least one)
  kUso = 2,       // wrong command line
  kNoLegible = 3, // an archive or folder that can't be read
  kIncompleta = 4 // extract: some entries were not written
};

const char *const kAyuda =
    "Uso: qor-copias ORDEN [OPCIONES] ...\n"
    "Inspecciona copias de seguridad (.smbk) sin tocar ninguna instalación.\n"
    "\n"
    "  list COPIA [--json]\n"
    "      Muestra la cabecera (título, tipo, fecha y hora, longitud declarada y real)\n"
    "      y una línea por entrada (carpeta, tamaño, nombre), en el orden de la copia.\n"
    "  verify COPIA|CARPETA [--json]\n"
    "      Comprueba que la copia está entera; con una carpeta (la BK de una\n"
    "      instalación) comprueba cada .smbk que contiene, una línea por copia.\n"
    "  extract COPIA --to CARPETA [--overwrite] [--salvage] [NOMBRE...]\n"
    "      Escribe las entradas nombradas (o todas) en CARPETA/Obras y CARPETA/Data.\n"
    "      Un NOMBRE puede llevar delante Obras/ o Data/ para elegir la carpeta.\n"
    "      No reemplaza archivos existentes salvo con --overwrite. Una copia dañada\n"
    "      no se extrae; con --salvage se extraen sus entradas sanas anteriores al\n"
    "      fallo.\n"
    "\n"
    "Códigos de salida:\n"
    "  0  correcto\n"
    "  1  copia dañada (con una carpeta: alguna copia dañada)\n"
    "  2  uso incorrecto\n"
    "  3  no se puede leer la copia o la carpeta\n"
    "  4  extract: alguna entrada no se escribió\n";

const std::uint32_t kUmbralAvance = 100u * 1024 * 1024;

// Percentage on stderr for large archives, written when it changes.
class Avance {
public:
  Avance(const char *etiqueta, std::uint32_t total)
      : etiqueta_(etiqueta), activo_(total > kUmbralAvance) {}
  ~Avance() {
    if (activo_ && ultimo_ >= 0)
      std::fputc('\n', stderr);
  }
  Avance(const Avance &) = delete;
  Avance &operator=(const Avance &) = delete;
  void operator()(std::uint64_t hecho, std::uint64_t total) {
    if (!activo_ || total == 0)
      return;
    int ahora = static_cast<int>(hecho * 100 / total);
    if (ahora != ultimo_) {
      ultimo_ = ahora;
      std::fprintf(stderr, "\r%s %3d %%", etiqueta_, ahora);
      std::fflush(stderr);
    }
  }

private:
  const char *etiqueta_;
  bool activo_;
  int ultimo_ = -1;
};

struct Opciones {
  std::string orden;
  std::vector<std::string> posicionales;
  bool json = false;
  bool sobrescribir = false;
  bool rescatar = false;
  bool hayDestino = false;
  std::string destino;
};

int Uso(const std::string &motivo) {
  std::fprintf(stderr, "qor-copias: %s\nUse qor-copias --help para ver el uso.\n", motivo.c_str());
  return kUso;
}

const char *Carpeta(std::uint32_t tipo) {
  return tipo == kEntradaDatos ? "Data" : "Obras";
}

// Text as shown in a line; JSON text (UTF-8) of an archive name or of a path.
std::string Linea(const std::string &nombreAnsi) {
  return Visible(NombreDelHost(nombreAnsi));
}
std::string JsonAnsi(const std::string &nombreAnsi) {
  return Json(Utf8DeAnsi(nombreAnsi));
}
// The tool's own texts are in the build's execution character set: Windows-1252 in the
// Windows build, UTF-8 natively.
std::string JsonPropio(const std::string &texto) {
#ifdef _WIN32
  return Json(Utf8DeAnsi(texto));
#else
  return Json(texto);
#endif
}
std::string JsonRuta(const std::string &ruta) {
#ifdef _WIN32
  return Json(Utf8DeAnsi(ruta));
#else
  return Json(EsUtf8(ruta) ? ruta : Utf8DeAnsi(ruta));
#endif
}

// Examines the open archive. The services see sizes in 32 bits; an archive past the
// format's reach must not pass for the part of it they see.
Examen ExaminarCopia(Archivo &copia, const std::string &ruta, bool leerContenido,
                     const std::function<void(std::uint32_t, std::uint32_t)> &avance) {
  std::uint64_t enDisco = 0;
  if (TamanoEnDisco(ruta.c_str(), enDisco) && enDisco > kTamanoMaximoCopia) {
    Examen e;
    e.legible = true;
    e.falla = Falla{"demasiado_grande", kTamanoMaximoCopia,
                    "copia demasiado grande: " + std::to_string(enDisco) +
                        " bytes, el formato no pasa del desplazamiento " +
                        std::to_string(kTamanoMaximoCopia)};
    return e;
  }
  return Examinar(copia, leerContenido, avance);
}

// "1 entrada", "2 entradas".
std::string Cuenta(std::uint64_t n, const char *una, const char *varias) {
  return std::to_string(n) + " " + (n == 1 ? una : varias);
}

int CodigoDe(const Examen &e) {
  if (e.valida)
    return kExito;
  if (!e.legible || e.falla.codigo == "error_lectura")
    return kNoLegible;
  return kDanada;
}

std::string JsonFalla(const Examen &e) {
  if (e.valida)
    return "null";
  return "{\"codigo\":" + Json(e.falla.codigo) +
         ",\"desplazamiento\":" + std::to_string(e.falla.desplazamiento) +
         ",\"mensaje\":" + JsonPropio(e.falla.mensaje) + "}";
}

// ---- list ----

// An archive argument that names a folder.
int EsUnaCarpeta(const std::string &mostrada) {
  std::fprintf(stderr, "qor-copias: es una carpeta, no una copia: %s\n", mostrada.c_str());
  return kNoLegible;
}

int Listar(const std::string &ruta, const std::string &mostrada, bool json) {
  if (EsCarpeta(ruta.c_str()))
    return EsUnaCarpeta(mostrada);
  Archivo copia;
  if (!copia.AbrirLectura(ruta.c_str())) {
    std::fprintf(stderr, "qor-copias: no se puede abrir la copia: %s\n", mostrada.c_str());
    return kNoLegible;
  }
  Avance avance("Leyendo", copia.Tamano());
  Examen e =
      ExaminarCopia(copia, ruta, false, [&](std::uint32_t h, std::uint32_t t) { avance(h, t); });
  std::string nombre = NombreRegistro(e.cabecera);
  NombreCopia analizado = AnalizarNombre(nombre);
  const char *titulo = TituloDeTipo(e.cabecera.tipo);
  std::uint64_t bytes = 0;
  std::uint32_t obras = 0, datos = 0;
  for (const EntradaCopia &en : e.entradas) {
    bytes += en.registro.longitud;
    (en.registro.tipo == kEntradaDatos ? datos : obras) += 1;
  }

  if (json) {
    std::string s = "{\"archivo\":" + JsonRuta(mostrada) +
                    ",\"tamano\":" + std::to_string(e.tamano) + ",\"cabecera\":";
    if (e.cabeceraLeida) {
      s += "{\"nombre\":" + JsonAnsi(nombre) + ",\"tipo\":" + std::to_string(e.cabecera.tipo) +
           ",\"titulo\":" + (analizado.reconocido ? JsonAnsi(analizado.titulo) : "null") +
           ",\"fecha\":" + (analizado.reconocido ? Json(analizado.fecha) : "null") +
           ",\"hora\":" + (analizado.reconocido ? Json(analizado.hora) : "null") +
           ",\"longitud\":" + std::to_string(e.cabecera.longitud) + "}";
    } else {
      s += "null";
    }
    s += ",\"entradas\":[";
    for (std::size_t i = 0; i < e.entradas.size(); ++i) {
      const EntradaCopia &en = e.entradas[i];
      s += std::string(i ? "," : "") + "{\"carpeta\":" + Json(Carpeta(en.registro.tipo)) +
           ",\"nombre\":" + JsonAnsi(NombreRegistro(en.registro)) +
           ",\"longitud\":" + std::to_string(en.registro.longitud) +
           ",\"desplazamiento\":" + std::to_string(en.desplazamiento) + "}";
    }
    s += "],\"total\":{\"entradas\":" + std::to_string(e.entradas.size()) +
         ",\"obras\":" + std::to_string(obras) + ",\"data\":" + std::to_string(datos) +
         ",\"bytes\":" + std::to_string(bytes) + "},\"valida\":" + (e.valida ? "true" : "false") +
         ",\"error\":" + JsonFalla(e) + "}\n";
    std::fputs(s.c_str(), stdout);
    return CodigoDe(e);
  }

  std::printf("Copia: %s\n", mostrada.c_str());
  if (e.cabeceraLeida) {
    std::printf("Nombre en la cabecera: %s\n", Linea(nombre).c_str());
    // The title is the name's, the kind is the number's; restoring goes by the number.
    if (analizado.reconocido)
      std::printf("Título: %s%s\n", Linea(analizado.titulo).c_str(),
                  analizado.titulo == titulo ? "" : " (no corresponde al tipo)");
    else
      std::printf("Título: no consta en el nombre\n");
    if (*titulo)
      std::printf("Tipo: %u (%s)\n", e.cabecera.tipo, titulo);
    else
      std::printf("Tipo: %u (desconocido)\n", e.cabecera.tipo);
    if (analizado.reconocido)
      std::printf("Fecha: %s  Hora: %s\n", analizado.fecha.c_str(), analizado.hora.c_str());
    else
      std::printf("Fecha: no consta en el nombre\n");
    std::printf("Longitud: %u bytes en la cabecera, %u bytes reales%s\n", e.cabecera.longitud,
                e.tamano, e.cabecera.longitud == e.tamano ? "" : " (no coinciden)");
  }
  for (const EntradaCopia &en : e.entradas)
    std::printf("%-5s %12u  %s\n", Carpeta(en.registro.tipo), en.registro.longitud,
                Linea(NombreRegistro(en.registro)).c_str());
  std::printf("Total: %s (%u de Obras, %u de Data), %s\n",
              Cuenta(e.entradas.size(), "entrada", "entradas").c_str(), obras, datos,
              Cuenta(bytes, "byte", "bytes").c_str());
  if (!e.valida)
    std::printf("COPIA DAÑADA: %s\n", e.falla.mensaje.c_str());
  return CodigoDe(e);
}

// ---- verify ----

struct Verificada {
  std::string mostrada;
  Examen examen;
};

Verificada VerificarUna(const std::string &ruta, const std::string &mostrada) {
  Verificada v{mostrada, {}};
  Archivo copia;
  if (!copia.AbrirLectura(ruta.c_str())) {
    v.examen.falla = Falla{"no_legible", 0, "no se puede abrir el archivo"};
    return v;
  }
  Avance avance("Verificando", copia.Tamano());
  v.examen =
      ExaminarCopia(copia, ruta, true, [&](std::uint32_t h, std::uint32_t t) { avance(h, t); });
  return v;
}

std::string LineaVerificada(const Verificada &v) {
  const Examen &e = v.examen;
  if (e.valida)
    return v.mostrada + ": correcta (" + Cuenta(e.entradas.size(), "entrada", "entradas") + ", " +
           Cuenta(e.tamano, "byte", "bytes") + ")";
  if (CodigoDe(e) == kNoLegible)
    return v.mostrada + ": ILEGIBLE: " + e.falla.mensaje;
  return v.mostrada + ": DAÑADA: " + e.falla.mensaje;
}

std::string JsonVerificada(const Verificada &v) {
  const Examen &e = v.examen;
  return "{\"archivo\":" + JsonRuta(v.mostrada) + ",\"valida\":" + (e.valida ? "true" : "false") +
         ",\"tamano\":" + std::to_string(e.legible ? e.tamano : 0) +
         ",\"entradas\":" + std::to_string(e.entradas.size()) + ",\"error\":" + JsonFalla(e) + "}";
}

bool TerminaEnSmbk(const char *nombre) {
  std::size_t largo = std::strlen(nombre);
  if (largo < 5)
    return false;
  const char *fin = nombre + largo - 5;
  for (int i = 0; i < 5; ++i)
    if (std::tolower(static_cast<unsigned char>(fin[i])) != ".smbk"[i])
      return false;
  return true;
}

int Verificar(const std::string &ruta, const std::string &mostrada, bool json) {
  if (!EsCarpeta(ruta.c_str())) {
    Verificada v = VerificarUna(ruta, mostrada);
    std::string s = json ? JsonVerificada(v) : LineaVerificada(v);
    std::puts(s.c_str());
    return CodigoDe(v.examen);
  }

  // Listed here rather than through the catalogue's list, whose fixed fields would leave
  // out a long name without a word.
  std::vector<std::string> todos, nombres;
  if (!ArchivosDeCarpeta(ruta.c_str(), todos)) {
    std::fprintf(stderr, "qor-copias: no se puede leer la carpeta: %s\n", mostrada.c_str());
    return kNoLegible;
  }
  for (const std::string &n : todos)
    if (TerminaEnSmbk(n.c_str()))
      nombres.push_back(n);
  std::sort(nombres.begin(), nombres.end());

  std::string separador = mostrada.empty() || mostrada.back() == '/' || mostrada.back() == '\\'
                              ? ""
#ifdef _WIN32
                              : "\\";
#else
                              : "/";
#endif
  int codigo = kExito, correctas = 0, danadas = 0, ilegibles = 0;
  std::string s;
  for (const std::string &n : nombres) {
    Verificada v = VerificarUna(ruta + "\\" + n, mostrada + separador + n);
    int c = CodigoDe(v.examen);
    (c == kExito ? correctas : c == kNoLegible ? ilegibles : danadas) += 1;
    if (c == kNoLegible || (c == kDanada && codigo == kExito))
      codigo = c;
    if (json) {
      s += std::string(s.empty() ? "" : ",") + JsonVerificada(v);
    } else {
      std::puts(LineaVerificada(v).c_str());
      std::fflush(stdout);
    }
  }
  if (json) {
    std::printf("{\"carpeta\":%s,\"copias\":[%s],\"correctas\":%d,\"danadas\":%d,"
                "\"ilegibles\":%d}\n",
                JsonRuta(mostrada).c_str(), s.c_str(), correctas, danadas, ilegibles);
  } else if (nombres.empty()) {
    std::printf("%s: no hay copias .smbk\n", mostrada.c_str());
  } else {
    std::printf("Copias: %zu. Correctas: %d. Dañadas: %d. Ilegibles: %d.\n", nombres.size(),
                correctas, danadas, ilegibles);
  }
  return codigo;
}

// ---- extract ----

bool IgualSinMayusculas(const std::string &a, const std::string &b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A name asked for on the command line, optionally with its folder in front.
struct Pedido {
  std::string texto;
  std::uint32_t tipo = 0; // 0: either folder
  std::string nombre;
  bool hallado = false;
};

Pedido Interpretar(const std::string &texto) {
  Pedido p{texto, 0, texto, false};
  std::size_t barra = texto.find_first_of("/\\");
  if (barra != std::string::npos) {
    std::string carpeta = texto.substr(0, barra);
    if (IgualSinMayusculas(carpeta, "Obras"))
      p.tipo = kEntradaObras;
    else if (IgualSinMayusculas(carpeta, "Data"))
      p.tipo = kEntradaDatos;
    if (p.tipo != 0)
      p.nombre = texto.substr(barra + 1);
  }
  return p;
}

bool Coincide(const Pedido &p, const EntradaCopia &en) {
  std::uint32_t tipo = en.registro.tipo == kEntradaDatos ? kEntradaDatos : kEntradaObras;
  if (p.tipo != 0 && p.tipo != tipo)
    return false;
  std::string nombre = NombreRegistro(en.registro);
  return IgualSinMayusculas(p.nombre, nombre) ||
         IgualSinMayusculas(p.nombre, NombreDelHost(nombre));
}

class Extraccion {
public:
  // avance gets the bytes copied since its last call.
  Extraccion(PC &pc, Archivo &copia, const std::string &destino, bool sobrescribir,
             std::function<void(std::uint32_t)> avance)
      : pc_(pc), copia_(copia), destino_(destino), sobrescribir_(sobrescribir),
        avance_(std::move(avance)), tramo_(kTamanoTramo) {}

  // Writes one entry; false (with the reason on stderr) when it wasn't written.
  bool Entrada(const EntradaCopia &en) {
    const char *sub = Carpeta(en.registro.tipo);
    std::string nombre = NombreDelHost(NombreRegistro(en.registro));
    std::string mostrado = std::string(sub) + "/" + Visible(nombre);
    std::string carpeta = destino_ + "\\" + sub;
    if (!pc_.ExisteCarpeta(carpeta.c_str()))
      pc_.CrearCarpeta(carpeta.c_str());
    if (EsRedireccion(carpeta.c_str()) || !EsCarpeta(carpeta.c_str()))
      return Fallo(mostrado, "la carpeta de destino no es una carpeta propia");
    std::string ruta = carpeta + "\\" + nombre;
    if (pc_.ExisteArchivo(ruta.c_str())) {
      if (EsCarpeta(ruta.c_str()))
        return Fallo(mostrado, "existe una carpeta con ese nombre");
      if (!sobrescribir_)
        return Fallo(mostrado, "ya existe (use --overwrite para reemplazarlo)");
    }
    // Written whole under a temporary name, then put in place in one step, so that a
    // failure leaves no half file under the entry's name.
    std::string temporal = carpeta + "\\~qor-copias-" + std::to_string(IdProceso()) + ".tmp";
    if (pc_.ExisteArchivo(temporal.c_str()))
      pc_.BorrarArchivo(temporal.c_str());
    bool bien;
    {
      Archivo salida;
      bien = salida.Abrir(temporal.c_str());
      std::uint32_t hecho = 0, largo = en.registro.longitud;
      while (bien && hecho < largo) {
        std::uint32_t pieza = largo - hecho < kTamanoTramo ? largo - hecho : kTamanoTramo;
        bien = CopiarTramos(copia_, en.contenido + hecho, salida, hecho, pieza, tramo_.data(),
                            kTamanoTramo);
        hecho += pieza;
        if (avance_)
          avance_(pieza);
      }
      bien = bien && salida.FijarTamano(largo);
      bien = salida.Cerrar() && bien;
    }
    if (!bien) {
      pc_.BorrarArchivo(temporal.c_str());
      return Fallo(mostrado, "no se pudo escribir");
    }
    if (!MoverArchivo(temporal.c_str(), ruta.c_str(), sobrescribir_)) {
      pc_.BorrarArchivo(temporal.c_str());
      return Fallo(mostrado, pc_.ExisteArchivo(ruta.c_str())
                                 ? "ya existe (use --overwrite para reemplazarlo)"
                                 : "no se pudo poner en su sitio");
    }
    std::printf("extraído: %s (%s)\n", mostrado.c_str(),
                Cuenta(en.registro.longitud, "byte", "bytes").c_str());
    return true;
  }

private:
  bool Fallo(const std::string &mostrado, const char *motivo) {
    std::fprintf(stderr, "qor-copias: no extraído: %s: %s\n", mostrado.c_str(), motivo);
    return false;
  }

  PC &pc_;
  Archivo &copia_;
  std::string destino_;
  bool sobrescribir_;
  std::function<void(std::uint32_t)> avance_;
  std::vector<unsigned char> tramo_;
};

int Extraer(PC &pc, const std::string &ruta, const std::string &mostrada,
            const std::string &destino, const std::string &destinoMostrado,
            const std::vector<std::string> &nombres, bool sobrescribir, bool rescatar) {
  if (EsCarpeta(ruta.c_str()))
    return EsUnaCarpeta(mostrada);
  Archivo copia;
  if (!copia.AbrirLectura(ruta.c_str())) {
    std::fprintf(stderr, "qor-copias: no se puede abrir la copia: %s\n", mostrada.c_str());
    return kNoLegible;
  }
  // Nothing is written before the whole archive proved sound, unless the user asks for
  // the sound entries before the fault: every byte of those is in the archive.
  Examen e = ExaminarCopia(copia, ruta, false, nullptr);
  int danada = kExito;
  if (!e.valida) {
    if (!rescatar || e.falla.codigo == "no_legible" || e.falla.codigo == "demasiado_grande") {
      std::fprintf(stderr, "qor-copias: %s: %s; no se extrae nada\n", mostrada.c_str(),
                   e.falla.mensaje.c_str());
      return CodigoDe(e);
    }
    std::fprintf(stderr, "qor-copias: %s: %s; solo se extraen las %zu entradas anteriores\n",
                 mostrada.c_str(), e.falla.mensaje.c_str(), e.entradas.size());
    danada = CodigoDe(e);
  }

  std::vector<Pedido> pedidos;
  for (const std::string &n : nombres)
    pedidos.push_back(Interpretar(n));
  std::vector<const EntradaCopia *> elegidas;
  std::uint64_t total = 0;
  for (const EntradaCopia &en : e.entradas) {
    bool elegida = pedidos.empty();
    for (Pedido &p : pedidos)
      if (Coincide(p, en))
        elegida = p.hallado = true;
    if (elegida) {
      elegidas.push_back(&en);
      total += en.registro.longitud;
    }
  }
  int codigo = kExito;
  for (const Pedido &p : pedidos)
    if (!p.hallado) {
      std::fprintf(stderr, "qor-copias: no está en la copia%s: %s\n",
                   danada != kExito ? " (antes del fallo)" : "", p.texto.c_str());
      codigo = kIncompleta;
    }
  // An entry not written outweighs the damage already told.
  if (elegidas.empty())
    return codigo != kExito ? codigo : danada;

  if (!pc.ExisteCarpeta(destino.c_str()))
    pc.CrearCarpeta(destino.c_str());
  if (!EsCarpeta(destino.c_str())) {
    std::fprintf(stderr, "qor-copias: no se puede crear la carpeta de destino: %s\n",
                 destinoMostrado.c_str());
    return kIncompleta;
  }

  Avance avance("Extrayendo", e.tamano);
  std::uint64_t hecho = 0;
  Extraccion extraccion(pc, copia, destino, sobrescribir, [&](std::uint32_t mas) {
    hecho += mas;
    avance(hecho, total);
  });
  int escritas = 0;
  for (const EntradaCopia *en : elegidas) {
    if (extraccion.Entrada(*en))
      ++escritas;
    else
      codigo = kIncompleta;
  }
  std::printf("Extraídos: %d de %zu, en %s\n", escritas, elegidas.size(), destinoMostrado.c_str());
  return codigo != kExito ? codigo : danada;
}

// ---- command line ----

int Ejecutar(int argc, char **argv) {
  Opciones o;
  bool soloNombres = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (soloNombres || a.empty() || a[0] != '-' || a == "-") {
      (o.orden.empty() ? o.orden : o.posicionales.emplace_back()) = a;
    } else if (a == "--") {
      soloNombres = true;
    } else if (a == "--help" || a == "-h") {
      std::fputs(kAyuda, stdout);
      return kExito;
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--overwrite") {
      o.sobrescribir = true;
    } else if (a == "--salvage") {
      o.rescatar = true;
    } else if (a == "--to") {
      if (i + 1 >= argc)
        return Uso("falta la carpeta tras --to");
      o.hayDestino = true;
      o.destino = argv[++i];
    } else if (a.rfind("--to=", 0) == 0) {
      o.hayDestino = true;
      o.destino = a.substr(5);
    } else {
      return Uso("opción desconocida: " + a);
    }
  }
  if (o.orden.empty())
    return Uso("falta la orden (list, verify o extract)");
  if (o.orden != "list" && o.orden != "verify" && o.orden != "extract")
    return Uso("orden desconocida: " + o.orden);
  if (o.posicionales.empty())
    return Uso("falta la copia");
  if (o.orden != "extract" && (o.hayDestino || o.sobrescribir || o.rescatar))
    return Uso("--to, --overwrite y --salvage solo valen para extract");
  if (o.orden != "extract" && o.posicionales.size() > 1)
    return Uso("sobra un argumento: " + o.posicionales[1]);
  if (o.orden == "extract" && o.json)
    return Uso("--json solo vale para list y verify");
  if (o.orden == "extract" && !o.hayDestino)
    return Uso("extract necesita --to CARPETA");

  std::string ruta, motivo;
  if (!RutaDeArgumento(o.posicionales[0].c_str(), ruta, motivo))
    return Uso(motivo);
  if (o.orden == "list")
    return Listar(ruta, o.posicionales[0], o.json);
  if (o.orden == "verify")
    return Verificar(ruta, o.posicionales[0], o.json);

  std::string destino;
  if (!RutaDeArgumento(o.destino.c_str(), destino, motivo))
    return Uso(motivo);
  PC pc;
  elPC = &pc;
  std::vector<std::string> nombres(o.posicionales.begin() + 1, o.posicionales.end());
  int codigo =
      Extraer(pc, ruta, o.posicionales[0], destino, o.destino, nombres, o.sobrescribir, o.rescatar);
  elPC = nullptr;
  return codigo;
}

} // namespace

int main(int argc, char **argv) {
  PrepararPlataforma();
  try {
    int codigo = Ejecutar(argc, argv);
    std::fflush(stdout);
    return codigo;
  } catch (const std::exception &ex) {
    std::fprintf(stderr, "qor-copias: error interno: %s\n", ex.what());
    return kNoLegible;
  }
}
