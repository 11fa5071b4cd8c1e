// A disk that fills up while writing, made real with the process's file-size limit:
// writes past it fail as they would on a full disk. POSIX only.
#ifndef _WIN32
#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/restaurar_copia.h"
#include "copias_prueba.h"

#include <csignal>
#include <sys/resource.h>

namespace {

using Op = ConsolaGrabadora::Operacion;

// While it lives, no file of this process may grow past the limit.
class LimiteArchivos {
public:
  explicit LimiteArchivos(rlim_t bytes) {
    anteriorSenal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &anterior_);
    rlimit nuevo = anterior_;
    nuevo.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &nuevo);
  }
  ~LimiteArchivos() {
    setrlimit(RLIMIT_FSIZE, &anterior_);
    std::signal(SIGXFSZ, anteriorSenal_);
  }
  LimiteArchivos(const LimiteArchivos &) = delete;
  LimiteArchivos &operator=(const LimiteArchivos &) = delete;

private:
  rlimit anterior_{};
  void (*anteriorSenal_)(int);
};

class DiscoLleno : public InstalacionCopias {};

TEST_F(DiscoLleno, ABackupThatCantBeWrittenWholeIsReportedAndLeavesNothing) {
  EscribirArchivo(En("\\Obras\\Grande.obr"), Contenido("grande", 300000));
  EscribirArchivo(En("\\Data\\Clientes.dft"), "clientes");
  CrearCarpetas(En("\\BK"));
  {
    LimiteArchivos limite(100000);
    EXPECT_FALSE(CrearCopiaCompleta());
  }
  EXPECT_TRUE(Foto().count("BK/") == 1);
  EXPECT_TRUE(Archivos("\\BK").empty());
  EXPECT_TRUE(consola->items.empty());
  auto avisos = consola->De(Op::Aviso);
  ASSERT_EQ(avisos.size(), 1u);
  EXPECT_EQ(avisos[0].valor, static_cast<std::int64_t>(IconoAviso::Error));
  EXPECT_EQ(LeerArchivo(En("\\Obras\\Grande.obr")), Contenido("grande", 300000));
}

TEST_F(DiscoLleno, ARestoredFileThatDoesntFitIsNamedAndNotLeftHalfWritten) {
  std::string grande = Contenido("grande", 300000);
  EscribirArchivo(En("\\BK\\Obras Fecha 01-01-2020 Hora 00-00-00.smbk"),
                  Registro("x", 0, 1) + Registro("Grande.obr", 300000, 1) + grande +
                      Registro("Clientes.dft", 8, 2) + "clientes");
  ListarCopias();
  consola->Responder({true});
  {
    LimiteArchivos limite(100000);
    EXPECT_TRUE(RestaurarCopia());
  }
  EXPECT_FALSE(Existe(En("\\Obras\\Grande.obr")));
  EXPECT_EQ(LeerArchivo(En("\\Data\\Clientes.dft")), "clientes");
  auto avisos = consola->Avisos();
  ASSERT_EQ(avisos.size(), 2u);
  EXPECT_NE(avisos[1].find("Grande.obr"), std::string::npos);
}

} // namespace
#endif
