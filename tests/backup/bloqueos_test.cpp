// What Windows adds: read-only files and files another program holds open. Windows only;
// POSIX has neither sharing modes nor a read-only attribute that binds the owner.
#ifdef _WIN32
#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/restaurar_copia.h"
#include "copias_prueba.h"

#include <windows.h>

namespace {

using Op = ConsolaGrabadora::Operacion;

// A file held open by "another program" with the given sharing, for the object's life.
class Retenido {
public:
  Retenido(const std::string &ruta, DWORD compartir)
      : h_(CreateFileA(ruta.c_str(), GENERIC_READ | GENERIC_WRITE, compartir, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~Retenido() {
    if (h_ != INVALID_HANDLE_VALUE)
      CloseHandle(h_);
  }
  Retenido(const Retenido &) = delete;
  Retenido &operator=(const Retenido &) = delete;
  bool Abierto() const { return h_ != INVALID_HANDLE_VALUE; }

private:
  HANDLE h_;
};

class Bloqueos : public InstalacionCopias {
protected:
  void TearDown() override {
    for (const char *r : {"\\Obras\\Solo.obr", "\\Data\\Clientes.dft"})
      SetFileAttributesA(En(r).c_str(), FILE_ATTRIBUTE_NORMAL);
    InstalacionCopias::TearDown();
  }
  void Relistar() {
    consola->items.clear();
    consola->seleccion = -1;
    ListarCopias();
  }
};

TEST_F(Bloqueos, AReadOnlyJobFileIsPacked) {
  EscribirArchivo(En("\\Obras\\Solo.obr"), "solo lectura");
  ASSERT_TRUE(SetFileAttributesA(En("\\Obras\\Solo.obr").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(CrearCopiaObras());
  CopiaLeida c = Desarmar(LeerArchivo(UnicaCopia()));
  ASSERT_EQ(c.entradas.size(), 1u);
  EXPECT_EQ(c.entradas[0], (EntradaLeida{"Solo.obr", 1, "solo lectura"}));
  EXPECT_TRUE(consola->Avisos().empty());
}

TEST_F(Bloqueos, AFileHeldWithoutSharingIsLeftOutAndNamedTheRestIsPacked) {
  EscribirArchivo(En("\\Obras\\Abierta.obr"), "en uso");
  EscribirArchivo(En("\\Obras\\Libre.obr"), "libre");
  EscribirArchivo(En("\\Data\\Obras.dft"), "tabla");
  Retenido otro(En("\\Obras\\Abierta.obr"), 0);
  ASSERT_TRUE(otro.Abierto());
  EXPECT_TRUE(CrearCopiaObras());
  CopiaLeida c = Desarmar(LeerArchivo(UnicaCopia()));
  ASSERT_EQ(c.entradas.size(), 2u);
  EXPECT_EQ(c.entradas[0], (EntradaLeida{"Libre.obr", 1, "libre"}));
  EXPECT_EQ(c.entradas[1], (EntradaLeida{"Obras.dft", 2, "tabla"}));
  auto avisos = consola->De(Op::Aviso);
  ASSERT_EQ(avisos.size(), 1u);
  EXPECT_NE(avisos[0].texto.find("Abierta.obr"), std::string::npos);
  EXPECT_EQ(consola->items.size(), 1u);
}

TEST_F(Bloqueos, ATargetThatCantBeDeletedStillEndsExactlyAsLongAsTheBackupsCopy) {
  EscribirArchivo(En("\\Data\\Clientes.dft"), "corto");
  CrearCopiaObras();
  Relistar();
  EscribirArchivo(En("\\Data\\Clientes.dft"), "un contenido mucho mas largo que el de la copia");
  // The product keeps the table open, sharing reads and writes but not deletion.
  Retenido producto(En("\\Data\\Clientes.dft"), FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(producto.Abierto());
  consola->Responder({true});
  EXPECT_TRUE(RestaurarCopia());
  EXPECT_EQ(LeerArchivo(En("\\Data\\Clientes.dft")), "corto");
}

TEST_F(Bloqueos, AFileHeldWithoutSharingKeepsTheRestoreFromStarting) {
  EscribirArchivo(En("\\Data\\Clientes.dft"), "copia");
  EscribirArchivo(En("\\Data\\Obras.tbl"), "copia");
  CrearCopiaObras();
  Relistar();
  EscribirArchivo(En("\\Data\\Clientes.dft"), "actual");
  EscribirArchivo(En("\\Data\\Obras.tbl"), "actual");
  consola->llamadas.clear();
  consola->Responder({true});
  {
    // The safety copy can't read it, so the restore could not be undone.
    Retenido otro(En("\\Data\\Clientes.dft"), 0);
    ASSERT_TRUE(otro.Abierto());
    EXPECT_FALSE(RestaurarCopia());
  }
  // Without a whole safety copy nothing was restored.
  EXPECT_EQ(LeerArchivo(En("\\Data\\Obras.tbl")), "actual");
  auto avisos = consola->Avisos();
  ASSERT_EQ(avisos.size(), 3u);
  EXPECT_NE(avisos[1].find("Clientes.dft"), std::string::npos);
}

} // namespace
#endif
