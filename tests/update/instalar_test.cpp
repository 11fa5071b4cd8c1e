#include "comun.h"
#include "programas_prueba.h"
#include "update/instalar_paquete.h"
#include "update/procesos.h"
#include "update/sesion_actualizacion.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char *kPaquete = "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx";
constexpr const char *kCab = "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.cab";
constexpr const char *kComponentes = "C:\\QOR_Fenestrali_2\\Marcas\\QOR\\T45 VNS\\Componentes";
const char *const kAcoples[] = {"Acople Horizontal KX-2741.dft", "Acople Horizontal KX-2741.sm12",
                                "Acople Vertical KX-2741.dft", "Acople Vertical KX-2741.sm13"};

std::string LeerHost(const std::string &ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

class Instalar : public PruebaActualizacion {
protected:
  void SetUp() override {
    PruebaActualizacion::SetUp();
    // As the download leaves them.
    std::strcpy(laSesionActualizacion.carpetaInstalacion, kInstalacion);
    std::strcpy(laSesionActualizacion.rutaPaquete, kPaquete);
    char sistema[512] = {};
    pc.DirectorioSistema(sistema);
    carpetaSistema = sistema;
  }
  void TearDown() override {
    for (const std::string &r : enSistema)
      BorrarArbol(r);
    PruebaActualizacion::TearDown();
  }
  void Preparar(const std::string &paquete) {
    EscribirArchivo(kPaquete, paquete);
    EscribirArchivo(kCab, "MSCF restos");
  }
  // Every file under the install folder with its bytes.
  std::map<std::string, std::string> Arbol() {
    std::map<std::string, std::string> arbol;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(Local(kInstalacion), ec);
         it != fs::recursive_directory_iterator(); it.increment(ec))
      arbol[it->path().string()] =
          it->is_regular_file() ? LeerHost(it->path().string()) : "<carpeta>";
    return arbol;
  }
  std::string carpetaSistema;
  std::vector<std::string> enSistema; // files a test writes into the system folder
};

// The publisher's own package: files land where its records say, an older and longer
// file is replaced byte for byte, and the leftovers and coupling files go.
TEST_F(Instalar, PaqueteDelPublicador) {
  EscribirArchivo("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.exe", std::string(5000, 'v'));
  EscribirArchivo("C:\\QOR_Fenestrali_2\\Data\\iData\\Monedas.tbl", std::string(300, 'm'));
  EscribirArchivo("C:\\QOR_Fenestrali_2\\Data\\Monedas.tbl", "trabajo del usuario");
  for (const char *a : kAcoples)
    EscribirArchivo(std::string(kComponentes) + "\\" + a, "obsoleto");
  EscribirArchivo(std::string(kComponentes) + "\\Acople Otro.dft", "sigue");
  Preparar(Fixture("actualizacion.paquete"));
  enSistema.push_back(carpetaSistema + "\\qorcomp.dll");

  EXPECT_TRUE(InstalarPaquete());

  const std::string arbol = std::string(QOR_DATOS_ACTUALIZACION) + "/arbol/";
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.exe"),
            LeerHost(arbol + "QOR_Fenestrali_2.exe"));
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Data\\iData\\Monedas.tbl"),
            LeerHost(arbol + "Data/Monedas.tbl"));
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Data\\Monedas.tbl"), "trabajo del usuario");
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Marcas\\QOR\\leeme.txt"),
            LeerHost(arbol + "Marcas/QOR/leeme.txt"));
  EXPECT_EQ(LeerArchivo(carpetaSistema + "\\qorcomp.dll"), LeerHost(arbol + "Sistema/qorcomp.dll"));
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\Sistema"));
  EXPECT_FALSE(Existe(kPaquete));
  EXPECT_FALSE(Existe(kCab));
  for (const char *a : kAcoples)
    EXPECT_FALSE(Existe(std::string(kComponentes) + "\\" + a)) << a;
  EXPECT_TRUE(Existe(std::string(kComponentes) + "\\Acople Otro.dft"));
  for (const auto &[ruta, datos] : Arbol())
    EXPECT_EQ(ruta.find(kSufijoNuevo), std::string::npos) << ruta;

  EXPECT_EQ(consola->estado, "Instalando archivos del programa...");
  EXPECT_EQ(consola->Posiciones(), (std::vector<std::int64_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(consola->maximo, 4);
  EXPECT_TRUE(consola->Avisos().empty());
}

// The test writer and the publisher agree byte for byte on the same tree.
TEST_F(Instalar, EscritorDePruebaIgualAlPublicador) {
  const std::string arbol = std::string(QOR_DATOS_ACTUALIZACION) + "/arbol/";
  EscritorPaquete p(4);
  p.Archivo("QOR_Fenestrali_2.exe", LeerHost(arbol + "QOR_Fenestrali_2.exe"))
      .Carpeta("Data", false, true)
      .Archivo("Monedas.tbl", LeerHost(arbol + "Data/Monedas.tbl"))
      .Carpeta("Marcas")
      .Carpeta("Marcas\\QOR")
      .Archivo("leeme.txt", LeerHost(arbol + "Marcas/QOR/leeme.txt"))
      .Carpeta("Sistema", true)
      .Archivo("qorcomp.dll", LeerHost(arbol + "Sistema/qorcomp.dll"), true);
  EXPECT_TRUE(p.bytes == Fixture("actualizacion.paquete"));
}

// Header only: nothing installed, the range still from the header, the leftovers gone.
TEST_F(Instalar, SoloCabecera) {
  for (const char *a : kAcoples)
    EscribirArchivo(std::string(kComponentes) + "\\" + a, "obsoleto");
  Preparar(EscritorPaquete(7).bytes);
  EXPECT_TRUE(InstalarPaquete());
  EXPECT_EQ(consola->maximo, 7);
  EXPECT_EQ(consola->Posiciones(), std::vector<std::int64_t>{0});
  EXPECT_FALSE(Existe(kPaquete));
  EXPECT_FALSE(Existe(kCab));
  for (const char *a : kAcoples)
    EXPECT_FALSE(Existe(std::string(kComponentes) + "\\" + a)) << a;
}

// Folder kinds: root files first, iData winning over the system flag, several levels at
// once, the system folder ignoring its name, an empty file, and more files than the
// header counts.
TEST_F(Instalar, CarpetasYArchivos) {
  EscritorPaquete p(2);
  p.Archivo("raiz.txt", "en la raiz")
      .Carpeta("Data", true, true)
      .Archivo("Partes.tbl", "partes")
      .Carpeta("Marcas\\QOR\\T45 VNS\\Nueva")
      .Archivo("vacio.dft", "")
      .Carpeta("IgnoradoPorSistema", true)
      .Archivo("qor_prueba_sistema.txt", "al sistema");
  enSistema.push_back(carpetaSistema + "\\qor_prueba_sistema.txt");
  Preparar(p.bytes);

  EXPECT_TRUE(InstalarPaquete());

  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\raiz.txt"), "en la raiz");
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Data\\iData\\Partes.tbl"), "partes");
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\Data\\Partes.tbl"));
  EXPECT_TRUE(Existe("C:\\QOR_Fenestrali_2\\Marcas\\QOR\\T45 VNS\\Nueva\\vacio.dft"));
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Marcas\\QOR\\T45 VNS\\Nueva\\vacio.dft"), "");
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\IgnoradoPorSistema"));
  EXPECT_EQ(LeerArchivo(carpetaSistema + "\\qor_prueba_sistema.txt"), "al sistema");
  EXPECT_EQ(consola->Posiciones(), (std::vector<std::int64_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(consola->maximo, 2);
}

// Components are registered only where the file record says so, programs through
// " /REGSERVER" whatever the case of their extension, libraries through
// DllRegisterServer; a library without it is just loaded.
TEST_F(Instalar, RegistroDeComponentes) {
  const std::string programa = LeerHost(QOR_PROGRAMA_MARCADOR);
  const std::string biblioteca = LeerHost(QOR_COMPONENTE);
  const std::string sinRegistro = LeerHost(QOR_COMPONENTE_SIN_REGISTRO);
  ASSERT_FALSE(programa.empty());
  ASSERT_FALSE(biblioteca.empty());
  EscritorPaquete p(7);
  p.Carpeta("Comp")
      .Archivo("a.exe", programa, true)
      .Archivo("b.Exe", programa, true)
      .Archivo("c.EXE", programa, true)
      .Archivo("d.dll", biblioteca, true)
      .Archivo("e.ocx", biblioteca, true)
      .Archivo("f.dll", sinRegistro, true)
      .Archivo("g.dll", biblioteca, false)
      .Archivo("h.exe", programa, false);
  Preparar(p.bytes);

  EXPECT_TRUE(InstalarPaquete());

  const std::string c = "C:\\QOR_Fenestrali_2\\Comp\\";
  for (const char *n : {"a.exe", "b.Exe", "c.EXE"}) {
    ASSERT_TRUE(EsperarArchivo(c + n + ".marca", 10000)) << n;
    EXPECT_EQ(LeerArchivo(c + n + ".marca"), "/REGSERVER") << n;
  }
  for (const char *n : {"d.dll", "e.ocx"})
    EXPECT_EQ(LeerArchivo(c + n + ".registrado"), "DllRegisterServer") << n;
  EXPECT_TRUE(Existe(c + "f.dll"));
  EXPECT_FALSE(Existe(c + "f.dll.registrado"));
  EXPECT_FALSE(Existe(c + "g.dll.registrado"));
  EXPECT_FALSE(Existe(c + "h.exe.marca"));
  EXPECT_EQ(LeerArchivo(c + "d.dll"), biblioteca);
}

// A file that can't be replaced keeps its old bytes, is named in one notice at the end,
// and the rest of the package still installs.
TEST_F(Instalar, ArchivoDeSoloLecturaNombradoAlFinal) {
  const std::string bloqueado = "C:\\QOR_Fenestrali_2\\Datos.dft";
  EscribirArchivo(bloqueado, "version vieja, bastante mas larga que la nueva");
  fs::permissions(Local(bloqueado),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#ifdef _WIN32
  SetFileAttributesA(bloqueado.c_str(), FILE_ATTRIBUTE_READONLY);
#endif
  EscritorPaquete p(2);
  p.Archivo("Datos.dft", "nueva").Archivo("Otro.dft", "otro");
  Preparar(p.bytes);

  EXPECT_FALSE(InstalarPaquete());

  EXPECT_EQ(LeerArchivo(bloqueado), "version vieja, bastante mas larga que la nueva");
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Otro.dft"), "otro");
  EXPECT_FALSE(Existe(bloqueado + kSufijoNuevo));
  ASSERT_EQ(consola->Avisos().size(), 1u);
  const std::string aviso = consola->Avisos()[0];
  EXPECT_EQ(aviso.rfind(kMensajeArchivosNoReemplazados, 0), 0u) << aviso;
  EXPECT_NE(aviso.find(bloqueado), std::string::npos) << aviso;
  EXPECT_EQ(aviso.find("Otro.dft"), std::string::npos) << aviso;
  EXPECT_FALSE(Existe(kPaquete));
#ifdef _WIN32
  SetFileAttributesA(bloqueado.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

#ifndef _WIN32
// A new copy that can't be written whole (here past the process's file-size limit, as on
// a full disk) keeps the old file, leaves no temporary, and is named under its own cause,
// apart from a file that could not be replaced.
TEST_F(Instalar, ArchivoSinEspacioNombradoPorSuCausa) {
  const std::string bloqueado = "C:\\QOR_Fenestrali_2\\Datos.dft";
  const std::string grande = "C:\\QOR_Fenestrali_2\\Grande.dft";
  EscribirArchivo(bloqueado, "vieja");
  fs::permissions(Local(bloqueado), fs::perms::owner_read);
  EscribirArchivo(grande, "grande de antes");
  EscritorPaquete p(3);
  p.Archivo("Datos.dft", "nueva")
      .Archivo("Grande.dft", std::string(256 * 1024, 'g'))
      .Archivo("Otro.dft", "otro");
  Preparar(p.bytes);

  rlimit antes{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
  rlimit limite = antes;
  limite.rlim_cur = 128 * 1024;
  auto senal = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
  const bool instalado = InstalarPaquete();
  setrlimit(RLIMIT_FSIZE, &antes);
  std::signal(SIGXFSZ, senal);

  EXPECT_FALSE(instalado);
  EXPECT_EQ(LeerArchivo(grande), "grande de antes");
  EXPECT_EQ(LeerArchivo(bloqueado), "vieja");
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Otro.dft"), "otro");
  for (const auto &[ruta, datos] : Arbol())
    EXPECT_EQ(ruta.find(kSufijoNuevo), std::string::npos) << ruta;
  ASSERT_EQ(consola->Avisos().size(), 1u);
  const std::string aviso = consola->Avisos()[0];
  const std::size_t enUso = aviso.find(kMensajeArchivosNoReemplazados);
  const std::size_t sinEspacio = aviso.find(kMensajeArchivosNoEscritos);
  EXPECT_EQ(enUso, 0u) << aviso;
  ASSERT_NE(sinEspacio, std::string::npos) << aviso;
  EXPECT_LT(aviso.find(bloqueado), sinEspacio) << aviso;
  EXPECT_GT(aviso.find(grande), sinEspacio) << aviso;
  EXPECT_NE(aviso.find(kMensajeLiberarEspacio), std::string::npos) << aviso;
  EXPECT_EQ(aviso.find("Otro.dft"), std::string::npos) << aviso;
}
#endif

// The package is only read: one the system marks read-only installs all the same.
TEST_F(Instalar, PaqueteDeSoloLecturaSeInstala) {
  EscritorPaquete p(1);
  p.Archivo("Nuevo.dft", "nuevo");
  Preparar(p.bytes);
  fs::permissions(Local(kPaquete), fs::perms::owner_read);
#ifdef _WIN32
  SetFileAttributesA(kPaquete, FILE_ATTRIBUTE_READONLY);
#endif
  EXPECT_TRUE(InstalarPaquete());
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Nuevo.dft"), "nuevo");
  EXPECT_TRUE(consola->Avisos().empty());
#ifdef _WIN32
  SetFileAttributesA(kPaquete, FILE_ATTRIBUTE_NORMAL);
#endif
}

#ifdef _WIN32
// A component that another process holds open is neither replaced nor registered.
TEST_F(Instalar, ComponenteAbiertoNoSeRegistra) {
  const std::string ruta = "C:\\QOR_Fenestrali_2\\Comp\\d.dll";
  EscribirArchivo(ruta, "vieja");
  HANDLE abierto = CreateFileA(ruta.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(abierto, INVALID_HANDLE_VALUE);
  EscritorPaquete p(1);
  p.Carpeta("Comp").Archivo("d.dll", LeerHost(QOR_COMPONENTE), true);
  Preparar(p.bytes);
  EXPECT_FALSE(InstalarPaquete());
  CloseHandle(abierto);
  EXPECT_EQ(LeerArchivo(ruta), "vieja");
  EXPECT_FALSE(Existe(ruta + ".registrado"));
  ASSERT_EQ(consola->Avisos().size(), 1u);
  EXPECT_NE(consola->Avisos()[0].find(ruta), std::string::npos);
}
#endif

// A damaged or hostile package installs nothing at all: the install folder stays byte
// for byte as it was, nothing appears outside it, and the user is told.
TEST_F(Instalar, PaquetesHostilesNoTocanNada) {
  EscritorPaquete base(2);
  base.Carpeta("Data", false, true)
      .Archivo("Monedas.tbl", "nuevas monedas")
      .Archivo("Otra.tbl", "x");
  const std::string bueno = base.bytes;
  auto conNombre = [](const std::string &nombreCarpeta, const std::string &nombreArchivo) {
    EscritorPaquete p(1);
    if (!nombreCarpeta.empty())
      p.Carpeta(nombreCarpeta);
    p.Archivo(nombreArchivo, "fuera");
    return p.bytes;
  };
  std::string sinFin = bueno;
  std::memset(&sinFin[268 + 4], 'A', 256);
  std::string datosDeMas = bueno;
  // The last file record's length, raised past the end of the file.
  std::size_t ultimo = bueno.size() - 1 - 268;
  datosDeMas[ultimo + 260] = 2;
  struct Caso {
    const char *que;
    std::string paquete;
    bool existe;
  };
  const std::vector<Caso> casos = {
      {"registro cortado", bueno.substr(0, 268 + 268 + 100), true},
      {"cabecera cortada", bueno.substr(0, 200), true},
      {"datos pasado el final", datosDeMas, true},
      {"datos cortados", bueno.substr(0, bueno.size() - 1), true},
      {"nombre sin terminar", sinFin, true},
      {"archivo ..\\..\\x", conNombre("", "..\\..\\x"), true},
      {"archivo con carpeta", conNombre("", "Data\\x"), true},
      {"archivo con unidad", conNombre("", "C:x"), true},
      {"carpeta ..\\..\\x", conNombre("..\\..\\x", "y"), true},
      {"carpeta Data\\..\\..", conNombre("Data\\..\\..", "y"), true},
      {"carpeta C:\\x", conNombre("C:\\x", "y"), true},
      {"carpeta \\x", conNombre("\\x", "y"), true},
      {"carpeta /x", conNombre("/x", "y"), true},
      {"archivo sin nombre", conNombre("", ""), true},
      {"sin paquete", "", false},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.que);
    BorrarArbol(kInstalacion);
    EscribirArchivo("C:\\QOR_Fenestrali_2\\Data\\iData\\Monedas.tbl", "monedas de siempre");
    EscribirArchivo(std::string(kComponentes) + "\\" + kAcoples[0], "obsoleto");
    if (c.existe)
      Preparar(c.paquete);
    BorrarArbol("C:\\x");
    BorrarArbol("C:\\y");
    auto antes = Arbol();
    antes.erase(Local(kPaquete));
    antes.erase(Local(kCab));
    consola->llamadas.clear();

    EXPECT_FALSE(InstalarPaquete());

    EXPECT_EQ(Arbol(), antes);
    EXPECT_FALSE(Existe("C:\\x"));
    EXPECT_FALSE(Existe("C:\\y"));
    EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\x"));
    EXPECT_EQ(consola->Avisos(), std::vector<std::string>{kMensajePaqueteNoValido});
  }
}

} // namespace

namespace {

// The sibling program running from the install folder is stopped first, so its file can
// be replaced right after.
TEST_F(Instalar, ProgramaDetenidoSeReemplaza) {
  TurnoProcesos turno;
  const std::string nodrax = "C:\\QOR_Fenestrali_2\\NODRAX.EXE";
  CopiarPrograma(QOR_PROGRAMA_ESPERA, nodrax);
  ProcesoPrueba proceso(nodrax);
  ASSERT_TRUE(proceso.Iniciado());
  const std::string nuevo = LeerHost(QOR_PROGRAMA_MARCADOR);
  EscritorPaquete p(1);
  p.Archivo("NODRAX.EXE", nuevo);
  Preparar(p.bytes);

  DetenerProcesosProducto();
  EXPECT_TRUE(InstalarPaquete());

  EXPECT_TRUE(LeerArchivo(nodrax) == nuevo);
  EXPECT_TRUE(consola->Avisos().empty());
  EXPECT_TRUE(proceso.Termino(0));
}

} // namespace

#ifdef _WIN32
namespace {

// A program that is not one of the siblings keeps running; its file stays as it was and
// the user is told which it is.
TEST_F(Instalar, ProgramaEnUsoNombradoEnElAviso) {
  TurnoProcesos turno;
  const std::string otro = "C:\\QOR_Fenestrali_2\\OTRO.EXE";
  CopiarPrograma(QOR_PROGRAMA_ESPERA, otro);
  const std::string viejo = LeerArchivo(otro);
  ProcesoPrueba proceso(otro);
  ASSERT_TRUE(proceso.Iniciado());
  EscritorPaquete p(2);
  p.Archivo("OTRO.EXE", "nuevo").Archivo("libre.txt", "libre");
  Preparar(p.bytes);

  DetenerProcesosProducto();
  EXPECT_FALSE(InstalarPaquete());

  EXPECT_TRUE(LeerArchivo(otro) == viejo);
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\libre.txt"), "libre");
  ASSERT_EQ(consola->Avisos().size(), 1u);
  EXPECT_NE(consola->Avisos()[0].find(otro), std::string::npos);
  EXPECT_FALSE(proceso.Termino(0));
}

} // namespace
#endif
