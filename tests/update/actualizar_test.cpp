#include "comun.h"
#include "programas_prueba.h"
#include "update/actualizar.h"
#include "update/descarga.h"
#include "update/instalar_paquete.h"
#include "update/sesion_actualizacion.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

using Op = ConsolaGrabadora::Operacion;

constexpr const char *kProducto = "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.exe";
constexpr const char *kMarca = "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.exe.marca";
constexpr const char *kIData = "C:\\QOR_Fenestrali_2\\Data\\iData\\";

class Actualizacion : public PruebaActualizacion {
protected:
  // An update stops the sibling programs, also those of the process tests.
  TurnoProcesos turno;

  // An installation with a job, a working table, the initial data of a user table and of
  // a catalogue table, and a product that leaves a marker when started.
  void SetUp() override {
    PruebaActualizacion::SetUp();
    EscribirArchivo("C:\\QOR_Fenestrali_2\\Obras\\Obra1.obr", "obra del usuario");
    EscribirArchivo("C:\\QOR_Fenestrali_2\\Data\\Clientes.tbl", "clientes del usuario");
    EscribirArchivo(std::string(kIData) + "Clientes.tbl", "clientes iniciales");
    EscribirArchivo(std::string(kIData) + "Partes.tbl", "partes iniciales");
    CopiarPrograma(QOR_PROGRAMA_MARCADOR, kProducto);
  }

  // The order of the command's frame: busy, backup selected, ..., the notice, not busy.
  void ComprobarMarco(const std::vector<std::string> &avisosAntes) {
    // After the notice only the busy state's end and its one message pump.
    std::vector<Op> fin;
    for (const auto &l : consola->llamadas)
      fin.push_back(l.operacion);
    ASSERT_GE(fin.size(), 3u);
    EXPECT_EQ(fin.front(), Op::DeshabilitarComandos);
    EXPECT_EQ(std::vector<Op>(fin.end() - 3, fin.end()),
              (std::vector<Op>{Op::Aviso, Op::HabilitarComandos, Op::AtenderMensaje}));
    std::vector<std::string> avisos = avisosAntes;
    avisos.push_back(kMensajeSeAbriraProducto);
    EXPECT_EQ(consola->Avisos(), avisos);
    EXPECT_EQ(consola->De(Op::Aviso).back().valor, 0x30); // exclamation
    // The safety backup was listed and selected before anything was fetched.
    ASSERT_EQ(consola->items.size(), 1u);
    EXPECT_EQ(consola->seleccion, 0);
    const auto &ll = consola->llamadas;
    auto copia = std::find_if(ll.begin(), ll.end(),
                              [](const auto &l) { return l.operacion == Op::AgregarItem; });
    auto descarga = std::find_if(ll.begin(), ll.end(), [](const auto &l) {
      return l.operacion == Op::MostrarEstado && l.texto == kEstadoDescargando;
    });
    EXPECT_TRUE(copia < descarga || descarga == ll.end());
    // The user tables of the initial data went, the rest stayed.
    EXPECT_FALSE(Existe(std::string(kIData) + "Clientes.tbl"));
    EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Data\\Clientes.tbl"), "clientes del usuario");
    EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Obras\\Obra1.obr"), "obra del usuario");
    EXPECT_TRUE(Existe(std::string(kIData) + "Partes.tbl"));
  }
};

// Nothing on offer, or no server: the backup, the post-update step, the notice and the
// product's start still happen, with the decision's own notice first.
TEST_F(Actualizacion, SinActualizacionNiServidor) {
  struct Caso {
    const char *que;
    std::string descriptor; // empty: no server
    std::string aviso;
  };
  const std::vector<Caso> casos = {
      {"version 0", Descriptor("QOR_Fenestrali_2 0:1000"), kMensajeSinActualizaciones},
      {"version negativa", Descriptor("QOR_Fenestrali_2 -3:1000"), kMensajeSinActualizaciones},
      {"otro producto", Descriptor("QOR_Fenestrali_3 5:1000"), kMensajeSinActualizaciones},
      {"sin servidor", "", kMensajeServidorNoDisponible},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.que);
    consola = std::make_unique<ConsolaGrabadora>();
    BorrarArbol("C:\\QOR_Fenestrali_2\\BK");
    BorrarArbol(kMarca);
    EscribirArchivo(std::string(kIData) + "Clientes.tbl", "clientes iniciales");
    if (c.descriptor.empty())
      ASSERT_TRUE(FijarUrlActualizacion(UrlSinServidor().c_str()));
    else
      PublicarSmx(c.descriptor);

    Actualizar();

    ComprobarMarco({c.aviso});
    EXPECT_EQ(consola->De(Op::Aviso).front().valor, 0); // no icon
    EXPECT_TRUE(consola->De(Op::MostrarEstado).empty() ||
                consola->De(Op::MostrarEstado).back().texto != kEstadoDescargando);
    EXPECT_TRUE(EsperarArchivo(kMarca, 10000));
    EXPECT_EQ(LeerArchivo(kMarca), "");
  }
}

// A CAB that doesn't match its digest installs nothing; the frame still runs.
TEST_F(Actualizacion, CabAlteradoNoInstalaNada) {
  std::string smx = Fixture("actualizacion.smx");
  smx[smx.size() - 10] = static_cast<char>(smx[smx.size() - 10] ^ 0x55);
  PublicarSmx(smx);
  const std::string producto = LeerArchivo(kProducto);

  Actualizar();

  ComprobarMarco({kMensajeActualizacionDanada});
  EXPECT_EQ(LeerArchivo(kProducto), producto);
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\Marcas"));
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx"));
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.cab"));
  EXPECT_TRUE(EsperarArchivo(kMarca, 10000));
}

// The committed update file: downloaded, installed, initial data withdrawn.
TEST_F(Actualizacion, DescargaEInstalaElPaquete) {
  PublicarSmx(Fixture("actualizacion.smx"));
  char sistema[512] = {};
  pc.DirectorioSistema(sistema);

  Actualizar();

  ComprobarMarco({});
  const std::string arbol = std::string(QOR_DATOS_ACTUALIZACION) + "/arbol/";
  std::ifstream f(arbol + "Marcas/QOR/leeme.txt", std::ios::binary);
  std::string leeme(std::istreambuf_iterator<char>(f), {});
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Marcas\\QOR\\leeme.txt"), leeme);
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\Data\\iData\\Monedas.tbl"));
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx"));
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.cab"));
  std::vector<std::string> estados;
  for (const auto &l : consola->De(Op::MostrarEstado))
    estados.push_back(l.texto);
  EXPECT_NE(std::find(estados.begin(), estados.end(), kEstadoDescargando), estados.end());
  EXPECT_EQ(estados.back(), "Instalando archivos del programa...");
  BorrarArbol(std::string(sistema) + "\\qorcomp.dll");
}

#ifdef QOR_PUBLICADOR
// End to end with an update file written now by the publisher's tool: the installed
// product is the one that starts, after the busy state has ended.
TEST_F(Actualizacion, ConArchivoDelPublicador) {
  const std::string arbol = std::string(kPruebas) + "\\arbol";
  CopiarPrograma(QOR_PROGRAMA_MARCADOR, arbol + "\\QOR_Fenestrali_2.exe");
  EscribirArchivo(arbol + "\\Data\\Clientes.tbl", "clientes del paquete");
  EscribirArchivo(arbol + "\\Data\\Vidrios.dft", "catalogo de vidrios del paquete");
  EscribirArchivo(arbol + "\\Data\\Perfiles.dft", "perfiles del paquete");
  EscribirArchivo(std::string(kPruebas) + "\\manifiesto.txt", "version 3\nidata Data\n");
  const std::string smx = std::string(kPruebas) + "\\actualizacion.smx";
  std::string orden = std::string("\"") + QOR_PUBLICADOR + "\" \"" +
                      Local(std::string(kPruebas) + "\\manifiesto.txt") + "\" \"" + Local(arbol) +
                      "\" \"" + Local(std::string(kPruebas)) + "/actualizacion.smx\" >/dev/null";
  ASSERT_EQ(std::system(orden.c_str()), 0);
  PublicarSmx(LeerArchivo(smx));
  BorrarArbol(kMarca);
  EscribirArchivo(kProducto, "producto viejo");

  Actualizar();

  ComprobarMarco({});
  EXPECT_FALSE(Existe(std::string(kIData) + "Vidrios.dft"));
  EXPECT_EQ(LeerArchivo(std::string(kIData) + "Perfiles.dft"), "perfiles del paquete");
  ASSERT_TRUE(EsperarArchivo(kMarca, 10000));
  EXPECT_EQ(LeerArchivo(kProducto), LeerArchivo(arbol + "\\QOR_Fenestrali_2.exe"));
  const auto avisos = consola->De(Op::Aviso);
  EXPECT_EQ(avisos.size(), 1u);
}
#endif

} // namespace

namespace {

// The texts are the system's own, byte for byte: Windows-1252 in the Windows build.
TEST(TextosActualizacion, BytePorByte) {
#ifdef _WIN32
  const std::string a = "\xE1", o = "\xF3";
#else
  const std::string a = "\xC3\xA1", o = "\xC3\xB3";
#endif
  EXPECT_EQ(std::string(kMensajeSeAbriraProducto),
            "Se abrir" + a + " QOR_Fenestrali_2 para terminar de configurar la actualizaci" + o +
                "n");
  EXPECT_STREQ(kMensajeSinActualizaciones, "No hay actualizaciones nuevas para descargar");
  EXPECT_STREQ(kMensajeServidorNoDisponible, "El servidor no se encuentra disponible");
  EXPECT_EQ(std::string(kEstadoDescargando), "Descargando archivos..." + std::string(38, ' '));
  EXPECT_EQ(std::string(kMensajePaqueteNoValido).rfind("La actualizaci" + o + "n descargada", 0),
            0u);
}

} // namespace
