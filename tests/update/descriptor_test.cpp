#include "comun.h"

#include "update/sesion_actualizacion.h"

#include <climits>
#include <cstring>

namespace {

class VersionOfrecida : public PruebaActualizacion {};

} // namespace

// The version on offer and the expected size for each descriptor text, read from a real
// server. The expected size the session held before is given, since a descriptor without
// a size only adds the header's 128 to it.
TEST_F(VersionOfrecida, VersionYTamanoSegunElTexto) {
  struct Caso {
    std::string cuerpo;
    std::int32_t tamanoAntes;
    std::int32_t version;
    std::int32_t tamanoDespues;
  } casos[] = {
      {Descriptor("QOR_Fenestrali_2 1:1000"), 0, 1, 1128},
      {Descriptor("QOR_Fenestrali_2 12:500"), 0, 12, 628},
      {Descriptor("QOR_Fenestrali_2 0:1000"), 0, 0, 1128},
      {Descriptor("qor_fenestrali_2 5:1000"), 77, 0, 77},
      {Descriptor("QOR_Fenestrali_2_5:1000"), 0, 5, 1128},
      // The "5" is the separator; the version part starts with the colon.
      {Descriptor("QOR_Fenestrali_25:1000"), 0, 0, 1128},
      {Descriptor("QOR_Fenestrali_2 -3:1000"), 0, -3, 1128},
      {Descriptor("QOR_Fenestrali_2 +8 :  42 tail ignored"), 0, 8, 170},
      {Descriptor(" QOR_Fenestrali_2 1:1000"), 5, 0, 5},
      {Descriptor("QOR_Fenestrali_2"), 0, 0, 128},
      {Descriptor("QOR_Fenestral"), 9, 0, 9},
      {"", 9, 0, 9},
      // Bytes after the NUL are never read.
      {Descriptor(std::string("QOR_Fenestrali_2 4:100\0 9:999", 29)), 0, 4, 228},
      // No size: nothing on offer, the previous size grows by the header only.
      {Descriptor("QOR_Fenestrali_2 7"), 628, 0, 756},
      // Sizes that offer nothing to install, or would not fit the 32-bit total.
      {Descriptor("QOR_Fenestrali_2 7:0"), 0, 0, 0},
      {Descriptor("QOR_Fenestrali_2 7:-5"), 0, 0, 0},
      {Descriptor("QOR_Fenestrali_2 7:2147483520"), 0, 0, 0},
      {Descriptor("QOR_Fenestrali_2 7:99999999999999999999"), 0, 0, 0},
      {Descriptor("QOR_Fenestrali_2 7:2147483519"), 0, 7, INT_MAX},
      // Versions beyond 32 bits saturate instead of wrapping into something newer.
      {Descriptor("QOR_Fenestrali_2 -99999999999:10"), 0, INT_MIN, 138},
      // A malformed digest tag is not a descriptor to trust.
      {Descriptor("QOR_Fenestrali_2 3:10 sha256=abc"), 0, 0, 138},
      // A version part longer than 127 characters, and a text with no NUL at all.
      {"QOR_Fenestrali_2 " + std::string(130, '1') + ":1" + std::string(1, '\0'), 55, 0, 55},
      {"QOR_Fenestrali_2 2:10" + std::string(3000, ' '), 55, 0, 55},
      {"<html><body>404</body></html>", 3, 0, 3},
  };
  for (const Caso &c : casos) {
    PublicarSmx(c.cuerpo);
    laSesionActualizacion.tamanoEsperado = c.tamanoAntes;
    EXPECT_TRUE(ComprobarVersion()) << c.cuerpo.c_str();
    EXPECT_EQ(laSesionActualizacion.versionRemota, c.version) << c.cuerpo.c_str();
    EXPECT_EQ(laSesionActualizacion.tamanoEsperado, c.tamanoDespues) << c.cuerpo.c_str();
    EXPECT_EQ(laSesionActualizacion.sesionInternet, nullptr);
  }
}

TEST_F(VersionOfrecida, LaVersionDeUnArchivoRealYSuResumen) {
  // The real update file is longer than the 1024 bytes the check reads, once padded.
  std::string smx = Fixture("actualizacion.smx") + std::string(4000, 'x');
  PublicarSmx(smx);
  ASSERT_TRUE(ComprobarVersion());
  EXPECT_EQ(laSesionActualizacion.versionRemota, 1);
  std::string texto = smx.c_str();
  std::size_t dosPuntos = texto.find(':');
  EXPECT_EQ(laSesionActualizacion.tamanoEsperado, std::stoi(texto.substr(dosPuntos + 1)) + 128);
  EXPECT_EQ(std::string(laSesionActualizacion.resumenCab), texto.substr(texto.find('=') + 1, 64));
  EXPECT_STREQ(laSesionActualizacion.nombreProducto, "QOR_Fenestrali_2");
  EXPECT_EQ(laSesionActualizacion.versionInstalada, 0);
  EXPECT_EQ(std::string(laSesionActualizacion.urlBase), servidor->UrlBase());

  // The request: the file under the base URL, from the agent "QOR".
  std::vector<std::string> solicitudes = servidor->Solicitudes();
  ASSERT_EQ(solicitudes.size(), 1u);
  EXPECT_EQ(solicitudes[0].rfind("GET /QOR_Fenestrali_2.smx HTTP/1.1\r\n", 0), 0u)
      << solicitudes[0];
  EXPECT_NE((solicitudes[0] + "\r\n").find("\r\nUser-Agent: QOR\r\n"), std::string::npos)
      << solicitudes[0];
}

// A descriptor that trickles in a few bytes at a time is still read whole.
TEST_F(VersionOfrecida, UnServidorLentoEntregaElTextoEntero) {
  ServidorHttp::Respuesta lenta;
  lenta.cuerpo = Descriptor("QOR_Fenestrali_2 23:4567");
  lenta.trozo = 5;
  lenta.pausaMs = 15;
  PublicarSmx(lenta);
  ASSERT_TRUE(ComprobarVersion());
  EXPECT_EQ(laSesionActualizacion.versionRemota, 23);
  EXPECT_EQ(laSesionActualizacion.tamanoEsperado, 4567 + 128);
}

// Without an answer the check fails, so that the user hears the server is unavailable;
// a stale version from an earlier check is not kept.
TEST_F(VersionOfrecida, SinServidorLaComprobacionFalla) {
  PublicarSmx(Descriptor("QOR_Fenestrali_2 4:100"));
  ASSERT_TRUE(ComprobarVersion());
  ASSERT_EQ(laSesionActualizacion.versionRemota, 4);

  ASSERT_TRUE(FijarUrlActualizacion(UrlSinServidor().c_str()));
  EXPECT_FALSE(ComprobarVersion());
  EXPECT_EQ(laSesionActualizacion.versionRemota, 0);
  EXPECT_EQ(laSesionActualizacion.sesionInternet, nullptr);
  EXPECT_TRUE(consola->llamadas.empty());

  // An address that does not fit the 128-character base is refused, not cut.
  std::string larga = "http://127.0.0.1/" + std::string(120, 'a');
  EXPECT_FALSE(FijarUrlActualizacion(larga.c_str()));
}

TEST_F(VersionOfrecida, TextoDelServidor) {
  struct Caso {
    std::string cuerpo;
    std::size_t capacidad;
    bool resultado;
  } casos[] = {
      {"192.168.1.20", 128, true},
      {"1.2.3", 128, false},
      {"", 128, false},
      {"a.b.c.d" + std::string(60, 'e'), 32, false},
      {"a.b.c.d", 8, true},
  };
  for (const Caso &c : casos) {
    servidor->Publicar("/", c.cuerpo);
    PrepararActualizacion();
    ASSERT_TRUE(AbrirSesionInternet());
    char destino[128];
    std::memset(destino, '#', sizeof destino);
    destino[127] = '\0';
    EXPECT_EQ(LeerTextoServidor(destino, c.capacidad), c.resultado) << c.cuerpo;
    if (c.resultado) {
      EXPECT_EQ(std::string(destino), c.cuerpo);
    }
    CerrarSesionInternet();
  }
  EXPECT_FALSE(LeerTextoServidor(nullptr, 0)); // no session
}

// Random descriptors of every length around the buffers' edges: whatever arrives, the
// read stays within its buffers (checked by the sanitizers natively), and a version is
// offered only for a text that starts with the product name and gives a usable size.
TEST_F(VersionOfrecida, DescriptoresAlAzar) {
  std::uint32_t semilla = 12345;
  auto azar = [&semilla](std::uint32_t n) {
    semilla = semilla * 1103515245u + 12345u;
    return (semilla >> 8) % n;
  };
  const std::string alfabeto = "QOR_Fenestrali_2 0123456789:-+ sha256=abcdef\t";
  for (int i = 0; i < 150; ++i) {
    std::size_t largo = azar(4) == 0 ? 1000 + azar(100) : azar(300);
    std::string cuerpo = azar(2) ? "QOR_Fenestrali_2" : "";
    while (cuerpo.size() < largo)
      cuerpo += azar(10) == 0 ? static_cast<char>(azar(256)) : alfabeto[azar(alfabeto.size())];
    cuerpo.resize(largo);
    PublicarSmx(cuerpo);
    laSesionActualizacion.tamanoEsperado = 0;
    EXPECT_TRUE(ComprobarVersion());
    if (laSesionActualizacion.versionRemota != 0) {
      EXPECT_EQ(cuerpo.rfind("QOR_Fenestrali_2", 0), 0u) << cuerpo.c_str();
      EXPECT_GT(laSesionActualizacion.tamanoEsperado, 128) << cuerpo.c_str();
    }
  }
}
