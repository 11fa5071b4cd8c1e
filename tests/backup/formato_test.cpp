// The archive format byte for byte, and the walk that every reader goes through.
#include "backup/crear_copia.h"
#include "backup/formato_copia.h"
#include "copias_prueba.h"
#include "system/archivo.h"

namespace {

class Formato : public InstalacionCopias {};

TEST_F(Formato, ACompleteBackupOfOneJobAndClientesDftIsLaidOutByteForByte) {
  std::string obra = Contenido("obra", 777);
  std::string clientes = Contenido("clientes", 2048);
  EscribirArchivo(En("\\Obras\\Casa.obr"), obra);
  EscribirArchivo(En("\\Data\\Clientes.dft"), clientes);
  CrearCopiaCompleta();
  std::string ruta = UnicaCopia();
  std::string nombre = ruta.substr(ruta.rfind('\\') + 1);
  ASSERT_EQ(nombre.size(), 51u); // Obras y Precios Fecha dd-mm-aaaa Hora hh-mm-ss.smbk

  std::string esperado = nombre + std::string(101, '\0') + U32(160 + 160 + 777 + 160 + 2048) +
                         std::string("\0\0\0\0", 4) + "Casa.obr" + std::string(144, '\0') +
                         U32(777) + std::string("\1\0\0\0", 4) + obra + "Clientes.dft" +
                         std::string(140, '\0') + std::string("\0\x08\0\0", 4) +
                         std::string("\2\0\0\0", 4) + clientes;
  EXPECT_EQ(LeerArchivo(ruta), esperado);
}

TEST(RegistroCopia, SerializesLittleEndianWhateverTheHost) {
  RegistroCopia r{};
  ASSERT_TRUE(PrepararRegistro(r, "Vidrios.tbl", 0x01020304u, 0xA0B0C0D0u));
  unsigned char bytes[kTamanoRegistro];
  SerializarRegistro(r, bytes);
  std::string b(reinterpret_cast<char *>(bytes), kTamanoRegistro);
  EXPECT_EQ(b, std::string("Vidrios.tbl") + std::string(141, '\0') + "\x04\x03\x02\x01" +
                   "\xD0\xC0\xB0\xA0");
  RegistroCopia leido{};
  LeerRegistro(bytes, leido);
  EXPECT_STREQ(leido.nombre, "Vidrios.tbl");
  EXPECT_EQ(leido.longitud, 0x01020304u);
  EXPECT_EQ(leido.tipo, 0xA0B0C0D0u);
}

TEST(RegistroCopia, ANameMustFitWithItsTerminator) {
  RegistroCopia r{};
  EXPECT_TRUE(PrepararRegistro(r, std::string(151, 'a').c_str(), 1, 1));
  EXPECT_EQ(r.nombre[151], '\0');
  PrepararRegistro(r, "intacto", 5, 2);
  EXPECT_FALSE(PrepararRegistro(r, std::string(152, 'a').c_str(), 1, 1));
  EXPECT_STREQ(r.nombre, "intacto");
  EXPECT_EQ(r.longitud, 5u);
}

TEST(RegistroCopia, OnlyPlainFileNamesAreEntryNames) {
  struct Caso {
    std::string nombre;
    bool valido;
  } casos[] = {
      {"Casa Perez.obr", true},
      {"a", true},
      {std::string(151, 'x'), true},
      {"Obras.dft", true},
      {"con.obr.bak", false},
      {"CONSOLA.obr", true},
      {"COM1", false},
      {"lpt9.txt", false},
      {"COM0", true},
      {"", false},
      {".", false},
      {"..", false},
      {"...", false},
      {"a.", false},
      {"b ", false},
      {".. ", false},
      {"a b.obr", true},
      {".oculto", true},
      {"a\\b", false},
      {"..\\x", false},
      {"a/b", false},
      {"C:x", false},
      {"a*", false},
      {"a?", false},
      {"a\tb", false},
      {std::string(152, 'x'), false},
      {"\xF1"
       "and\xFA.obr",
       true},
  };
  for (const Caso &c : casos)
    EXPECT_EQ(NombreEntradaValido(c.nombre.c_str()), c.valido) << c.nombre;
}

TEST_F(Formato, TheWalkVisitsEntriesInOrderAndStopsWhenAsked) {
  std::string bytes = Registro("cabecera", 0, 2) + Registro("Uno.obr", 3, 1) + "uno" +
                      Registro("Vacio.dft", 0, 2) + Registro("Tres.tbl", 4, 9) + "tres";
  EscribirArchivo(std::string(kPruebas) + "\\c.smbk", bytes);
  Archivo copia;
  ASSERT_TRUE(copia.AbrirLectura((std::string(kPruebas) + "\\c.smbk").c_str()));
  std::vector<std::tuple<std::string, std::uint32_t, std::uint32_t, std::uint32_t>> vistas;
  RecorridoCopia r = RecorrerCopia(copia, [&](const EntradaCopia &e) {
    vistas.emplace_back(e.registro.nombre, e.registro.tipo, e.desplazamiento, e.siguiente);
    return true;
  });
  EXPECT_EQ(r.estado, EstadoCopia::Valida);
  EXPECT_EQ(r.cabecera.tipo, 2u);
  EXPECT_EQ(r.tamano, bytes.size());
  EXPECT_EQ(r.entradas, 3u);
  using V = decltype(vistas)::value_type;
  EXPECT_EQ(vistas, (decltype(vistas){V{"Uno.obr", 1, 160, 323}, V{"Vacio.dft", 2, 323, 483},
                                      V{"Tres.tbl", 9, 483, 647}}));

  int llamadas = 0;
  r = RecorrerCopia(copia, [&](const EntradaCopia &) { return ++llamadas < 2; });
  EXPECT_EQ(r.estado, EstadoCopia::Interrumpida);
  EXPECT_EQ(llamadas, 2);
}

TEST_F(Formato, AFaultStopsTheWalkBeforeAnyEntryPastIt) {
  std::string cab = Registro("c", 0, 0);
  struct Caso {
    std::string bytes;
    EstadoCopia estado;
    std::uint32_t vistas;
  } casos[] = {
      {cab.substr(0, 159), EstadoCopia::CabeceraCortada, 0},
      {cab, EstadoCopia::Valida, 0},
      {cab + Registro("a", 1, 1) + "a" + Registro("b", 0, 1).substr(0, 10),
       EstadoCopia::RegistroCortado, 1},
      {cab + Registro("a", 2, 1) + "a", EstadoCopia::ContenidoCortado, 0},
      {cab + Registro("a", 0xFFFFFFFFu, 1) + "a", EstadoCopia::ContenidoCortado, 0},
      {cab + Registro(std::string(152, 'n'), 0, 1), EstadoCopia::NombreSinTerminar, 0},
      {cab + Registro("a", 0, 1) + Registro("..", 0, 1), EstadoCopia::NombreNoValido, 1},
  };
  std::string ruta = std::string(kPruebas) + "\\c.smbk";
  for (const Caso &c : casos) {
    BorrarArbol(ruta);
    EscribirArchivo(ruta, c.bytes);
    Archivo copia;
    ASSERT_TRUE(copia.AbrirLectura(ruta.c_str()));
    std::uint32_t vistas = 0;
    RecorridoCopia r = RecorrerCopia(copia, [&](const EntradaCopia &) { return ++vistas > 0; });
    EXPECT_EQ(r.estado, c.estado) << c.bytes.size();
    EXPECT_EQ(vistas, c.vistas) << c.bytes.size();
  }
}

} // namespace
