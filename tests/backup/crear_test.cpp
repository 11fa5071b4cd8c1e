// Creating backups: what lands in the archive, in which order, and what the console sees.
#include "backup/crear_copia.h"
#include "copias_prueba.h"

#include <regex>

namespace {

// The bytes the user's message box gets: Windows-1252 in the Windows build.
#ifdef _WIN32
const std::string kNoInstalado = "El programa no est\xE1 instalado";
#else
const std::string kNoInstalado = "El programa no est\xC3\xA1 instalado";
#endif

using Op = ConsolaGrabadora::Operacion;

const std::vector<std::string> kTablas = {
    "Clientes.dft",     "Clientes.tbl",     "Obras.dft",    "Obras.tbl",      "Camaras.dft",
    "Camaras.tbl",      "ConfigD.dft",      "ConfigD.tbl",  "ConfigG.dft",    "ConfigG.tbl",
    "DVH.dft",          "DVH.tbl",          "Monedas.dft",  "Monedas.tbl",    "Partes.dft",
    "Partes.tbl",       "Perfiles.dft",     "Perfiles.tbl", "TipoConfig.dft", "TipoConfig.tbl",
    "Tratamientos.dft", "Tratamientos.tbl", "Vidrios.dft",  "Vidrios.tbl"};

class CrearCopias : public InstalacionCopias {
protected:
  void TodasLasTablas() {
    for (const std::string &t : kTablas)
      EscribirArchivo(En("\\Data\\" + t), Contenido(t, 100 + t.size()));
  }
  void TresObras() {
    EscribirArchivo(En("\\Obras\\Casa Perez.obr"), Contenido("perez", 3000));
    EscribirArchivo(En("\\Obras\\Local.obr"), "");
    EscribirArchivo(En("\\Obras\\Oficina.obr"), Contenido("oficina", 70000));
  }
  // The calls a creation makes from the range on: the range, one pump after each
  // position, then the new entry added and selected.
  std::vector<ConsolaGrabadora::Llamada> Esperado(int total, const std::string &visible) {
    std::vector<ConsolaGrabadora::Llamada> r{{Op::FijarMaximoProgreso, total, ""}};
    for (int m = 1; m <= total; ++m) {
      r.push_back({Op::FijarProgreso, m, ""});
      r.push_back({Op::AtenderMensaje, 0, ""});
    }
    r.push_back({Op::AgregarItem, 0, visible});
    r.push_back({Op::Seleccionar, 0, ""});
    return r;
  }
  void LlamadasComo(const std::vector<ConsolaGrabadora::Llamada> &esperado) {
    ASSERT_EQ(consola->llamadas.size(), esperado.size());
    for (std::size_t i = 0; i < esperado.size(); ++i) {
      EXPECT_EQ(consola->llamadas[i].operacion, esperado[i].operacion) << i;
      EXPECT_EQ(consola->llamadas[i].valor, esperado[i].valor) << i;
      EXPECT_EQ(consola->llamadas[i].texto, esperado[i].texto) << i;
    }
  }
};

std::vector<std::string> Nombres(const CopiaLeida &c) {
  std::vector<std::string> r;
  for (const EntradaLeida &e : c.entradas)
    r.push_back(e.nombre);
  return r;
}

TEST_F(CrearCopias, CompletaPackThreeJobsThenTheTwentyFourTablesWithOnePumpPerPosition) {
  TresObras();
  TodasLasTablas();
  EXPECT_TRUE(CrearCopiaCompleta());

  std::string ruta = UnicaCopia();
  std::string archivo = ruta.substr(ruta.rfind('\\') + 1);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(
      archivo, m,
      std::regex(
          R"(Obras y Precios Fecha (\d\d)-(\d\d)-(\d{4}) Hora (\d\d)-(\d\d)-(\d\d)\.smbk)")));
  std::string visible = "Obras y Precios Fecha " + m[1].str() + "/" + m[2].str() + "/" +
                        m[3].str() + " Hora " + m[4].str() + ":" + m[5].str() + ":" + m[6].str();
  LlamadasComo(Esperado(27, visible));
  EXPECT_EQ(consola->items, std::vector<std::string>{visible});
  EXPECT_EQ(consola->seleccion, 0);

  CopiaLeida c = Desarmar(LeerArchivo(ruta));
  EXPECT_EQ(c.nombre, archivo);
  EXPECT_EQ(c.tipo, 0u);
  ASSERT_EQ(c.entradas.size(), 27u);
  auto obras = Archivos("\\Obras");
  for (const auto &[nombre, contenido] : obras) {
    // The job files come first, in the order the folder lists them.
    auto e = std::find_if(c.entradas.begin(), c.entradas.begin() + 3,
                          [&](const EntradaLeida &x) { return x.nombre == nombre; });
    ASSERT_NE(e, c.entradas.begin() + 3) << nombre;
    EXPECT_EQ(*e, (EntradaLeida{nombre, 1, contenido}));
  }
  for (std::size_t k = 0; k < kTablas.size(); ++k)
    EXPECT_EQ(c.entradas[3 + k],
              (EntradaLeida{kTablas[k], 2, LeerArchivo(En("\\Data\\" + kTablas[k]))}));
}

TEST_F(CrearCopias, MissingTablesAreSkippedYetEveryPositionIsSet) {
  TresObras();
  EscribirArchivo(En("\\Data\\Vidrios.dft"), "vidrios");
  EscribirArchivo(En("\\Data\\Clientes.tbl"), "clientes");
  CrearCopiaCompleta();
  CopiaLeida c = Desarmar(LeerArchivo(UnicaCopia()));
  std::vector<std::string> nombres = Nombres(c);
  ASSERT_EQ(nombres.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(nombres.begin() + 3, nombres.end()),
            (std::vector<std::string>{"Clientes.tbl", "Vidrios.dft"}));
  std::vector<std::int64_t> posiciones;
  for (int p = 1; p <= 27; ++p)
    posiciones.push_back(p);
  EXPECT_EQ(consola->Posiciones(), posiciones);
  EXPECT_EQ(consola->De(Op::AtenderMensaje).size(), 27u);
}

TEST_F(CrearCopias, EachKindPacksItsOwnListWithItsRange) {
  struct Caso {
    bool (*comando)();
    std::uint32_t tipo;
    const char *titulo;
    bool obras;
    std::size_t primera, tablas;
  } casos[] = {
      {CrearCopiaObras, 1, "Obras Fecha ", true, 0, 4},
      {CrearCopiaPrecios, 2, "Precios Fecha ", false, 4, 20},
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.titulo);
    BorrarArbol(En("\\BK"));
    consola->llamadas.clear();
    TresObras();
    TodasLasTablas();
    EXPECT_TRUE(caso.comando());
    CopiaLeida c = Desarmar(LeerArchivo(UnicaCopia()));
    EXPECT_EQ(c.tipo, caso.tipo);
    EXPECT_EQ(c.nombre.rfind(caso.titulo, 0), 0u) << c.nombre;
    std::vector<std::string> esperado;
    if (caso.obras)
      for (const auto &[nombre, contenido] : Archivos("\\Obras"))
        esperado.push_back(nombre);
    std::vector<std::string> nombres = Nombres(c);
    if (caso.obras)
      std::sort(nombres.begin(), nombres.begin() + 3);
    esperado.insert(esperado.end(), kTablas.begin() + static_cast<long>(caso.primera),
                    kTablas.begin() + static_cast<long>(caso.primera + caso.tablas));
    EXPECT_EQ(nombres, esperado);
    auto maximos = consola->De(Op::FijarMaximoProgreso);
    ASSERT_EQ(maximos.size(), 1u);
    EXPECT_EQ(maximos[0].valor, static_cast<std::int64_t>((caso.obras ? 3 : 0) + caso.tablas));
  }
}

TEST_F(CrearCopias, JobsBackupOfAnEmptyJobsFolderHoldsItsFourTablesOnly) {
  TodasLasTablas();
  CrearCopiaObras();
  CopiaLeida c = Desarmar(LeerArchivo(UnicaCopia()));
  EXPECT_EQ(Nombres(c), std::vector<std::string>(kTablas.begin(), kTablas.begin() + 4));
  EXPECT_EQ(consola->Posiciones(), (std::vector<std::int64_t>{1, 2, 3, 4}));
}

TEST_F(CrearCopias, SubfoldersAndDotNamesOfTheJobsFolderAreNotPacked) {
  EscribirArchivo(En("\\Obras\\Casa.obr"), "casa");
  EscribirArchivo(En("\\Obras\\.oculto"), "no");
  EscribirArchivo(En("\\Obras\\Viejas\\Otra.obr"), "no");
  CrearCopiaObras();
  CopiaLeida c = Desarmar(LeerArchivo(UnicaCopia()));
  EXPECT_EQ(Nombres(c), std::vector<std::string>{"Casa.obr"});
}

TEST_F(CrearCopias, HeaderOnlyArchiveWhenNothingExists) {
  BorrarArbol(En("\\Obras"));
  BorrarArbol(En("\\Data"));
  EXPECT_TRUE(CrearCopiaCompleta());
  std::string bytes = LeerArchivo(UnicaCopia());
  ASSERT_EQ(bytes.size(), 160u);
  EXPECT_EQ(bytes.substr(152), U32(160) + U32(0));
  EXPECT_EQ(consola->De(Op::FijarMaximoProgreso)[0].valor, 24);
}

TEST_F(CrearCopias, NotInstalledTellsTheUserAndTouchesNothing) {
  BorrarArbol(kInstalacion);
  for (bool (*comando)() : {CrearCopiaCompleta, CrearCopiaObras, CrearCopiaPrecios}) {
    consola->llamadas.clear();
    EXPECT_FALSE(comando());
    ASSERT_EQ(consola->llamadas.size(), 1u);
    EXPECT_EQ(consola->llamadas[0].operacion, Op::Aviso);
    EXPECT_EQ(consola->llamadas[0].texto, kNoInstalado);
    EXPECT_EQ(consola->llamadas[0].valor, 0);
    EXPECT_FALSE(Existe(kInstalacion));
  }
}

TEST_F(CrearCopias, TwoBackupsInOneSecondGetTwoArchivesEachWhole) {
  TresObras();
  TodasLasTablas();
  CrearCopiaCompleta();
  CrearCopiaCompleta();
  CrearCopiaCompleta();
  auto copias = Archivos("\\BK");
  ASSERT_EQ(copias.size(), 3u);
  for (const auto &[nombre, bytes] : copias) {
    CopiaLeida c = Desarmar(bytes);
    EXPECT_EQ(c.nombre, nombre);
    EXPECT_EQ(c.entradas.size(), 27u);
  }
  EXPECT_EQ(consola->items.size(), 3u);
  // The latest backup is the one selected.
  EXPECT_EQ(consola->seleccion, 2);
}

TEST_F(CrearCopias, TheNewEntryIsSelectedWhereverItSorts) {
  consola->AgregarItem("Precios Fecha 01/01/2000 Hora 00:00:00");
  consola->AgregarItem("Obras Fecha 01/01/2000 Hora 00:00:00");
  consola->Seleccionar(1);
  CrearCopiaObras();
  // "Obras Fecha 01/..." sorts first only for a date in January 2000; a real one after it.
  ASSERT_EQ(consola->items.size(), 3u);
  EXPECT_EQ(consola->items[static_cast<std::size_t>(consola->seleccion)].rfind("Obras Fecha", 0),
            0u);
  EXPECT_EQ(consola->seleccion, consola->ultimoIndice);
  EXPECT_NE(consola->items[static_cast<std::size_t>(consola->seleccion)],
            "Obras Fecha 01/01/2000 Hora 00:00:00");
}

TEST_F(CrearCopias, TheFirstBackupCreatesTheBackupFolder) {
  ASSERT_FALSE(Existe(En("\\BK")));
  CrearCopiaPrecios();
  EXPECT_EQ(Archivos("\\BK").size(), 1u);
}

TEST_F(CrearCopias, LeftoversOfACutRunGoAndAreNeverListedAsBackups) {
  CrearCarpetas(En("\\BK"));
  EscribirArchivo(En("\\BK\\.Obras Fecha 01-01-2020 Hora 00-00-00.smbk"), std::string(160, '\0'));
  CrearCopiaObras();
  auto copias = Archivos("\\BK");
  ASSERT_EQ(copias.size(), 1u);
  EXPECT_NE(copias.begin()->first[0], '.');
}

TEST_F(CrearCopias, ABackupFolderThatCantHoldFilesIsReportedAndAddsNoEntry) {
  // A file where the folder should be: nothing can be created in it.
  EscribirArchivo(En("\\BK"), "no soy una carpeta");
  TresObras();
  EXPECT_FALSE(CrearCopiaCompleta());
  auto avisos = consola->De(Op::Aviso);
  ASSERT_EQ(avisos.size(), 1u);
  EXPECT_EQ(avisos[0].valor, static_cast<std::int64_t>(IconoAviso::Error));
  EXPECT_TRUE(consola->items.empty());
  EXPECT_EQ(LeerArchivo(En("\\BK")), "no soy una carpeta");
}

TEST_F(CrearCopias, NamesThatDontFitTheRecordAreLeftOutAndNamed) {
  std::string nombre151(147, 'a');
  nombre151 += ".obr";
  std::string nombre152 = "b" + nombre151;
  EscribirArchivo(En("\\Obras\\" + nombre151), "cabe");
  EscribirArchivo(En("\\Obras\\" + nombre152), "no cabe");
  CrearCopiaObras();
  CopiaLeida c = Desarmar(LeerArchivo(UnicaCopia()));
  EXPECT_EQ(Nombres(c), std::vector<std::string>{nombre151});
  auto avisos = consola->Avisos();
  ASSERT_EQ(avisos.size(), 1u);
  EXPECT_NE(avisos[0].find(nombre152), std::string::npos);
  EXPECT_EQ(consola->items.size(), 1u);
}

} // namespace
