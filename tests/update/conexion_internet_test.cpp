#include "comun.h"

#include "update/conexion_internet.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

constexpr const char *kDestino = "C:\\qor_pruebas\\contenido.bin";

std::string Contenido(std::size_t largo) {
  std::string s(largo, '\0');
  for (std::size_t i = 0; i < largo; ++i)
    s[i] = static_cast<char>('a' + i % 23);
  return s;
}

// What the callbacks saw; they are plain functions.
std::vector<std::pair<std::uint32_t, std::uint32_t>> avances;
std::string bloques;
std::vector<std::uint32_t> tamanosBloque;

void AlAvanzar(std::uint32_t hecho, std::uint32_t esperado) {
  avances.emplace_back(hecho, esperado);
}

void AlBloque(const char *bloque, std::uint32_t cantidad, std::uint32_t hecho,
              std::uint32_t esperado) {
  bloques.append(bloque, cantidad);
  tamanosBloque.push_back(cantidad);
  avances.emplace_back(hecho, esperado);
}

class Conexion : public PruebaActualizacion {
protected:
  void SetUp() override {
    PruebaActualizacion::SetUp();
    avances.clear();
    bloques.clear();
    tamanosBloque.clear();
  }
  std::string Url(const std::string &ruta) { return servidor->UrlBase() + ruta; }
};

} // namespace

TEST_F(Conexion, AbrirYCerrarDirecciones) {
  servidor->Publicar("/a", "primero");
  servidor->Publicar("/b", "segundo");
  ConexionInternet c(Url("/a").c_str());
  ASSERT_TRUE(c.HayUrl());
  EXPECT_EQ(std::string(c.Direccion()), Url("/a"));

  // An empty or over-long address is refused and the open one stays.
  EXPECT_FALSE(c.AbrirUrl(""));
  std::string larga = Url("/") + std::string(260, 'x');
  EXPECT_FALSE(c.AbrirUrl(larga.c_str()));
  EXPECT_TRUE(c.HayUrl());
  EXPECT_EQ(std::string(c.Direccion()), Url("/a"));

  // Opening another address over an open one takes the new content.
  ASSERT_TRUE(c.AbrirUrl(Url("/b").c_str()));
  void *memoria = nullptr;
  std::uint32_t n = c.LeerTodo(&memoria);
  ASSERT_NE(memoria, nullptr);
  EXPECT_EQ(std::string(static_cast<char *>(memoria), n), "segundo");
  std::free(memoria);

  c.CerrarUrl();
  EXPECT_FALSE(c.HayUrl());
  EXPECT_EQ(c.DescargarArchivo(kDestino), 0u);
  EXPECT_FALSE(c.DescargarConAvance(kDestino, 10, AlAvanzar));
  EXPECT_FALSE(c.LeerConAvance(10, AlBloque));
  EXPECT_EQ(c.LeerTodo(&memoria), 0u);

  ConexionInternet sinServidor((UrlSinServidor() + "/a").c_str());
  EXPECT_FALSE(sinServidor.HayUrl());
}

// The content lands at its offsets; an existing longer file keeps its bytes beyond the
// downloaded length; a connection that drops mid-content gives the bytes obtained.
TEST_F(Conexion, DescargarArchivo) {
  std::string contenido = Contenido(2500);
  servidor->Publicar("/c", contenido);
  ServidorHttp::Respuesta cortada;
  cortada.cuerpo = Contenido(5000);
  cortada.cortarTras = 1800;
  servidor->Publicar("/cortada", cortada);

  ConexionInternet c(Url("/c").c_str());
  EXPECT_EQ(c.DescargarArchivo(""), 0u);
  EXPECT_EQ(c.DescargarArchivo(kDestino), 2500u);
  EXPECT_EQ(LeerArchivo(kDestino), contenido);

  std::string previo(4000, '#');
  EscribirArchivo(kDestino, previo);
  c.CerrarUrl();
  ASSERT_TRUE(c.AbrirUrl(Url("/c").c_str()));
  EXPECT_EQ(c.DescargarArchivo(kDestino), 2500u);
  EXPECT_EQ(LeerArchivo(kDestino), contenido + previo.substr(2500));

  BorrarArbol(kDestino);
  c.CerrarUrl();
  ASSERT_TRUE(c.AbrirUrl(Url("/cortada").c_str()));
  EXPECT_EQ(c.DescargarArchivo(kDestino), 1800u);
  EXPECT_EQ(LeerArchivo(kDestino), cortada.cuerpo.substr(0, 1800));
}

TEST_F(Conexion, DescargarConAvanceSeDetieneEnElTamanoEsperado) {
  servidor->Publicar("/c", Contenido(3000));
  struct Caso {
    std::uint32_t esperado;
    std::size_t escritos;
  } casos[] = {{1024, 1024}, {0, 1024}, {5000, 3000}};
  for (const Caso &c : casos) {
    avances.clear();
    BorrarArbol(kDestino);
    ConexionInternet conexion(Url("/c").c_str());
    EXPECT_TRUE(conexion.DescargarConAvance(kDestino, c.esperado, AlAvanzar));
    EXPECT_EQ(LeerArchivo(kDestino), Contenido(3000).substr(0, c.escritos)) << c.esperado;
    ASSERT_FALSE(avances.empty());
    EXPECT_EQ(avances.back(), std::make_pair(static_cast<std::uint32_t>(c.escritos), c.esperado));
    for (std::size_t i = 1; i < avances.size(); ++i)
      EXPECT_LT(avances[i - 1].first, avances[i].first);
  }
}

TEST_F(Conexion, LeerConAvanceEntregaCadaBloque) {
  ServidorHttp::Respuesta lenta;
  lenta.cuerpo = Contenido(2600);
  lenta.trozo = 700;
  lenta.pausaMs = 10;
  servidor->Publicar("/c", lenta);
  ConexionInternet c(Url("/c").c_str());
  EXPECT_TRUE(c.LeerConAvance(100000, AlBloque));
  EXPECT_EQ(bloques, lenta.cuerpo);
  std::uint32_t suma = 0;
  for (std::size_t i = 0; i < tamanosBloque.size(); ++i) {
    EXPECT_GE(tamanosBloque[i], 1u);
    EXPECT_LE(tamanosBloque[i], 1024u);
    suma += tamanosBloque[i];
    EXPECT_EQ(avances[i], std::make_pair(suma, 100000u));
  }
}

TEST_F(Conexion, LeerTodoEnUnBloqueExacto) {
  servidor->Publicar("/vacio", "");
  servidor->Publicar("/c", Contenido(1500));
  void *memoria = reinterpret_cast<void *>(0x1234);
  ConexionInternet vacio(Url("/vacio").c_str());
  EXPECT_EQ(vacio.LeerTodo(&memoria), 0u);
  EXPECT_EQ(memoria, reinterpret_cast<void *>(0x1234));

  ConexionInternet c(Url("/c").c_str());
  ASSERT_EQ(c.LeerTodo(&memoria), 1500u);
  EXPECT_EQ(std::string(static_cast<char *>(memoria), 1500), Contenido(1500));
  std::free(memoria);
}
