#include "instalacion_temporal.h"
#include "programas_prueba.h"
#include "update/procesos.h"

#include <chrono>
#include <memory>
#include <vector>

namespace {

class Procesos : public UnidadTemporal {
protected:
  // Starts the waiting program copied under the name, in a folder of its own (names that
  // differ only in letter case are one file on Windows).
  ProcesoPrueba &Lanzar(const std::string &nombre) {
    std::string ruta =
        std::string(kPruebas) + "\\p" + std::to_string(lanzados.size()) + "\\" + nombre;
    CopiarPrograma(QOR_PROGRAMA_ESPERA, ruta);
    lanzados.push_back(std::make_unique<ProcesoPrueba>(ruta));
    EXPECT_TRUE(lanzados.back()->Iniciado()) << nombre;
    return *lanzados.back();
  }
  void TearDown() override {
    lanzados.clear();
    UnidadTemporal::TearDown();
  }
  TurnoProcesos turno;
  std::vector<std::unique_ptr<ProcesoPrueba>> lanzados;
};

// The sibling programs end whatever their letter case; names that only contain or
// extend theirs are left running, as is this process.
TEST_F(Procesos, DetenerProcesosProductoSoloLosDelProducto) {
  struct Caso {
    const char *nombre;
    bool detenido;
  };
  const std::vector<Caso> casos = {
      {"NODRAX.EXE", true},        {"NODRAX.EXE", true},      {"NODRAX_SERVER.EXE", true},
      {"nodrax.exe", true},        {"NODRAX.EXE.BAK", false}, {"XNODRAX.EXE", false},
      {"NODRAX_SERVER.EX", false},
  };
  std::vector<ProcesoPrueba *> procesos;
  for (const Caso &c : casos)
    procesos.push_back(&Lanzar(c.nombre));
  ASSERT_FALSE(HasFailure());

  EXPECT_TRUE(DetenerProcesosProducto());

  for (std::size_t i = 0; i < casos.size(); ++i)
    EXPECT_EQ(procesos[i]->Termino(casos[i].detenido ? 5000 : 300), casos[i].detenido)
        << casos[i].nombre;
}

TEST_F(Procesos, SinProgramasDelProductoNadaTermina) {
  ProcesoPrueba &otro = Lanzar("QOR_Fenestrali_2.exe");
  EXPECT_TRUE(DetenerProcesosProducto());
  EXPECT_FALSE(otro.Termino(300));
}

// The list numbers its entries from 1 and finds names in any letter case.
TEST_F(Procesos, ListaProcesosBuscaYDetiene) {
  ProcesoPrueba &nodrax = Lanzar("NODRAX.EXE");
  ProcesoPrueba &otro = Lanzar("XNODRAX.EXE");
  ASSERT_FALSE(HasFailure());
  ListaProcesos lista;
  ASSERT_GT(lista.Cantidad(), 2);
  EXPECT_EQ(lista.Identificador(0), 0u);
  EXPECT_EQ(lista.Identificador(lista.Cantidad() + 1), 0u);
  EXPECT_EQ(lista.Nombre(0), nullptr);
  EXPECT_EQ(lista.Nombre(lista.Cantidad() + 1), nullptr);
  EXPECT_EQ(lista.BuscarProceso(""), 0);
  EXPECT_EQ(lista.BuscarProceso("NO_HAY_TAL.EXE"), 0);
  EXPECT_EQ(lista.BuscarProceso(std::string(150, 'A').c_str()), 0);

  std::int32_t n = lista.BuscarProceso("nodrax.exe");
  ASSERT_GT(n, 0);
  EXPECT_STREQ(lista.Nombre(n), "NODRAX.EXE");
  EXPECT_EQ(lista.Identificador(n), nodrax.identificador);
  std::int32_t x = lista.BuscarProceso("xnodrax.EXE");
  ASSERT_GT(x, 0);
  EXPECT_EQ(lista.Identificador(x), otro.identificador);

  lista.Terminar(0);
  lista.Terminar(lista.Cantidad() + 1);
  lista.Terminar(n);
  EXPECT_TRUE(nodrax.Termino(5000));
  EXPECT_FALSE(otro.Termino(300));
}

// By module name only the first match ends.
TEST_F(Procesos, DetenerProcesoPorNombreSoloElPrimero) {
  ProcesoPrueba &a = Lanzar("NODRAX_SERVER.EXE");
  ProcesoPrueba &b = Lanzar("NODRAX_SERVER.EXE");
  ProcesoPrueba &otro = Lanzar("NODRAX.EXE");
  ASSERT_FALSE(HasFailure());
  std::uint32_t detenido = DetenerProcesoPorNombre("nodrax_server.exe");
  ASSERT_TRUE(detenido == a.identificador || detenido == b.identificador) << detenido;
  ProcesoPrueba &fin = detenido == a.identificador ? a : b;
  ProcesoPrueba &sigue = detenido == a.identificador ? b : a;
  EXPECT_TRUE(fin.Termino(5000));
  EXPECT_FALSE(sigue.Termino(300));
  EXPECT_FALSE(otro.Termino(0));
  EXPECT_EQ(DetenerProcesoPorNombre(""), 0u);
}

} // namespace

namespace {

// Waiting for a stopped program is bounded: one that is still running is given up on
// after the time asked, and one that was stopped is seen to end.
TEST_F(Procesos, EsperaAcotada) {
  ProcesoPrueba &p = Lanzar("NODRAX.EXE");
  ASSERT_FALSE(HasFailure());
  auto inicio = std::chrono::steady_clock::now();
  EXPECT_FALSE(procesos::EsperarFin(p.identificador, 200));
  auto espera = std::chrono::steady_clock::now() - inicio;
  EXPECT_GE(espera, std::chrono::milliseconds(150));
  EXPECT_LT(espera, std::chrono::milliseconds(3000));
  EXPECT_FALSE(procesos::Terminar(procesos::Propio()));
  EXPECT_TRUE(procesos::Terminar(p.identificador));
  EXPECT_TRUE(procesos::EsperarFin(p.identificador, 5000));
  EXPECT_TRUE(p.Termino(5000));
}

} // namespace
