// Backup names, the start-up listing and the delete command.
#include "backup/catalogo.h"
#include "copias_prueba.h"

#include <cstdlib>
#include <cstring>
#include <regex>

namespace {

using Op = ConsolaGrabadora::Operacion;

TEST(NombresDeCopia, FileAndDisplayNamesConvertIntoEachOther) {
  const char *casos[][2] = {
      {"Obras y Precios Fecha 05-03-2019 Hora 14-07-09.smbk",
       "Obras y Precios Fecha 05/03/2019 Hora 14:07:09"},
      {"Precios Fecha 31-12-2019 Hora 09-05-03.smbk", "Precios Fecha 31/12/2019 Hora 09:05:03"},
      {"Obras Fecha 10-10-2020 Hora 10-10-10.smbk", "Obras Fecha 10/10/2020 Hora 10:10:10"},
      {"Obras Fecha 01-01-2020 Hora 00-00-00.smbk", "Obras Fecha 01/01/2020 Hora 00:00:00"},
  };
  for (const auto &[archivo, visible] : casos) {
    char texto[150] = {};
    std::strcpy(texto, archivo);
    NombreVisible(texto);
    EXPECT_STREQ(texto, visible);
    ASSERT_TRUE(NombreArchivo(texto));
    EXPECT_STREQ(texto, archivo);
  }
}

TEST(NombresDeCopia, ForeignNames) {
  struct Caso {
    const char *archivo, *visible, *deVuelta;
  } casos[] = {
      {"copia.zip", "copia", "copia.smbk"},
      {"a.b.smbk", "a", "a.smbk"},
      {"sin guiones", "sin guiones", "sin guiones.smbk"},
      {"a-b-c-d-e", "a/b/c:d:e", "a-b-c-d-e.smbk"},
      {"", "", ".smbk"},
  };
  for (const Caso &c : casos) {
    char texto[150] = {};
    std::strcpy(texto, c.archivo);
    NombreVisible(texto);
    EXPECT_STREQ(texto, c.visible);
    ASSERT_TRUE(NombreArchivo(texto));
    EXPECT_STREQ(texto, c.deVuelta);
  }
}

TEST(NombresDeCopia, AFileNameThatWouldOverflowIsRefusedWhole) {
  char texto[12] = "a/b:c/d";
  EXPECT_FALSE(NombreArchivo(texto));
  EXPECT_STREQ(texto, "a/b:c/d");
  char justo[13] = "a/b:c/d";
  EXPECT_TRUE(NombreArchivo(justo));
  EXPECT_STREQ(justo, "a-b-c-d.smbk");
}

TEST(NombresDeCopia, SelloFechaHoraIsTheLocalTimeInTheNamePattern) {
  char sello[50] = {};
  std::time_t antes = std::time(nullptr);
  SelloFechaHora(sello);
  std::time_t despues = std::time(nullptr);
  std::cmatch m;
  ASSERT_TRUE(std::regex_match(
      sello, m, std::regex(R"( Fecha (\d\d)-(\d\d)-(\d{4}) Hora (\d\d)-(\d\d)-(\d\d)\.smbk)")))
      << sello;
  std::tm t{};
  t.tm_mday = std::atoi(m[1].str().c_str());
  t.tm_mon = std::atoi(m[2].str().c_str()) - 1;
  t.tm_year = std::atoi(m[3].str().c_str()) - 1900;
  t.tm_hour = std::atoi(m[4].str().c_str());
  t.tm_min = std::atoi(m[5].str().c_str());
  t.tm_sec = std::atoi(m[6].str().c_str());
  t.tm_isdst = -1;
  std::time_t hecho = std::mktime(&t);
  EXPECT_GE(hecho, antes);
  EXPECT_LE(hecho, despues);
}

class Catalogo : public InstalacionCopias {
protected:
  void Copias(std::initializer_list<const char *> nombres) {
    for (const char *n : nombres)
      EscribirArchivo(En(std::string("\\BK\\") + n), n);
  }
};

TEST_F(Catalogo, ListsEveryFileSortedByDisplayNameAndSelectsTheFirst) {
  Copias({"Precios Fecha 05-03-2019 Hora 14-07-09.smbk",
          "Obras y Precios Fecha 12-01-2019 Hora 10-00-00.smbk",
          "Obras y Precios Fecha 05-03-2019 Hora 14-07-09.smbk",
          "Obras Fecha 31-12-2020 Hora 23-59-59.smbk", "copia.zip",
          ".Obras Fecha 01-01-2020.smbk"});
  CrearCarpetas(En("\\BK\\subcarpeta"));
  ListarCopias();
  EXPECT_EQ(consola->items,
            (std::vector<std::string>{"copia", "Obras Fecha 31/12/2020 Hora 23:59:59",
                                      "Obras y Precios Fecha 05/03/2019 Hora 14:07:09",
                                      "Obras y Precios Fecha 12/01/2019 Hora 10:00:00",
                                      "Precios Fecha 05/03/2019 Hora 14:07:09"}));
  EXPECT_EQ(consola->seleccion, 0);
  EXPECT_TRUE(consola->De(Op::Aviso).empty());
}

TEST_F(Catalogo, NoBackupFolderListsNothingSilently) {
  ListarCopias();
  EXPECT_TRUE(consola->llamadas.empty());
}

TEST_F(Catalogo, NotInstalledIsToldAndListsNothing) {
  BorrarArbol(kInstalacion);
  ListarCopias();
  ASSERT_EQ(consola->llamadas.size(), 1u);
  EXPECT_EQ(consola->llamadas[0].operacion, Op::Aviso);
  EXPECT_TRUE(consola->items.empty());
}

#ifndef _WIN32
TEST_F(Catalogo, TheInstallFolderIsOnTheWindowsFoldersDrive) {
  const char *antes = std::getenv("QOR_WINDIR");
  struct Caso {
    const char *windir, *instalacion;
  } casos[] = {{"D:\\WINNT", "D:\\QOR_Fenestrali_2"},
               {"C:\\WINDOWS", "C:\\QOR_Fenestrali_2"},
               {"WINDOWS", ""},
               {"\\\\servidor\\windows", ""}};
  for (const Caso &c : casos) {
    setenv("QOR_WINDIR", c.windir, 1);
    char carpeta[255];
    EXPECT_EQ(CarpetaDe("\\BK", carpeta), c.instalacion[0] != '\0');
    EXPECT_EQ(std::string(carpeta),
              c.instalacion[0] ? std::string(c.instalacion) + "\\BK" : std::string());
  }
  if (antes)
    setenv("QOR_WINDIR", antes, 1);
  else
    unsetenv("QOR_WINDIR");
}
#endif

TEST_F(Catalogo, DeleteRemovesTheSelectedBackupAfterYes) {
  Copias(
      {"Obras Fecha 01-01-2020 Hora 00-00-00.smbk", "Precios Fecha 01-01-2020 Hora 00-00-00.smbk"});
  ListarCopias();
  consola->Seleccionar(1);
  consola->Responder({true});
  EliminarCopia();
  EXPECT_EQ(Archivos("\\BK").size(), 1u);
  EXPECT_FALSE(Existe(En("\\BK\\Precios Fecha 01-01-2020 Hora 00-00-00.smbk")));
  EXPECT_EQ(consola->items, std::vector<std::string>{"Obras Fecha 01/01/2020 Hora 00:00:00"});
  EXPECT_EQ(consola->seleccion, 0);
  auto preguntas = consola->De(Op::Pregunta);
  ASSERT_EQ(preguntas.size(), 1u);
  EXPECT_EQ(preguntas[0].texto, "Confirma eliminar la copia de seguridad...?");
}

TEST_F(Catalogo, DeleteOfAForeignFileRemovesOnlyTheEntry) {
  Copias({"copia.zip", "a.b.smbk"});
  ListarCopias();
  ASSERT_EQ(consola->items, (std::vector<std::string>{"a", "copia"}));
  consola->Seleccionar(1);
  consola->Responder({true});
  EliminarCopia();
  EXPECT_TRUE(Existe(En("\\BK\\copia.zip")));
  EXPECT_EQ(consola->items, std::vector<std::string>{"a"});
  // The entry a, listed for a.b.smbk, targets a.smbk.
  EscribirArchivo(En("\\BK\\a.smbk"), "otra");
  consola->Responder({true});
  EliminarCopia();
  EXPECT_FALSE(Existe(En("\\BK\\a.smbk")));
  EXPECT_TRUE(Existe(En("\\BK\\a.b.smbk")));
  EXPECT_TRUE(consola->items.empty());
}

TEST_F(Catalogo, DeleteDoesNothingOnNoEmptyListOrNoSelection) {
  Copias({"Obras Fecha 01-01-2020 Hora 00-00-00.smbk"});
  ListarCopias();
  consola->Responder({false});
  EliminarCopia();
  EXPECT_EQ(Archivos("\\BK").size(), 1u);
  EXPECT_EQ(consola->items.size(), 1u);

  consola->Seleccionar(-1);
  consola->llamadas.clear();
  consola->Responder({true});
  EliminarCopia();
  EXPECT_EQ(Archivos("\\BK").size(), 1u);
  EXPECT_EQ(consola->items.size(), 1u);
  EXPECT_TRUE(consola->De(Op::Pregunta).empty());
  EXPECT_EQ(consola->De(Op::Aviso).size(), 1u);
}

TEST_F(Catalogo, DeletingTheLastEntryLeavesNoSelection) {
  Copias({"Obras Fecha 01-01-2020 Hora 00-00-00.smbk"});
  ListarCopias();
  consola->Responder({true});
  EliminarCopia();
  EXPECT_TRUE(consola->items.empty());
  EXPECT_EQ(consola->seleccion, -1);
  EXPECT_TRUE(Archivos("\\BK").empty());
}

} // namespace
