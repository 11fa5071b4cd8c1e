#include "instalacion_temporal.h"
#include "soporte_sistema.h"
#include "system/pc.h"

#include <chrono>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#else
#include <cstdlib>
#endif

namespace {

class Componentes : public UnidadTemporal {
protected:
  PC pc;
};

const std::string kCarpeta = "C:\\qor_pruebas";

std::string ContenidoPaquete() {
  std::string texto;
  for (int i = 1; i <= 4000; ++i)
    texto += "linea " + std::to_string(i) + "\r\n";
  return texto;
}

TEST_F(Componentes, DescomprimeUnGabinete) {
  std::string cab = LeerHost(QOR_DATOS_SISTEMA "/paquete.cab");
  ASSERT_FALSE(cab.empty());
  EscribirArchivo(kCarpeta + "\\paquete.cab", cab);
  EXPECT_EQ(
      pc.Descomprimir((kCarpeta + "\\paquete.cab").c_str(), (kCarpeta + "\\paquete.dat").c_str()),
      0u);
  EXPECT_TRUE(LeerArchivo(kCarpeta + "\\paquete.dat") == ContenidoPaquete());
}

TEST_F(Componentes, UnOrigenQueNoEsGabineteDaUnCodigoDeError) {
  std::string cab = LeerHost(QOR_DATOS_SISTEMA "/paquete.cab");
  ASSERT_GT(cab.size(), 200u);
  std::string danado = cab;
  for (std::size_t i = 120; i < danado.size(); i += 7)
    danado[i] = static_cast<char>(danado[i] ^ 0x5A);
  EscribirArchivo(kCarpeta + "\\texto.cab", "esto no es un gabinete, solo texto");
  EscribirArchivo(kCarpeta + "\\danado.cab", danado);
  EscribirArchivo(kCarpeta + "\\cortado.cab", cab.substr(0, cab.size() / 2));
  for (std::string origen : {"texto.cab", "danado.cab", "cortado.cab", "no_hay.cab"}) {
    SCOPED_TRACE(origen);
    EXPECT_NE(
        pc.Descomprimir((kCarpeta + "\\" + origen).c_str(), (kCarpeta + "\\salida.dat").c_str()),
        0u);
    EXPECT_FALSE(LeerArchivo(kCarpeta + "\\salida.dat") == ContenidoPaquete());
  }
  // A good cabinet into a folder that isn't there.
  EscribirArchivo(kCarpeta + "\\paquete.cab", cab);
  EXPECT_NE(pc.Descomprimir((kCarpeta + "\\paquete.cab").c_str(),
                            (kCarpeta + "\\no_hay\\paquete.dat").c_str()),
            0u);
  EXPECT_FALSE(Existe(kCarpeta + "\\no_hay"));
}

#ifndef _WIN32
TEST_F(Componentes, DescomprimeLoQueHaceGcab) {
  // A larger, less compressible file, packed at test time by the gcab tool itself.
  std::string datos(300000, '\0');
  unsigned x = 12345;
  for (char &c : datos) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>((x >> 16) % 64 + 32);
  }
  EscribirArchivo(kCarpeta + "\\origen\\grande.bin", datos);
  std::string orden = "cd '" + Local(kCarpeta + "\\origen") +
                      "' && gcab -c -z ../grande.cab grande.bin >/dev/null 2>&1";
  if (std::system(orden.c_str()) != 0)
    GTEST_SKIP() << "gcab is not installed";
  EXPECT_EQ(
      pc.Descomprimir((kCarpeta + "\\grande.cab").c_str(), (kCarpeta + "\\grande.out").c_str()),
      0u);
  EXPECT_TRUE(LeerArchivo(kCarpeta + "\\grande.out") == datos);
}
#endif

TEST_F(Componentes, RegistraBibliotecas) {
  std::string marca = kCarpeta + "\\marca.txt";
  EscribirArchivo(kCarpeta + "\\Servidor.dll", LeerHost(QOR_PRUEBA_SERVIDOR));
  EscribirArchivo(kCarpeta + "\\Vacio.dll", LeerHost(QOR_PRUEBA_SIN_REGISTRO));
  FijarVariable("QOR_MARCA_REGISTRO", Local(marca).c_str());
  EXPECT_EQ(RegistrarComponente((kCarpeta + "\\Servidor.dll").c_str()), 1);
  EXPECT_EQ(pc.DesregistrarServidor((kCarpeta + "\\Servidor.dll").c_str()), 1);
  // No entry point, or no library at all: still 1, and nothing ran.
  EXPECT_EQ(RegistrarComponente((kCarpeta + "\\Vacio.dll").c_str()), 1);
  EXPECT_EQ(pc.RegistrarServidor((kCarpeta + "\\no_hay.dll").c_str()), 1);
  FijarVariable("QOR_MARCA_REGISTRO", nullptr);
  EXPECT_EQ(LeerArchivo(marca), "DllRegisterServer\nDllUnregisterServer\n");
}

TEST_F(Componentes, RegistraProgramasSinEsperarlos) {
  std::string programa = LeerHost(QOR_PRUEBA_PROGRAMA);
  ASSERT_FALSE(programa.empty());
  // Any case of the extension, and a folder with a space in its name.
  for (std::string nombre : {"uno.exe", "dos.EXE", "con espacio\\tres.ExE"}) {
    SCOPED_TRACE(nombre);
    std::string ruta = kCarpeta + "\\" + nombre;
    std::string marca = ruta + ".txt";
    EscribirArchivo(ruta, programa);
    HacerEjecutable(ruta);
    FijarVariable("QOR_MARCA_REGISTRO", Local(marca).c_str());
    auto antes = std::chrono::steady_clock::now();
    EXPECT_GT(RegistrarComponente(ruta.c_str()), 31);
    // The program waits 1.5 s before it writes: the call must not have waited for it.
    EXPECT_LT(std::chrono::steady_clock::now() - antes, std::chrono::milliseconds(1000));
    EXPECT_FALSE(Existe(marca));
    FijarVariable("QOR_MARCA_REGISTRO", nullptr);
    ASSERT_TRUE(EsperarArchivo(marca, 20));
    EXPECT_EQ(LeerArchivo(marca), "/REGSERVER\n");
  }
  // A program that isn't there does not start.
  EXPECT_LE(RegistrarComponente((kCarpeta + "\\no_hay.exe").c_str()), 31);
}

TEST_F(Componentes, ArchivoLibre) {
  EscribirArchivo(kCarpeta + "\\libre.txt", "x");
  EscribirArchivo(kCarpeta + "\\protegido.txt", "x");
  FijarSoloLectura(kCarpeta + "\\protegido.txt", true);
  EscribirArchivo(kCarpeta + "\\ocupado.txt", "x");
  CrearCarpetas(kCarpeta + "\\carpeta");
  std::ifstream ocupado(Local(kCarpeta + "\\ocupado.txt"));
  ASSERT_TRUE(ocupado.is_open());
  struct Caso {
    const char *nombre;
    bool libre;
  } casos[] = {{"libre.txt", true},
               {"protegido.txt", false},
               {"ocupado.txt", false},
               {"carpeta", false},
               {"falta.txt", false}};
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.nombre);
    EXPECT_EQ(ArchivoLibre((kCarpeta + "\\" + c.nombre).c_str()), c.libre);
  }
  EXPECT_FALSE(Existe(kCarpeta + "\\falta.txt"));
  ocupado.close();
  EXPECT_TRUE(ArchivoLibre((kCarpeta + "\\ocupado.txt").c_str()));
  EXPECT_EQ(LeerArchivo(kCarpeta + "\\libre.txt"), "x");
}

#ifdef _WIN32
struct Acceso {
  HRESULT carga = E_FAIL;
  std::string descripcion, carpeta, argumentos, destino;
};

Acceso LeerAcceso(const std::string &lnk) {
  Acceso a;
  CoInitialize(nullptr);
  IShellLinkA *enlace = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void **>(&enlace)))) {
    IPersistFile *archivo = nullptr;
    if (SUCCEEDED(enlace->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&archivo)))) {
      WCHAR nombre[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, nombre, MAX_PATH);
      a.carga = archivo->Load(nombre, STGM_READ);
      char texto[MAX_PATH] = {};
      enlace->GetDescription(texto, MAX_PATH);
      a.descripcion = texto;
      texto[0] = '\0';
      enlace->GetWorkingDirectory(texto, MAX_PATH);
      a.carpeta = texto;
      texto[0] = '\0';
      enlace->GetArguments(texto, MAX_PATH);
      a.argumentos = texto;
      texto[0] = '\0';
      enlace->GetPath(texto, MAX_PATH, nullptr, SLGP_RAWPATH);
      a.destino = texto;
      archivo->Release();
    }
    enlace->Release();
  }
  CoUninitialize();
  return a;
}

TEST_F(Componentes, CreaAccesosDirectos) {
  std::string destino = kCarpeta + "\\Programa\\QOR_Fenestrali_2.exe";
  EscribirArchivo(destino, "MZ");
  struct Caso {
    const char *lnk;
    const char *argumentos; // nullptr: none given
  } casos[] = {{"C:\\qor_pruebas\\sin_argumentos.lnk", nullptr},
               {"C:\\qor_pruebas\\con_argumentos.lnk", "/x 1"}};
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.lnk);
    EXPECT_EQ(pc.CrearAccesoDirecto(destino.c_str(), c.lnk, c.argumentos), S_OK);
    Acceso a = LeerAcceso(c.lnk);
    ASSERT_TRUE(SUCCEEDED(a.carga));
    EXPECT_EQ(a.descripcion, "Orvandelis");
    EXPECT_EQ(a.carpeta, kCarpeta + "\\Programa");
    EXPECT_EQ(a.argumentos, c.argumentos ? c.argumentos : "");
    EXPECT_EQ(a.destino, destino);
  }
}
#else
TEST_F(Componentes, SinAccesosDirectosNoEscribeNada) {
  EXPECT_EQ(pc.CrearAccesoDirecto("C:\\qor_pruebas\\x.exe", "C:\\qor_pruebas\\x.lnk", nullptr),
            static_cast<long>(static_cast<std::int32_t>(0x80004001u)));
  EXPECT_FALSE(Existe(kCarpeta + "\\x.lnk"));
}
#endif

} // namespace
