// Restoring a backup: what comes back, what goes, what the user is asked and shown, and
// that a damaged or hostile archive changes nothing.
#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/restaurar_copia.h"
#include "copias_prueba.h"

namespace {

using Op = ConsolaGrabadora::Operacion;

const std::string kEstado = "Restaurando Copia de Seguridad..." + std::string(35, ' ');

class Restaurar : public InstalacionCopias {
protected:
  void Instalacion() {
    EscribirArchivo(En("\\Obras\\Casa.obr"), Contenido("casa", 5000));
    EscribirArchivo(En("\\Obras\\Local.obr"), "local");
    EscribirArchivo(En("\\Data\\Clientes.dft"), Contenido("clientes", 800));
    EscribirArchivo(En("\\Data\\Obras.tbl"), "obras tabla");
    EscribirArchivo(En("\\Data\\Vidrios.tbl"), Contenido("vidrios", 300));
    EscribirArchivo(En("\\Data\\Perfiles.dft"), "perfiles");
  }
  // Makes a backup, lists it as the console would at start-up and selects it.
  void Copia(bool (*comando)()) {
    comando();
    Relistar();
  }
  void Relistar() {
    consola->items.clear();
    consola->seleccion = -1;
    ListarCopias();
  }
  // Puts an archive of our own making in \BK and selects it.
  void CopiaPropia(const std::string &bytes,
                   const std::string &nombre = "Obras Fecha 01-01-2020 Hora 00-00-00.smbk") {
    EscribirArchivo(En("\\BK\\" + nombre), bytes);
    Relistar();
    for (std::size_t i = 0; i < consola->items.size(); ++i)
      if (consola->items[i] == "Obras Fecha 01/01/2020 Hora 00:00:00")
        consola->seleccion = static_cast<std::int32_t>(i);
    consola->llamadas.clear();
  }
  // The state of the installation outside \BK.
  static std::map<std::string, std::string> SinCopias() {
    auto foto = Foto();
    std::erase_if(foto, [](const auto &e) { return e.first.rfind("BK/", 0) == 0; });
    return foto;
  }
};

TEST_F(Restaurar, AJobsBackupBringsBackJobsAndItsTablesAndEmptiesTheJobsFolder) {
  Instalacion();
  Copia(CrearCopiaObras);
  auto obrasAntes = Archivos("\\Obras");
  // Work done after the backup.
  EscribirArchivo(En("\\Obras\\Nueva.obr"), "nueva");
  EscribirArchivo(En("\\Obras\\Casa.obr"), "cambiada");
  EscribirArchivo(En("\\Data\\Clientes.dft"),
                  "clientes cambiados pero mucho mas largos que antes " + std::string(2000, 'x'));
  EscribirArchivo(En("\\Data\\Vidrios.tbl"), "vidrios nuevos");
  BorrarArbol(En("\\Data\\Obras.tbl"));

  consola->llamadas.clear();
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());

  EXPECT_EQ(Archivos("\\Obras"), obrasAntes);
  EXPECT_EQ(LeerArchivo(En("\\Data\\Clientes.dft")), Contenido("clientes", 800));
  EXPECT_EQ(LeerArchivo(En("\\Data\\Obras.tbl")), "obras tabla");
  // Tables outside the jobs backup keep their current content.
  EXPECT_EQ(LeerArchivo(En("\\Data\\Vidrios.tbl")), "vidrios nuevos");

  // The safety copy holds the state before the restore, and is the new selected entry.
  auto copias = Archivos("\\BK");
  ASSERT_EQ(copias.size(), 2u);
  auto seguridad = std::find_if(copias.begin(), copias.end(), [](const auto &e) {
    return e.first.rfind("Obras y Precios", 0) == 0;
  });
  ASSERT_NE(seguridad, copias.end());
  CopiaLeida c = Desarmar(seguridad->second);
  EXPECT_NE(std::find(c.entradas.begin(), c.entradas.end(), EntradaLeida{"Nueva.obr", 1, "nueva"}),
            c.entradas.end());
  ASSERT_GE(consola->seleccion, 0);
  EXPECT_EQ(
      consola->items[static_cast<std::size_t>(consola->seleccion)].rfind("Obras y Precios", 0), 0u);
  EXPECT_EQ(consola->estado, kEstado);

  auto preguntas = consola->De(Op::Pregunta);
  ASSERT_EQ(preguntas.size(), 1u);
  EXPECT_EQ(preguntas[0].texto, "Confirma restaurar la copia de seguridad...?");
  auto avisos = consola->De(Op::Aviso);
  ASSERT_EQ(avisos.size(), 1u);
  EXPECT_EQ(avisos[0].valor, static_cast<std::int64_t>(IconoAviso::Advertencia));
}

TEST_F(Restaurar, APricesBackupLeavesTheJobsFolderAlone) {
  Instalacion();
  Copia(CrearCopiaPrecios);
  EscribirArchivo(En("\\Obras\\Nueva.obr"), "nueva");
  EscribirArchivo(En("\\Data\\Perfiles.dft"), "otros perfiles");
  EscribirArchivo(En("\\Data\\Clientes.dft"), "clientes de ahora");
  BorrarArbol(En("\\Data\\Vidrios.tbl"));
  auto obras = Archivos("\\Obras");
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_EQ(Archivos("\\Obras"), obras);
  EXPECT_EQ(LeerArchivo(En("\\Data\\Perfiles.dft")), "perfiles");
  EXPECT_EQ(LeerArchivo(En("\\Data\\Vidrios.tbl")), Contenido("vidrios", 300));
  EXPECT_EQ(LeerArchivo(En("\\Data\\Clientes.dft")), "clientes de ahora");
}

TEST_F(Restaurar, ACompleteBackupPutsEverythingBack) {
  Instalacion();
  Copia(CrearCopiaCompleta);
  auto antes = SinCopias();
  EscribirArchivo(En("\\Obras\\Nueva.obr"), "nueva");
  EscribirArchivo(En("\\Obras\\Local.obr"), "");
  BorrarArbol(En("\\Data\\Perfiles.dft"));
  EscribirArchivo(En("\\Data\\Clientes.dft"), "c");
  // What a restore cut short left beside its targets, for entries this backup lacks too.
  EscribirArchivo(En("\\Obras\\.Perdida.obr.qorrest"), "a medias");
  EscribirArchivo(En("\\Data\\.Otra.tbl.qorrest"), "a medias");
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_EQ(SinCopias(), antes);
}

TEST_F(Restaurar, ProgressRunsInBytesWithOnePumpAfterHeaderRecordAndFile) {
  // 160 + (160 + 99,520) + (160 + 100,000) = 200,000 bytes.
  std::string a = Contenido("a", 99520), b = Contenido("b", 100000);
  std::string bytes = Registro("Obras Fecha 01-01-2020 Hora 00-00-00.smbk", 200000, 1) +
                      Registro("A.obr", 99520, 1) + a + Registro("B.dft", 100000, 2) + b;
  ASSERT_EQ(bytes.size(), 200000u);
  CopiaPropia(bytes);
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_EQ(LeerArchivo(En("\\Obras\\A.obr")), a);
  EXPECT_EQ(LeerArchivo(En("\\Data\\B.dft")), b);

  // From the status text on: the byte range, then a pump after each position.
  auto &ll = consola->llamadas;
  auto estado = std::find_if(ll.begin(), ll.end(),
                             [](const auto &l) { return l.operacion == Op::MostrarEstado; });
  ASSERT_NE(estado, ll.end());
  EXPECT_EQ(estado->texto, kEstado);
  std::vector<std::pair<Op, std::int64_t>> visto;
  for (auto it = estado + 1; it != ll.end(); ++it)
    visto.push_back({it->operacion, it->valor});
  std::vector<std::pair<Op, std::int64_t>> esperado = {
      {Op::FijarMaximoProgreso, 200000}, {Op::FijarProgreso, 160},    {Op::AtenderMensaje, 0},
      {Op::FijarProgreso, 320},          {Op::AtenderMensaje, 0},     {Op::FijarProgreso, 99840},
      {Op::AtenderMensaje, 0},           {Op::FijarProgreso, 100000}, {Op::AtenderMensaje, 0},
      {Op::FijarProgreso, 200000},       {Op::AtenderMensaje, 0}};
  EXPECT_EQ(visto, esperado);
}

TEST_F(Restaurar, AHeaderOnlyJobsArchiveStillEmptiesTheJobsFolder) {
  Instalacion();
  auto datos = Archivos("\\Data");
  CopiaPropia(Registro("Obras Fecha 01-01-2020 Hora 00-00-00.smbk", 160, 1));
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_TRUE(Archivos("\\Obras").empty());
  EXPECT_EQ(Archivos("\\Data"), datos);
}

TEST_F(Restaurar, TwoEntriesOfOneNameGoBackToTheirOwnFolders) {
  CopiaPropia(Registro("x", 0, 2) + Registro("Obras.dft", 3, 1) + "job" +
              Registro("Obras.dft", 5, 2) + "table" + Registro("Vacio.obr", 0, 7));
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_EQ(LeerArchivo(En("\\Obras\\Obras.dft")), "job");
  EXPECT_EQ(LeerArchivo(En("\\Data\\Obras.dft")), "table");
  EXPECT_TRUE(Existe(En("\\Obras\\Vacio.obr")));
  EXPECT_EQ(LeerArchivo(En("\\Obras\\Vacio.obr")), "");
}

TEST_F(Restaurar, NoMakesNoSafetyCopyAndChangesNothing) {
  Instalacion();
  Copia(CrearCopiaObras);
  EscribirArchivo(En("\\Obras\\Nueva.obr"), "nueva");
  auto antes = Foto();
  consola->Responder({false});
  EXPECT_FALSE(RestaurarCopia());
  EXPECT_EQ(Foto(), antes);
  EXPECT_TRUE(consola->De(Op::Aviso).empty());
}

TEST_F(Restaurar, AnEmptyListOrNoSelectionRestoresNothing) {
  Instalacion();
  auto antes = Foto();
  consola->Responder({true});
  EXPECT_FALSE(RestaurarCopia());
  EXPECT_TRUE(consola->llamadas.empty());

  Copia(CrearCopiaObras);
  EscribirArchivo(En("\\Obras\\Nueva.obr"), "nueva");
  antes = Foto();
  consola->Seleccionar(-1);
  consola->llamadas.clear();
  EXPECT_FALSE(RestaurarCopia());
  EXPECT_EQ(Foto(), antes);
  EXPECT_TRUE(consola->De(Op::Pregunta).empty());
}

TEST_F(Restaurar, AMissingArchiveEndsSilentlyAfterTheSafetyCopy) {
  Instalacion();
  CopiaPropia(Registro("x", 160, 1));
  BorrarArbol(En("\\BK\\Obras Fecha 01-01-2020 Hora 00-00-00.smbk"));
  auto antes = SinCopias();
  consola->Responder({true});
  EXPECT_FALSE(RestaurarCopia());
  EXPECT_EQ(SinCopias(), antes);
  EXPECT_EQ(Archivos("\\BK").size(), 1u);
  EXPECT_EQ(consola->De(Op::Aviso).size(), 1u);
}

// Each case must be refused before anything in the installation changes.
TEST_F(Restaurar, DamagedAndHostileArchivesLeaveTheInstallationUntouched) {
  const std::string cab = Registro("Obras y Precios Fecha 01-01-2020 Hora 00-00-00.smbk", 0, 0);
  const std::string bien = Registro("Bien.obr", 4, 1) + "bien";
  std::string sinTerminar = Registro(std::string(152, 'n'), 1, 1) + "z";
  struct Caso {
    const char *que;
    std::string bytes;
  } casos[] = {
      {"empty file", ""},
      {"cut in the header", cab.substr(0, 100)},
      {"cut in a record", cab + bien + Registro("Otro.obr", 1, 1).substr(0, 159)},
      {"cut in content", cab + bien + Registro("Otro.obr", 10, 1) + "corto"},
      {"length past the end", cab + Registro("Otro.obr", 0xFFFFFF00u, 1) + "x"},
      {"unterminated name", cab + bien + sinTerminar},
      {"parent folder", cab + bien + Registro("..\\x", 1, 1) + "x"},
      {"subfolder", cab + bien + Registro("a\\b", 1, 1) + "x"},
      {"slash", cab + bien + Registro("../Data/Clientes.dft", 1, 1) + "x"},
      {"drive", cab + bien + Registro("C:x", 1, 2) + "x"},
      {"empty name", cab + bien + Registro("", 1, 2) + "x"},
      {"dot dot", cab + bien + Registro("..", 1, 2) + "x"},
      {"device", cab + bien + Registro("NUL.txt", 1, 2) + "x"},
  };
  Instalacion();
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.que);
    BorrarArbol(En("\\BK"));
    CopiaPropia(caso.bytes);
    auto antes = SinCopias();
    consola->Responder({true});
    EXPECT_FALSE(RestaurarCopia());
    EXPECT_EQ(SinCopias(), antes);
    EXPECT_FALSE(Existe(En("\\Obras\\Bien.obr")));
    EXPECT_EQ(LeerArchivo(En("\\BK\\Obras Fecha 01-01-2020 Hora 00-00-00.smbk")), caso.bytes);
    auto avisos = consola->De(Op::Aviso);
    ASSERT_EQ(avisos.size(), 2u);
    EXPECT_EQ(avisos[1].valor, static_cast<std::int64_t>(IconoAviso::Error));
    EXPECT_TRUE(consola->De(Op::MostrarEstado).empty());
  }
}

TEST_F(Restaurar, AFailedSafetyCopyStopsTheRestore) {
  Instalacion();
  CopiaPropia(Registro("x", 160, 1) + Registro("Casa.obr", 3, 1) + "old");
  // The safety copy can't take every file: a job file's name doesn't fit an entry.
  std::string largo(160, 'l');
  EscribirArchivo(En("\\Obras\\" + largo), "trabajo");
  auto antes = SinCopias();
  consola->Responder({true});
  EXPECT_FALSE(RestaurarCopia());
  EXPECT_EQ(SinCopias(), antes);
  auto avisos = consola->Avisos();
  ASSERT_EQ(avisos.size(), 3u);
  EXPECT_NE(avisos[1].find(largo), std::string::npos);
}

TEST_F(Restaurar, ATargetThatCantBeWrittenIsNamedAtTheEndAndTheRestIsRestored) {
  CopiaPropia(Registro("x", 0, 0) + Registro("Casa.obr", 4, 1) + "casa" +
              Registro("Clientes.dft", 8, 2) + "clientes" + Registro("Obras.tbl", 5, 2) + "obras");
  // A folder stands where the table should go: it can be neither deleted nor written.
  CrearCarpetas(En("\\Data\\Clientes.dft"));
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_EQ(LeerArchivo(En("\\Obras\\Casa.obr")), "casa");
  EXPECT_EQ(LeerArchivo(En("\\Data\\Obras.tbl")), "obras");
  auto avisos = consola->De(Op::Aviso);
  ASSERT_EQ(avisos.size(), 2u);
  EXPECT_EQ(avisos[1].valor, static_cast<std::int64_t>(IconoAviso::Advertencia));
  EXPECT_NE(avisos[1].texto.find("Clientes.dft"), std::string::npos);
  EXPECT_EQ(avisos[1].texto.find("Obras.tbl"), std::string::npos);
}

TEST_F(Restaurar, FilesLargerThanTheCopyBufferRoundTripWithTheSamePositions) {
  // Several times the copy buffer, and not a multiple of it.
  std::string grande = Contenido("grande", (5u << 20) / 2 + 12345);
  EscribirArchivo(En("\\Obras\\Grande.obr"), grande);
  EscribirArchivo(En("\\Data\\Vidrios.tbl"), "vidrios");
  Copia(CrearCopiaObras);
  EXPECT_EQ(consola->Posiciones(), (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
  EscribirArchivo(En("\\Obras\\Grande.obr"), "pisado");
  consola->llamadas.clear();
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_EQ(LeerArchivo(En("\\Obras\\Grande.obr")), grande);
  // After the safety copy's 25 positions: the header, then two per entry.
  auto posiciones = consola->Posiciones();
  ASSERT_EQ(posiciones.size(), 25u + 1u + 2u);
  std::uint32_t fin = 160 + 160 + static_cast<std::uint32_t>(grande.size());
  EXPECT_EQ(std::vector<std::int64_t>(posiciones.begin() + 25, posiciones.end()),
            (std::vector<std::int64_t>{160, 320, fin}));
}

TEST_F(Restaurar, NotInstalledEndsAfterTheTwoNoticesWithNothingWritten) {
  BorrarArbol(kInstalacion);
  consola->AgregarItem("Obras Fecha 01/01/2020 Hora 00:00:00");
  consola->Seleccionar(0);
  consola->Responder({true});
  EXPECT_FALSE(RestaurarCopia());
  EXPECT_FALSE(Existe(kInstalacion));
  auto avisos = consola->De(Op::Aviso);
  ASSERT_EQ(avisos.size(), 2u);
  EXPECT_EQ(avisos[0].valor, static_cast<std::int64_t>(IconoAviso::Advertencia));
  EXPECT_EQ(avisos[1].valor, static_cast<std::int64_t>(IconoAviso::Ninguno));
  EXPECT_TRUE(consola->De(Op::MostrarEstado).empty());
}

} // namespace
