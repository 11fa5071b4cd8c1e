#include "comun.h"

#include "update/descarga.h"
#include "update/sesion_actualizacion.h"

#include <algorithm>

namespace {

using Op = ConsolaGrabadora::Operacion;

constexpr const char *kSmx = "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx";
constexpr const char *kCab = "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.cab";

class Descarga : public PruebaActualizacion {
protected:
  // The version check as the update command runs it, then the download.
  bool ComprobarYDescargar() {
    EXPECT_TRUE(ComprobarVersion());
    EXPECT_GT(laSesionActualizacion.versionRemota, 0);
    return DescargarActualizacion();
  }

  // The progress positions set up to the expansion's status text.
  std::vector<std::int64_t> PosicionesDescarga() const {
    std::vector<std::int64_t> posiciones;
    for (const auto &l : consola->llamadas) {
      if (l.operacion == Op::MostrarEstado)
        break;
      if (l.operacion == Op::FijarProgreso)
        posiciones.push_back(l.valor);
    }
    return posiciones;
  }

  // The fixture's CAB, and the same file under a descriptor without a digest.
  static std::string Cab() { return Fixture("actualizacion.smx").substr(128); }
  static std::string SinResumen(const std::string &cab) {
    return Descriptor("QOR_Fenestrali_2 1:" + std::to_string(cab.size())) + cab;
  }
};

} // namespace

TEST_F(Descarga, ActualizacionRealDescargadaYExpandida) {
  // Leftovers of an earlier run, longer than the new files: they must not shine through.
  EscribirArchivo(kSmx, std::string(9000, 'v'));
  EscribirArchivo(kCab, std::string(9000, 'c'));
  PublicarSmx(Fixture("actualizacion.smx"));

  ASSERT_TRUE(ComprobarYDescargar());

  EXPECT_EQ(LeerArchivo(kSmx), Fixture("actualizacion.paquete"));
  EXPECT_EQ(LeerArchivo(kCab), Cab());
  EXPECT_STREQ(laSesionActualizacion.carpetaInstalacion, "C:\\QOR_Fenestrali_2");
  EXPECT_STREQ(laSesionActualizacion.rutaPaquete, kSmx);
  EXPECT_EQ(laSesionActualizacion.sesionInternet, nullptr);
  EXPECT_TRUE(consola->Avisos().empty());

  // Range 0..100 and a pump, a position and a pump per chunk, the final position, then
  // the expansion's text with the bar back at 0.
  const auto &l = consola->llamadas;
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(l[0].operacion, Op::FijarMinimoProgreso);
  EXPECT_EQ(l[0].valor, 0);
  EXPECT_EQ(l[1].operacion, Op::FijarMaximoProgreso);
  EXPECT_EQ(l[1].valor, 100);
  EXPECT_EQ(l[2].operacion, Op::AtenderMensaje);
  auto texto = std::find_if(l.begin(), l.end(),
                            [](const auto &x) { return x.operacion == Op::MostrarEstado; });
  ASSERT_NE(texto, l.end());
  EXPECT_EQ(texto->texto, "Descomprimiendo archivos...");
  ASSERT_EQ(l.end() - texto, 3);
  EXPECT_EQ(texto[1].operacion, Op::FijarProgreso);
  EXPECT_EQ(texto[1].valor, 0);
  EXPECT_EQ(texto[2].operacion, Op::AtenderMensaje);
  EXPECT_EQ(PosicionesDescarga().back(), 100);
  // Between the range and the expansion: pairs of position and pump, then the final one.
  std::size_t fin = static_cast<std::size_t>(texto - l.begin());
  ASSERT_GE(fin, 6u);
  EXPECT_EQ(l[fin - 1].operacion, Op::FijarProgreso);
  for (std::size_t i = 3; i + 1 < fin; i += 2) {
    EXPECT_EQ(l[i].operacion, Op::FijarProgreso) << i;
    EXPECT_EQ(l[i + 1].operacion, Op::AtenderMensaje) << i;
  }
  EXPECT_EQ((fin - 4) % 2, 0u);
}

// A CAB size of 1000: exactly 1128 bytes are fetched and the progress reads 90 after
// the first 1024 bytes. The cabinet's data is damaged (and the descriptor carries no
// digest), so the expansion fails and the .cab goes; the step still reports success.
TEST_F(Descarga, MilCientoVeintiochoBytesYExpansionFallida) {
  std::string cab = Cab();
  for (std::size_t i = 120; i < cab.size(); ++i)
    cab[i] = static_cast<char>(cab[i] ^ 0x5a);
  cab.resize(1000, '\0');
  PublicarSmx(Descriptor("QOR_Fenestrali_2 1:1000") + cab);

  ASSERT_TRUE(ComprobarYDescargar());
  EXPECT_EQ(laSesionActualizacion.tamanoEsperado, 1128);
  EXPECT_EQ(PosicionesDescarga(), (std::vector<std::int64_t>{90, 100, 100}));
  EXPECT_FALSE(Existe(kCab));
  EXPECT_TRUE(consola->Avisos().empty());
}

// The quotient 100 / size is rounded before the product: 1156 bytes end at 99, and the
// bar is not forced to 100.
TEST_F(Descarga, AlgunosTamanosTerminanEnNoventaYNueve) {
  PublicarSmx(Descriptor("QOR_Fenestrali_2 1:1028") + "MSCF" + std::string(1024, 'k'));
  ASSERT_TRUE(ComprobarYDescargar());
  EXPECT_EQ(PosicionesDescarga(), (std::vector<std::int64_t>{88, 99, 99}));
}

TEST_F(Descarga, CarpetaDeInstalacionCreadaSiFalta) {
  ASSERT_FALSE(Existe(kInstalacion));
  PublicarSmx(SinResumen(Cab()));
  ASSERT_TRUE(ComprobarYDescargar());
  EXPECT_EQ(LeerArchivo(kSmx), Fixture("actualizacion.paquete"));
}

// A file longer than its descriptor says is read only up to the expected size; one that
// arrives a few bytes at a time is read as it comes.
TEST_F(Descarga, ServidorQueEnviaDeMasOPocoAPoco) {
  ServidorHttp::Respuesta largo;
  largo.cuerpo = Fixture("actualizacion.smx") + std::string(5000, 'z');
  ServidorHttp::Respuesta lento;
  lento.cuerpo = Fixture("actualizacion.smx");
  lento.trozo = 50;
  lento.pausaMs = 3;
  for (ServidorHttp::Respuesta *r : {&largo, &lento}) {
    PublicarSmx(*r);
    ASSERT_TRUE(ComprobarYDescargar());
    EXPECT_EQ(LeerArchivo(kSmx), Fixture("actualizacion.paquete"));
    EXPECT_EQ(LeerArchivo(kCab), Cab());
    EXPECT_TRUE(consola->Avisos().empty());
    BorrarArbol(kInstalacion);
  }
}

// A download that ends early stops at once, leaves no partial file behind, tells the
// user and reports failure, so that nothing is installed.
TEST_F(Descarga, DescargaIncompletaSeDescarta) {
  std::string completo = Descriptor("QOR_Fenestrali_2 1:3000") + std::string(3000, 'q');
  ServidorHttp::Respuesta cortado;
  cortado.cuerpo = completo;
  cortado.cortarTras = 1500; // the connection drops mid-body
  ServidorHttp::Respuesta corto;
  corto.cuerpo = completo.substr(0, 2000); // a complete answer, shorter than announced
  ServidorHttp::Respuesta pagina;
  pagina.estado = 404;
  pagina.cuerpo = "<html><body>Not Found</body></html>";
  for (ServidorHttp::Respuesta *r : {&cortado, &corto, &pagina}) {
    PublicarSmx(completo);
    ASSERT_TRUE(ComprobarVersion());
    consola->llamadas.clear();
    PublicarSmx(*r);
    EXPECT_FALSE(DescargarActualizacion());
    EXPECT_FALSE(Existe(kSmx));
    EXPECT_FALSE(Existe(kCab));
    EXPECT_EQ(consola->Avisos(), std::vector<std::string>{kMensajeDescargaIncompleta});
    EXPECT_EQ(laSesionActualizacion.sesionInternet, nullptr);
  }
}

// A CAB that does not match the descriptor's digest, or (without a digest) a body that
// is no cabinet at all, is deleted unexpanded and the user is told.
TEST_F(Descarga, CabDanadoNoSeExpande) {
  std::string danado = Fixture("actualizacion.smx");
  danado[200] = static_cast<char>(danado[200] ^ 0x01);
  std::string pagina = "<html><body>Mantenimiento</body></html>" + std::string(961, ' ');
  for (const std::string &smx : {danado, Descriptor("QOR_Fenestrali_2 1:1000") + pagina}) {
    PublicarSmx(smx);
    consola->llamadas.clear();
    EXPECT_FALSE(ComprobarYDescargar());
    EXPECT_FALSE(Existe(kSmx));
    EXPECT_FALSE(Existe(kCab));
    EXPECT_EQ(consola->Avisos(), std::vector<std::string>{kMensajeActualizacionDanada});
  }
}

// Where the .smx or the .cab cannot be written (here a folder stands in the way), the
// user is told, nothing partial stays and nothing is expanded.
TEST_F(Descarga, ArchivoLocalQueNoSePuedeEscribir) {
  for (const char *estorbo : {kSmx, kCab}) {
    CrearCarpetas(std::string(estorbo) + "\\ocupado");
    PublicarSmx(Fixture("actualizacion.smx"));
    consola->llamadas.clear();
    EXPECT_FALSE(ComprobarYDescargar()) << estorbo;
    EXPECT_EQ(consola->Avisos(), std::vector<std::string>{kMensajeEscrituraFallida}) << estorbo;
    for (const char *otro : {kSmx, kCab})
      if (otro != estorbo) {
        EXPECT_FALSE(Existe(otro)) << estorbo;
      }
    BorrarArbol(kInstalacion);
  }
}

// No session or no answer: false before any file is touched, and nothing is said.
TEST_F(Descarga, SinSesionOSinServidor) {
  PublicarSmx(Fixture("actualizacion.smx"));
  ASSERT_TRUE(ComprobarVersion());
  EXPECT_FALSE(DescargarYExtraer(laSesionActualizacion.urlBase, "QOR_Fenestrali_2"));

  ASSERT_TRUE(FijarUrlActualizacion(UrlSinServidor().c_str()));
  PrepararActualizacion();
  EXPECT_FALSE(DescargarActualizacion());
  EXPECT_FALSE(Existe(kInstalacion));
  EXPECT_STREQ(laSesionActualizacion.rutaPaquete, "");
  EXPECT_TRUE(consola->llamadas.empty());
}
