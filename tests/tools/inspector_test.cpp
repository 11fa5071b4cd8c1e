// The backup inspector run as its users run it, on archives written by the system's own
// creation commands and on damaged or hostile ones.
#include "backup/crear_copia.h"
#include "copias_prueba.h"
#include "ejecutar_programa.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kTablas = {
    "Clientes.dft",     "Clientes.tbl",     "Obras.dft",    "Obras.tbl",      "Camaras.dft",
    "Camaras.tbl",      "ConfigD.dft",      "ConfigD.tbl",  "ConfigG.dft",    "ConfigG.tbl",
    "DVH.dft",          "DVH.tbl",          "Monedas.dft",  "Monedas.tbl",    "Partes.dft",
    "Partes.tbl",       "Perfiles.dft",     "Perfiles.tbl", "TipoConfig.dft", "TipoConfig.tbl",
    "Tratamientos.dft", "Tratamientos.tbl", "Vidrios.dft",  "Vidrios.tbl"};

const std::string kCaptura = "C:\\qor_pruebas\\captura";
const std::string kDestino = "C:\\qor_pruebas\\destino";
const std::string kCopias = "C:\\qor_pruebas\\copias";

class Inspector : public InstalacionCopias {
protected:
  // A path as the tool takes it: a host path natively, a Windows path under Wine.
  static std::string Arg(const std::string &rutaWindows) {
#ifdef _WIN32
    return rutaWindows;
#else
    return Local(rutaWindows);
#endif
  }
  static Ejecucion Copias(const std::vector<std::string> &argumentos,
                          unsigned long limiteArchivo = 0) {
    Ejecucion e = EjecutarPrograma(QOR_COPIAS, argumentos, kCaptura, limiteArchivo);
    EXPECT_EQ(e.errores.find("Sanitizer"), std::string::npos) << e.errores;
    return e;
  }
  void Obras() {
    EscribirArchivo(En("\\Obras\\Casa Perez.obr"), Contenido("perez", 3000));
    EscribirArchivo(En("\\Obras\\Local.obr"), "");
    EscribirArchivo(En("\\Obras\\Oficina.obr"), Contenido("oficina", 70000));
    // Same name as a table: each must go back to its own folder.
    EscribirArchivo(En("\\Obras\\Obras.dft"), "una obra llamada Obras.dft");
  }
  void Tablas() {
    for (const std::string &t : kTablas)
      EscribirArchivo(En("\\Data\\" + t), Contenido(t, 100 + 7 * t.size()));
  }
  // Every file under a folder, path relative to it with '/' -> content.
  static std::map<std::string, std::string> Arbol(const std::string &rutaWindows) {
    std::map<std::string, std::string> r;
    fs::path raiz = Local(rutaWindows);
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(raiz, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
      std::string relativo = fs::relative(it->path(), raiz).generic_string();
      if (it->is_regular_file()) {
        std::ifstream f(it->path(), std::ios::binary);
        r[relativo] = std::string(std::istreambuf_iterator<char>(f), {});
      } else {
        r[relativo + "/"] = "";
      }
    }
    return r;
  }
  static std::vector<std::string> Lineas(const std::string &texto) {
    std::vector<std::string> r;
    std::size_t desde = 0;
    while (desde < texto.size()) {
      std::size_t fin = texto.find('\n', desde);
      if (fin == std::string::npos)
        fin = texto.size();
      std::string l = texto.substr(desde, fin - desde);
      if (!l.empty() && l.back() == '\r')
        l.pop_back();
      r.push_back(l);
      desde = fin + 1;
    }
    return r;
  }
  static std::string Fila(const EntradaLeida &e) {
    char linea[256];
    std::snprintf(linea, sizeof linea, "%-5s %12zu  %s", e.tipo == 2 ? "Data" : "Obras",
                  e.contenido.size(), e.nombre.c_str());
    return linea;
  }
};

TEST_F(Inspector, EachKindOfBackupListsVerifiesAndExtractsByteForByte) {
  struct Caso {
    bool (*comando)();
    std::uint32_t tipo;
    const char *titulo;
  } casos[] = {{CrearCopiaCompleta, 0, "Obras y Precios"},
               {CrearCopiaObras, 1, "Obras"},
               {CrearCopiaPrecios, 2, "Precios"}};
  Obras();
  Tablas();
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.titulo);
    BorrarArbol(En("\\BK"));
    BorrarArbol(kDestino);
    ASSERT_TRUE(caso.comando());
    std::string copia = UnicaCopia();
    std::string bytes = LeerArchivo(copia);
    CopiaLeida leida = Desarmar(bytes);
    ASSERT_FALSE(leida.entradas.empty());

    Ejecucion v = Copias({"verify", Arg(copia)});
    EXPECT_EQ(v.codigo, 0) << v.salida << v.errores;
    EXPECT_EQ(v.errores, ""); // no progress below 100 MiB
    EXPECT_EQ(v.salida, Arg(copia) + ": correcta (" + std::to_string(leida.entradas.size()) +
                            " entradas, " + std::to_string(bytes.size()) + " bytes)\n");

    // The listing: the header's facts, then one row per entry in archive order.
    Ejecucion l = Copias({"list", Arg(copia)});
    EXPECT_EQ(l.codigo, 0) << l.errores;
    std::vector<std::string> lineas = Lineas(l.salida);
    ASSERT_EQ(lineas.size(), 7 + leida.entradas.size()) << l.salida;
    EXPECT_EQ(lineas[1], "Nombre en la cabecera: " + leida.nombre);
    EXPECT_EQ(lineas[2], std::string("Título: ") + caso.titulo);
    EXPECT_EQ(lineas[3], "Tipo: " + std::to_string(caso.tipo) + " (" + caso.titulo + ")");
    EXPECT_EQ(lineas[4].rfind("Fecha: ", 0), 0u);
    EXPECT_NE(lineas[4].find("  Hora: "), std::string::npos);
    EXPECT_EQ(lineas[5], "Longitud: " + std::to_string(bytes.size()) + " bytes en la cabecera, " +
                             std::to_string(bytes.size()) + " bytes reales");
    std::size_t obras = 0, total = 0;
    for (std::size_t i = 0; i < leida.entradas.size(); ++i) {
      EXPECT_EQ(lineas[6 + i], Fila(leida.entradas[i]));
      obras += leida.entradas[i].tipo == 1;
      total += leida.entradas[i].contenido.size();
    }
    EXPECT_EQ(lineas.back(), "Total: " + std::to_string(leida.entradas.size()) + " entradas (" +
                                 std::to_string(obras) + " de Obras, " +
                                 std::to_string(leida.entradas.size() - obras) + " de Data), " +
                                 std::to_string(total) + " bytes");

    // Extracted: every entry equals its source file, and nothing else is left behind.
    Ejecucion x = Copias({"extract", Arg(copia), "--to", Arg(kDestino)});
    EXPECT_EQ(x.codigo, 0) << x.errores;
    std::map<std::string, std::string> esperado;
    for (const EntradaLeida &e : leida.entradas) {
      std::string carpeta = e.tipo == 2 ? "Data" : "Obras";
      EXPECT_EQ(e.contenido, LeerArchivo(En("\\" + carpeta + "\\" + e.nombre))) << e.nombre;
      esperado[carpeta + "/" + e.nombre] = e.contenido;
      esperado[carpeta + "/"] = "";
    }
    EXPECT_EQ(Arbol(kDestino), esperado);
  }
}

TEST_F(Inspector, JsonOutputCarriesTheEntriesAndTheVerdict) {
  Obras();
  EscribirArchivo(En("\\Data\\Clientes.dft"), Contenido("c", 2048));
  ASSERT_TRUE(CrearCopiaCompleta());
  std::string copia = UnicaCopia();
  std::string bytes = LeerArchivo(copia);
  CopiaLeida leida = Desarmar(bytes);

  Ejecucion l = Copias({"list", "--json", Arg(copia)});
  EXPECT_EQ(l.codigo, 0);
  std::size_t desplazamiento = 160;
  std::string entradas;
  for (const EntradaLeida &e : leida.entradas) {
    entradas += std::string(entradas.empty() ? "" : ",") + "{\"carpeta\":\"" +
                (e.tipo == 2 ? "Data" : "Obras") + "\",\"nombre\":\"" + e.nombre +
                "\",\"longitud\":" + std::to_string(e.contenido.size()) +
                ",\"desplazamiento\":" + std::to_string(desplazamiento) + "}";
    desplazamiento += 160 + e.contenido.size();
  }
  EXPECT_NE(l.salida.find("\"entradas\":[" + entradas + "]"), std::string::npos) << l.salida;
  EXPECT_NE(l.salida.find("\"tipo\":0,\"titulo\":\"Obras y Precios\""), std::string::npos);
  EXPECT_NE(l.salida.find("\"valida\":true,\"error\":null}"), std::string::npos);

  Ejecucion v = Copias({"verify", "--json", Arg(copia)});
  EXPECT_EQ(v.codigo, 0);
  std::string ruta; // as a JSON text: backslashes doubled
  for (char c : Arg(copia))
    ruta += c == '\\' ? std::string("\\\\") : std::string(1, c);
  EXPECT_EQ(v.salida, "{\"archivo\":\"" + ruta +
                          "\",\"valida\":true,\"tamano\":" + std::to_string(bytes.size()) +
                          ",\"entradas\":" + std::to_string(leida.entradas.size()) +
                          ",\"error\":null}\n");
}

// Hostile and damaged archives, hand-made around two small entries.
struct Danada {
  const char *caso;
  std::string bytes;
  const char *codigo;
  std::size_t desplazamiento;
};

class InspectorDanadas : public Inspector {
protected:
  static std::string Cabecera(std::uint32_t longitud, std::uint32_t tipo = 1) {
    return Registro("Obras Fecha 01-01-2020 Hora 00-00-00.smbk", longitud, tipo);
  }
  // header + "ok.obr" (3 bytes) + the second entry; the second record is at 323.
  static std::string Copia(const std::string &segundo, std::uint32_t tipo = 1,
                           std::uint32_t largo = 3, std::string contenido = "xyz") {
    std::string cuerpo = Registro("ok.obr", 3, 1) + "abc";
    std::string registro = Registro(segundo, largo, tipo);
    std::string todo = cuerpo + registro + contenido;
    return Cabecera(static_cast<std::uint32_t>(160 + todo.size())) + todo;
  }
  static std::string ConLongitud(std::string bytes, std::uint32_t longitud) {
    return bytes.replace(152, 4, U32(longitud));
  }
};

TEST_F(InspectorDanadas, EachFaultIsNamedWithItsOffsetAndNothingIsExtracted) {
  const std::string sana = Copia("b.obr");
  ASSERT_EQ(sana.size(), 486u);
  std::string sinTerminar = sana;
  sinTerminar.replace(323, 152, std::string(152, 'A'));
  const Danada casos[] = {
      {"cut in the header", sana.substr(0, 100), "cabecera_cortada", 0},
      {"cut in a record", sana.substr(0, 400), "registro_cortado", 323},
      {"cut in content", sana.substr(0, 484), "contenido_cortado", 323},
      {"length past the end", Copia("b.obr", 1, 0x7FFFFFF0u), "contenido_cortado", 323},
      {"unterminated name", sinTerminar, "nombre_sin_terminar", 323},
      {"dot-dot path", Copia("..\\x"), "nombre_no_valido", 323},
      {"dot-dot", Copia(".."), "nombre_no_valido", 323},
      {"folder in the name", Copia("a\\b"), "nombre_no_valido", 323},
      {"slash in the name", Copia("a/b"), "nombre_no_valido", 323},
      {"drive in the name", Copia("C:x"), "nombre_no_valido", 323},
      {"empty name", Copia(""), "nombre_no_valido", 323},
      {"device name", Copia("CON.obr"), "nombre_no_valido", 323},
      {"trailing dot", Copia("a."), "nombre_no_valido", 323},
      {"dot-dot and a space", Copia(".. "), "nombre_no_valido", 323},
      {"unknown entry kind", Copia("b.obr", 7), "tipo_entrada", 323 + 156},
      {"unknown backup kind", sana.substr(0, 156) + U32(9) + sana.substr(160), "tipo_copia", 156},
      {"a few trailing bytes", sana + "zz", "bytes_sobrantes", 486},
      {"a whole record appended", sana + Registro("c.obr", 0, 1), "bytes_sobrantes", 486},
      {"header length short", ConLongitud(sana, 400), "longitud_cabecera", 152},
      {"header never completed", ConLongitud(sana, 0), "cabecera_sin_completar", 152},
      {"cut at an entry's end", ConLongitud(sana.substr(0, 323), 486), "copia_cortada", 323},
  };
  for (const Danada &d : casos) {
    SCOPED_TRACE(d.caso);
    BorrarArbol(kCopias);
    BorrarArbol(kDestino);
    std::string copia = kCopias + "\\copia.smbk";
    EscribirArchivo(copia, d.bytes);
    const std::string en = "desplazamiento " + std::to_string(d.desplazamiento);

    Ejecucion v = Copias({"verify", Arg(copia)});
    EXPECT_EQ(v.codigo, 1);
    std::vector<std::string> lineas = Lineas(v.salida);
    ASSERT_EQ(lineas.size(), 1u) << v.salida;
    EXPECT_EQ(lineas[0].rfind(Arg(copia) + ": DAÑADA: ", 0), 0u) << lineas[0];
    EXPECT_NE(lineas[0].find(en), std::string::npos) << lineas[0];

    Ejecucion j = Copias({"verify", "--json", Arg(copia)});
    EXPECT_EQ(j.codigo, 1);
    EXPECT_NE(j.salida.find("\"valida\":false"), std::string::npos) << j.salida;
    EXPECT_NE(j.salida.find("\"error\":{\"codigo\":\"" + std::string(d.codigo) +
                            "\",\"desplazamiento\":" + std::to_string(d.desplazamiento) + ","),
              std::string::npos)
        << j.salida;

#ifndef _WIN32
    // The same sentence in both forms (UTF-8 alike natively).
    const std::string marca = ": DAÑADA: ";
    std::string mensaje = lineas[0].substr(lineas[0].find(marca) + marca.size());
    EXPECT_NE(j.salida.find(",\"mensaje\":\"" + mensaje + "\"}"), std::string::npos) << j.salida;
#endif

    Ejecucion l = Copias({"list", Arg(copia)});
    EXPECT_EQ(l.codigo, 1);
    EXPECT_NE(l.salida.find("COPIA DAÑADA: "), std::string::npos) << l.salida;

    // Nothing is written from a damaged archive, inside the destination or beside it.
    Ejecucion x = Copias({"extract", Arg(copia), "--to", Arg(kDestino)});
    EXPECT_EQ(x.codigo, 1);
    EXPECT_NE(x.errores.find(en), std::string::npos) << x.errores;
    EXPECT_FALSE(Existe(kDestino));
    EXPECT_EQ(Arbol(kPruebas),
              (std::map<std::string, std::string>{
                  {"captura/", ""}, {"copias/", ""}, {"copias/copia.smbk", d.bytes}}));
  }
}

TEST_F(InspectorDanadas, AFolderOfBackupsGetsOneLinePerArchive) {
  Obras();
  Tablas();
  ASSERT_TRUE(CrearCopiaObras());
  std::string buena = UnicaCopia();
  std::string nombreBuena = buena.substr(buena.rfind('\\') + 1);
  EscribirArchivo(En("\\BK\\cortada.smbk"), Copia("b.obr").substr(0, 400));
  EscribirArchivo(En("\\BK\\nota.txt"), "no es una copia");
  CrearCarpetas(En("\\BK\\sub.smbk"));

  Ejecucion v = Copias({"verify", Arg(En("\\BK"))});
  EXPECT_EQ(v.codigo, 1);
  std::string sep =
#ifdef _WIN32
      "\\";
#else
      "/";
#endif
  std::vector<std::string> lineas = Lineas(v.salida);
  ASSERT_EQ(lineas.size(), 3u) << v.salida;
  EXPECT_EQ(lineas[0].rfind(Arg(En("\\BK")) + sep + nombreBuena + ": correcta (", 0), 0u);
  EXPECT_EQ(lineas[1], Arg(En("\\BK")) + sep +
                           "cortada.smbk: DAÑADA: registro cortado en el desplazamiento 323: "
                           "quedan 77 bytes de los 160 del registro");
  EXPECT_EQ(lineas[2], "Copias: 2. Correctas: 1. Dañadas: 1. Ilegibles: 0.");

  fs::remove(Local(En("\\BK\\cortada.smbk")));
  Ejecucion j = Copias({"verify", "--json", Arg(En("\\BK"))});
  EXPECT_EQ(j.codigo, 0);
  EXPECT_NE(j.salida.find("\"correctas\":1,\"danadas\":0,\"ilegibles\":0}"), std::string::npos)
      << j.salida;
}

TEST_F(Inspector, ExtractKeepsExistingFilesUnlessAskedAndPicksEntriesByName) {
  Obras();
  Tablas();
  ASSERT_TRUE(CrearCopiaCompleta());
  std::string copia = Arg(UnicaCopia());
  std::string tabla = LeerArchivo(En("\\Data\\Obras.dft"));
  std::string obra = LeerArchivo(En("\\Obras\\Obras.dft"));
  ASSERT_NE(tabla, obra);

  struct Caso {
    const char *caso;
    std::vector<std::string> nombres;
    int codigo;
    std::map<std::string, std::string> arbol;
  } casos[] = {
      {"folder named", {"Data/Obras.dft"}, 0, {{"Data/", ""}, {"Data/Obras.dft", tabla}}},
      {"either folder",
       {"obras.DFT"},
       0,
       {{"Data/", ""}, {"Data/Obras.dft", tabla}, {"Obras/", ""}, {"Obras/Obras.dft", obra}}},
      {"backslash form",
       {"Obras\\Obras.dft", "Local.obr"},
       0,
       {{"Obras/", ""}, {"Obras/Obras.dft", obra}, {"Obras/Local.obr", ""}}},
      {"one missing", {"Local.obr", "Nada.obr"}, 4, {{"Obras/", ""}, {"Obras/Local.obr", ""}}},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.caso);
    BorrarArbol(kDestino);
    std::vector<std::string> args{"extract", copia, "--to", Arg(kDestino)};
    args.insert(args.end(), c.nombres.begin(), c.nombres.end());
    Ejecucion x = Copias(args);
    EXPECT_EQ(x.codigo, c.codigo) << x.errores;
    EXPECT_EQ(Arbol(kDestino), c.arbol);
  }
  Ejecucion falta = Copias({"extract", copia, "--to", Arg(kDestino), "Nada.obr"});
  EXPECT_NE(falta.errores.find("no está en la copia: Nada.obr"), std::string::npos);

  // An existing file stays unless --overwrite; the others are still written.
  BorrarArbol(kDestino);
  EscribirArchivo(kDestino + "\\Obras\\Local.obr", "mio");
  Ejecucion x = Copias({"extract", copia, "--to", Arg(kDestino), "Local.obr", "Oficina.obr"});
  EXPECT_EQ(x.codigo, 4);
  EXPECT_NE(x.errores.find("no extraído: Obras/Local.obr: ya existe"), std::string::npos)
      << x.errores;
  EXPECT_EQ(LeerArchivo(kDestino + "\\Obras\\Local.obr"), "mio");
  EXPECT_EQ(LeerArchivo(kDestino + "\\Obras\\Oficina.obr"),
            LeerArchivo(En("\\Obras\\Oficina.obr")));

  x = Copias({"extract", copia, "--to", Arg(kDestino), "--overwrite", "Local.obr", "Oficina.obr"});
  EXPECT_EQ(x.codigo, 0) << x.errores;
  EXPECT_EQ(LeerArchivo(kDestino + "\\Obras\\Local.obr"), "");
  // No temporary file is left behind.
  EXPECT_EQ(Arbol(kDestino).size(), 3u);

  // A folder under an entry's name is never replaced.
  BorrarArbol(kDestino);
  CrearCarpetas(kDestino + "\\Obras\\Local.obr");
  x = Copias({"extract", copia, "--to", Arg(kDestino), "--overwrite", "Local.obr"});
  EXPECT_EQ(x.codigo, 4);
  EXPECT_EQ(Arbol(kDestino),
            (std::map<std::string, std::string>{{"Obras/", ""}, {"Obras/Local.obr/", ""}}));
}

TEST_F(Inspector, SalvageTakesOutTheSoundEntriesBeforeTheFaultOnly) {
  Obras();
  ASSERT_TRUE(CrearCopiaObras());
  std::string copia = UnicaCopia();
  std::string bytes = LeerArchivo(copia);
  CopiaLeida leida = Desarmar(bytes);
  ASSERT_EQ(leida.entradas.size(), 4u);
  // Cut 10 bytes into the last entry's content, as a full disk would leave it.
  std::size_t ultima = bytes.size() - leida.entradas.back().contenido.size() - 160;
  EscribirArchivo(copia, bytes.substr(0, ultima + 160 + 10));

  Ejecucion x = Copias({"extract", Arg(copia), "--to", Arg(kDestino)});
  EXPECT_EQ(x.codigo, 1);
  EXPECT_FALSE(Existe(kDestino));

  x = Copias({"extract", Arg(copia), "--to", Arg(kDestino), "--salvage"});
  EXPECT_EQ(x.codigo, 1);
  EXPECT_NE(x.errores.find("desplazamiento " + std::to_string(ultima)), std::string::npos)
      << x.errores;
  std::map<std::string, std::string> esperado{{"Obras/", ""}};
  for (std::size_t i = 0; i + 1 < leida.entradas.size(); ++i)
    esperado["Obras/" + leida.entradas[i].nombre] = leida.entradas[i].contenido;
  EXPECT_EQ(Arbol(kDestino), esperado);

  // The cut entry is not among them, whatever its name.
  BorrarArbol(kDestino);
  x = Copias(
      {"extract", Arg(copia), "--to", Arg(kDestino), "--salvage", leida.entradas.back().nombre});
  EXPECT_EQ(x.codigo, 4);
  EXPECT_FALSE(Existe(kDestino));
}

TEST_F(Inspector, WrongCommandLinesAreRefusedWithUsage) {
  const std::vector<std::vector<std::string>> casos = {
      {},
      {"copiar", "x.smbk"},
      {"list"},
      {"list", "a.smbk", "b.smbk"},
      {"list", "--overwrite", "a.smbk"},
      {"verify", "--salvage", "a.smbk"},
      {"verify", "--to", Arg(kDestino), "a.smbk"},
      {"extract", "a.smbk"},
      {"extract", "a.smbk", "--json", "--to", Arg(kDestino)},
      {"extract", "a.smbk", "--to"},
      {"list", "--bogus", "a.smbk"},
  };
  for (const auto &args : casos) {
    Ejecucion e = Copias(args);
    EXPECT_EQ(e.codigo, 2) << (args.empty() ? "" : args[0]);
    EXPECT_TRUE(e.salida.empty());
    EXPECT_NE(e.errores.find("qor-copias --help"), std::string::npos) << e.errores;
  }
  Ejecucion ayuda = Copias({"--help"});
  EXPECT_EQ(ayuda.codigo, 0);
  EXPECT_NE(ayuda.salida.find("Códigos de salida:"), std::string::npos);

  // An archive that isn't there, or is a folder, can't be read; nothing is created.
  CrearCarpetas(kCopias);
  for (const std::string orden : {"list", "verify", "extract"}) {
    SCOPED_TRACE(orden);
    for (const std::string &copia : {kCopias + "\\no-existe.smbk", kCopias}) {
      std::vector<std::string> args{orden, Arg(copia)};
      if (orden == "extract")
        args.insert(args.end(), {"--to", Arg(kDestino)});
      Ejecucion e = Copias(args);
      EXPECT_EQ(e.codigo, copia == kCopias && orden == "verify" ? 0 : 3) << copia;
    }
  }
  EXPECT_FALSE(Existe(kCopias + "\\no-existe.smbk"));
  EXPECT_FALSE(Existe(kDestino));
}

TEST_F(InspectorDanadas, LargeArchivesReportProgressOnStderrOnly) {
  // 101 MiB of zeros in one entry, made sparse where the host allows.
  const std::uint32_t largo = 101u << 20;
  std::string copia = kCopias + "\\grande.smbk";
  EscribirArchivo(copia, Cabecera(320 + largo) + Registro("grande.obr", largo, 1));
  fs::resize_file(Local(copia), 320 + largo);

  Ejecucion v = Copias({"verify", Arg(copia)});
  EXPECT_EQ(v.codigo, 0);
  EXPECT_EQ(v.salida,
            Arg(copia) + ": correcta (1 entrada, " + std::to_string(320 + largo) + " bytes)\n");
  EXPECT_NE(v.errores.find("Verificando 100 %"), std::string::npos) << v.errores;
  EXPECT_NE(v.errores.find("Verificando  50 %"), std::string::npos);

  Ejecucion x = Copias({"extract", Arg(copia), "--to", Arg(kDestino)});
  EXPECT_EQ(x.codigo, 0) << x.errores;
  EXPECT_NE(x.errores.find("Extrayendo 100 %"), std::string::npos);
  EXPECT_EQ(fs::file_size(Local(kDestino + "\\Obras\\grande.obr")), largo);
  BorrarArbol(kDestino);
  BorrarArbol(kCopias);
}

TEST_F(InspectorDanadas, AnArchivePastFourGiBIsNotTakenForWhatThirtyTwoBitsSeeOfIt) {
  // A sound 486-byte archive followed by 4 GiB of zeros: its size modulo 2^32 is 486.
  std::string copia = kCopias + "\\enorme.smbk";
  EscribirArchivo(copia, Copia("b.obr"));
  fs::resize_file(Local(copia), (std::uint64_t{1} << 32) + 486);

  Ejecucion v = Copias({"verify", "--json", Arg(copia)});
  EXPECT_EQ(v.codigo, 1);
  EXPECT_NE(v.salida.find("\"error\":{\"codigo\":\"demasiado_grande\",\"desplazamiento\":"
                          "4294967294,"),
            std::string::npos)
      << v.salida;
  Ejecucion x = Copias({"extract", Arg(copia), "--to", Arg(kDestino)});
  EXPECT_EQ(x.codigo, 1);
  EXPECT_FALSE(Existe(kDestino));
  BorrarArbol(kCopias);
}

#ifndef _WIN32
TEST_F(Inspector, AFailedWriteLeavesNoHalfFile) {
  Obras();
  ASSERT_TRUE(CrearCopiaObras());
  // Files of the program may not grow past 10000 bytes: Oficina.obr (70000) can't be
  // written, the smaller ones can.
  Ejecucion x = Copias({"extract", Arg(UnicaCopia()), "--to", Arg(kDestino)}, 10000);
  EXPECT_EQ(x.codigo, 4);
  EXPECT_NE(x.errores.find("no extraído: Obras/Oficina.obr: no se pudo escribir"),
            std::string::npos)
      << x.errores;
  EXPECT_EQ(Arbol(kDestino),
            (std::map<std::string, std::string>{
                {"Obras/", ""},
                {"Obras/Casa Perez.obr", LeerArchivo(En("\\Obras\\Casa Perez.obr"))},
                {"Obras/Local.obr", ""},
                {"Obras/Obras.dft", LeerArchivo(En("\\Obras\\Obras.dft"))}}));
}

TEST_F(InspectorDanadas, AFolderDeepInTheHostIsVerifiedWhole) {
  // Paths past the catalogue's 255-character fields: nothing may be left out unseen.
  std::string carpeta = kCopias;
  for (int i = 0; i < 6; ++i)
    carpeta += "\\" + std::string(50, static_cast<char>('a' + i));
  std::string nombre = std::string(200, 'c') + ".smbk";
  EscribirArchivo(carpeta + "\\" + nombre, Copia("b.obr"));
  ASSERT_GT(Arg(carpeta + "\\" + nombre).size(), 500u);

  Ejecucion v = Copias({"verify", Arg(carpeta)});
  EXPECT_EQ(v.codigo, 0);
  EXPECT_EQ(v.salida, Arg(carpeta) + "/" + nombre + ": correcta (2 entradas, 486 bytes)\n" +
                          "Copias: 1. Correctas: 1. Dañadas: 0. Ilegibles: 0.\n");
}

TEST_F(Inspector, WindowsNamesBecomeUtf8OnTheHost) {
  // A job file named in Windows-1252, as the product names them.
  EscribirArchivo(En("\\Obras\\Casa P\xE9rez.obr"), "p\xE9rez");
  ASSERT_TRUE(CrearCopiaObras());
  std::string copia = Arg(UnicaCopia());

  Ejecucion l = Copias({"list", copia});
  EXPECT_NE(l.salida.find("  Casa P\xC3\xA9rez.obr\n"), std::string::npos) << l.salida;
  Ejecucion j = Copias({"list", "--json", copia});
  EXPECT_NE(j.salida.find("\"nombre\":\"Casa P\xC3\xA9rez.obr\""), std::string::npos);

  Ejecucion x = Copias({"extract", copia, "--to", Arg(kDestino), "Casa P\xC3\xA9rez.obr"});
  EXPECT_EQ(x.codigo, 0) << x.errores;
  EXPECT_EQ(Arbol(kDestino), (std::map<std::string, std::string>{
                                 {"Obras/", ""}, {"Obras/Casa P\xC3\xA9rez.obr", "p\xE9rez"}}));
}

TEST_F(Inspector, NothingIsWrittenThroughALinkOutOfTheDestination) {
  Obras();
  ASSERT_TRUE(CrearCopiaObras());
  CrearCarpetas(kDestino);
  CrearCarpetas(kPruebas + std::string("\\fuera"));
  fs::create_directory_symlink(Local(kPruebas + std::string("\\fuera")),
                               Local(kDestino) + "/Obras");

  Ejecucion x = Copias({"extract", Arg(UnicaCopia()), "--to", Arg(kDestino)});
  EXPECT_EQ(x.codigo, 4);
  EXPECT_NE(x.errores.find("la carpeta de destino no es una carpeta propia"), std::string::npos);
  EXPECT_TRUE(Arbol(kPruebas + std::string("\\fuera")).empty());
}
#endif

} // namespace
