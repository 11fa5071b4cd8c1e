// Restore targets that another program keeps from being replaced: each is named at the
// end and kept whole, and the rest is restored. Windows only: POSIX has no sharing modes
// nor a read-only attribute that binds the owner.
#ifdef _WIN32
#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/restaurar_copia.h"
#include "copias_prueba.h"

#include <windows.h>

namespace {

using Op = ConsolaGrabadora::Operacion;

class DestinosRetenidos : public InstalacionCopias {
protected:
  void TearDown() override {
    if (retenido != INVALID_HANDLE_VALUE)
      CloseHandle(retenido);
    SetFileAttributesA(En("\\Data\\Clientes.dft").c_str(), FILE_ATTRIBUTE_NORMAL);
    InstalacionCopias::TearDown();
  }
  HANDLE retenido = INVALID_HANDLE_VALUE;
};

TEST_F(DestinosRetenidos, UnaTablaQueNoSePuedeReemplazarSeNombraYQuedaEntera) {
  struct Caso {
    const char *titulo;
    bool soloLectura;    // the read-only attribute
    DWORD compartirOtro; // another program's handle sharing only reads, or no handle
  } casos[] = {
      {"read-only", true, 0},
      {"held sharing only reads", false, FILE_SHARE_READ},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.titulo);
    BorrarArbol(En("\\BK"));
    CrearCarpetas(En("\\BK"));
    SetFileAttributesA(En("\\Data\\Clientes.dft").c_str(), FILE_ATTRIBUTE_NORMAL);
    EscribirArchivo(En("\\Data\\Clientes.dft"), "clientes de la copia");
    EscribirArchivo(En("\\Data\\Obras.tbl"), "obras de la copia");
    EscribirArchivo(En("\\Obras\\Casa.obr"), "casa de la copia");
    ASSERT_TRUE(CrearCopiaObras());
    consola->items.clear();
    consola->seleccion = -1;
    ListarCopias();

    EscribirArchivo(En("\\Data\\Clientes.dft"),
                    "clientes actuales, mas largos que los de la copia");
    EscribirArchivo(En("\\Data\\Obras.tbl"), "obras actuales");
    EscribirArchivo(En("\\Obras\\Casa.obr"), "casa actual");
    if (c.soloLectura) {
      ASSERT_TRUE(SetFileAttributesA(En("\\Data\\Clientes.dft").c_str(), FILE_ATTRIBUTE_READONLY));
    }
    if (c.compartirOtro) {
      retenido =
          CreateFileA(En("\\Data\\Clientes.dft").c_str(), GENERIC_READ | GENERIC_WRITE,
                      c.compartirOtro, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(retenido, INVALID_HANDLE_VALUE);
    }
    consola->llamadas.clear();
    consola->Responder({true});
    EXPECT_TRUE(RestaurarCopia());
    if (retenido != INVALID_HANDLE_VALUE) {
      CloseHandle(retenido);
      retenido = INVALID_HANDLE_VALUE;
    }

    EXPECT_EQ(LeerArchivo(En("\\Data\\Clientes.dft")),
              "clientes actuales, mas largos que los de la copia");
    EXPECT_EQ(LeerArchivo(En("\\Data\\Obras.tbl")), "obras de la copia");
    EXPECT_EQ(LeerArchivo(En("\\Obras\\Casa.obr")), "casa de la copia");
    auto avisos = consola->De(Op::Aviso);
    ASSERT_EQ(avisos.size(), 2u);
    EXPECT_EQ(avisos[1].valor, static_cast<std::int64_t>(IconoAviso::Advertencia));
    EXPECT_NE(avisos[1].texto.find("Clientes.dft"), std::string::npos) << avisos[1].texto;
    EXPECT_EQ(avisos[1].texto.find("Obras.tbl"), std::string::npos) << avisos[1].texto;
  }
}

} // namespace
#endif
