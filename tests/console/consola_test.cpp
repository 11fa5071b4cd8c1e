// The real console program, driven from outside under Wine: its window as laid out, the
// backup commands through its buttons and message boxes, the busy state, and ending.
#include "captura.h"
#include "consola_en_marcha.h"
#include "servidor_http.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

std::vector<std::pair<std::string, std::string>> TresObras() {
  return {{"Casa Gomez.obr", "obra uno: ventana corrediza 1500 x 1200"},
          {"Oficina Paz.obr", std::string(5000, 'p') + "fin"},
          {"Vacia.obr", ""}};
}

const std::string kObras = "C:\\QOR_Fenestrali_2\\Obras\\";
const std::string kData = "C:\\QOR_Fenestrali_2\\Data\\";
const std::string kBK = "C:\\QOR_Fenestrali_2\\BK\\";

// The display name of an archive file name: first two '-' to '/', the rest to ':', no extension.
std::string Visible(std::string nombre) {
  int guiones = 0;
  for (char &c : nombre)
    if (c == '-')
      c = ++guiones <= 2 ? '/' : ':';
  return nombre.substr(0, nombre.find('.'));
}

// No is the default button of a question.
bool NoPorDefecto(HWND pregunta) {
  LONG no = GetWindowLongA(GetDlgItem(pregunta, IDNO), GWL_STYLE);
  LONG si = GetWindowLongA(GetDlgItem(pregunta, IDYES), GWL_STYLE);
  return (no & BS_TYPEMASK) == BS_DEFPUSHBUTTON && (si & BS_TYPEMASK) == BS_PUSHBUTTON;
}

class Consola : public ConsolaEnMarcha {};

} // namespace

TEST_F(Consola, VentanaYControlesComoSeDisenaron) {
  PrepararInstalacion(TresObras());
  EscribirArchivo(kBK + "Obras y Precios Fecha 05-03-2019 Hora 14-07-09.smbk", "x");
  EscribirArchivo(kBK + "Precios Fecha 31-12-2019 Hora 09-05-03.smbk", "x");
  ASSERT_TRUE(Arrancar());

  struct Esperado {
    int id;
    const char *clase;
    const char *texto;
    int x, y, ancho, alto;
    LONG estilo, extendido;
  };
  const Esperado controles[] = {
      {1, "Static",
       "Si el programa está funcionando en red las copias de seguridad deben crearse y restaurarse "
       "en la PC servidor.",
       20, 20, 550, 15, 0x5000010B, 0x00010000},
      {2, "Static",
       "La actualización crea una copia de seguridad de obras y precios en forma automática.", 20,
       35, 550, 15, 0x5000010B, 0x00010000},
      {3, "ListBox", "", 20, 60, 350, 230, 0x503100C3, 0x00010200},
      {4, "Button", "Crear Copia de Obras", 380, 60, 170, 33, 0x50014008, 0x00010000},
      {5, "Button", "Crear Copia de Precios", 380, 100, 170, 33, 0x50014008, 0x00010000},
      {6, "Button", "Crear Copia Completa", 380, 140, 170, 33, 0x50014008, 0x00010000},
      {7, "Button", "Restaurar la Copia Seleccionada", 380, 180, 170, 33, 0x50014008, 0x00010000},
      {8, "Button", "Eliminar la Copia Seleccionada", 380, 220, 170, 33, 0x50014008, 0x00010000},
      {9, "Button", "Actualizar", 380, 300, 170, 33, 0x50014008, 0x00010000},
      {10, "Static", "...", 25, 295, 525, 15, 0x5000010B, 0x00010000},
      {11, "msctls_progress32", "", 20, 310, 350, 20, 0x50000001, 0x00000200},
  };
  for (const auto &e : controles) {
    SCOPED_TRACE("control " + std::to_string(e.id));
    HWND c = Control(e.id);
    ASSERT_NE(c, nullptr);
    char clase[80] = {0};
    GetClassNameA(c, clase, sizeof clase);
    EXPECT_EQ(lstrcmpiA(clase, e.clase), 0) << clase;
    EXPECT_EQ(Texto(e.id), e.texto);
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, Ventana(), reinterpret_cast<POINT *>(&r), 2);
    EXPECT_EQ(r.left, e.x);
    EXPECT_EQ(r.top, e.y);
    EXPECT_EQ(r.right - r.left, e.ancho);
    LONG estilo = GetWindowLongA(c, GWL_STYLE), extendido = GetWindowLongA(c, GWL_EXSTYLE);
    if (e.id == kListaCopias) {
      // The list box keeps a whole number of rows, and shows its scroll bars (and their
      // style bits) only while they are needed: see the listing test.
      const LONG fila = static_cast<LONG>(SendMessageA(c, LB_GETITEMHEIGHT, 0, 0));
      EXPECT_LE(r.bottom - r.top, e.alto);
      EXPECT_GT(r.bottom - r.top, e.alto - fila);
      EXPECT_EQ(estilo & ~(WS_VSCROLL | WS_HSCROLL), e.estilo & ~(WS_VSCROLL | WS_HSCROLL));
    } else if (e.id >= kBotonObras && e.id <= kBotonActualizar) {
      EXPECT_EQ(r.bottom - r.top, e.alto);
      // Wine's button turns the obsolete BS_USERBUTTON into BS_PUSHBUTTON when it is made.
      EXPECT_EQ(estilo & ~BS_TYPEMASK, e.estilo & ~BS_TYPEMASK);
      EXPECT_TRUE((estilo & BS_TYPEMASK) == BS_USERBUTTON ||
                  (estilo & BS_TYPEMASK) == BS_PUSHBUTTON)
          << std::hex << estilo;
    } else {
      EXPECT_EQ(r.bottom - r.top, e.alto);
      EXPECT_EQ(estilo, e.estilo);
    }
    if (e.id == kBarraProgreso) {
      // The bar swaps the client edge it was made with for its own (none with visual styles).
      EXPECT_EQ(extendido & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0);
    } else {
      EXPECT_EQ(extendido, e.extendido);
    }
  }
  EXPECT_EQ(GetDlgItem(Ventana(), 12), nullptr) << "eleven controls, no more";

  // The accented letters reach the ANSI API as Windows-1252 bytes.
  EXPECT_NE(Texto(kEtiquetaRed).find("est\xE1 funcionando"), std::string::npos);
  EXPECT_NE(Texto(kEtiquetaActualizacion).find("actualizaci\xF3n crea"), std::string::npos);
  EXPECT_NE(Texto(kEtiquetaActualizacion).find("autom\xE1tica."), std::string::npos);

  // The screen: title, class, dialog style, 580 x 400 centred on the display.
  EXPECT_EQ(Texto(0), "Consola QOR_Fenestrali_2");
  char clase[80] = {0};
  GetClassNameA(Ventana(), clase, sizeof clase);
  EXPECT_STREQ(clase, "SmDialogo");
  LONG estilo = GetWindowLongA(Ventana(), GWL_STYLE);
  EXPECT_EQ(estilo & (WS_SYSMENU | WS_CAPTION), WS_SYSMENU | WS_CAPTION);
  EXPECT_EQ(estilo & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0);
  EXPECT_EQ(GetWindowLongA(Ventana(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
  EXPECT_EQ(GetMenu(Ventana()), nullptr);
  EXPECT_EQ(GetWindow(Ventana(), GW_OWNER), nullptr);
  HDC pantalla = GetDC(nullptr);
  const int ancho = GetDeviceCaps(pantalla, HORZRES), alto = GetDeviceCaps(pantalla, VERTRES);
  ReleaseDC(nullptr, pantalla);
  RECT r;
  GetWindowRect(Ventana(), &r);
  EXPECT_EQ(r.left, ancho / 2 - 290);
  EXPECT_EQ(r.top, alto / 2 - 200);
  EXPECT_EQ(r.right - r.left, 580);
  EXPECT_EQ(r.bottom - r.top, 400);
  if (ancho == 1024 && alto == 768) {
    EXPECT_EQ(r.left, 222);
    EXPECT_EQ(r.top, 184);
  }

  // The first focus is on the first label.
  GUITHREADINFO hilo{};
  hilo.cbSize = sizeof hilo;
  ASSERT_TRUE(GetGUIThreadInfo(proceso_.dwThreadId, &hilo));
  EXPECT_EQ(hilo.hwndFocus, Control(kEtiquetaRed));

  // The bar starts with the native default range and position 0.
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETPOS, 0, 0), 0);

  // The window as the user sees it, kept beside the test program for a person to look at.
  SetForegroundWindow(Ventana());
  Sleep(500);
  EXPECT_TRUE(GuardarCaptura(Ventana(), RutaWindows(QOR_CAPTURA_PNG)));
}

TEST_F(Consola, SinInstalacionAvisaYAbreConLaListaVacia) {
  ASSERT_TRUE(Arrancar(false));
  HWND aviso = EsperarAviso();
  ASSERT_NE(aviso, nullptr);
  EXPECT_EQ(TextoAviso(aviso), "El programa no est\xE1 instalado");
  Responder(aviso, IDOK);
  ASSERT_TRUE(EsperarVentana());
  EXPECT_TRUE(Lista().empty());
  EXPECT_EQ(Seleccion(), -1);

  // A backup asked for without an installation: the same notice, nothing made or listed.
  Pulsar(kBotonCompleta);
  aviso = EsperarAviso();
  ASSERT_NE(aviso, nullptr);
  EXPECT_EQ(TextoAviso(aviso), "El programa no est\xE1 instalado");
  Responder(aviso, IDOK);
  ASSERT_TRUE(EsperarInactiva());
  EXPECT_TRUE(Lista().empty());
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2"));
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

TEST_F(Consola, ListaLasCopiasOrdenadasYSeleccionaLaPrimera) {
  PrepararInstalacion(TresObras());
  EscribirArchivo(kBK + "Precios Fecha 31-12-2019 Hora 09-05-03.smbk", "x");
  EscribirArchivo(kBK + "Obras Fecha 10-10-2020 Hora 10-10-10.smbk", "x");
  EscribirArchivo(kBK + "Obras y Precios Fecha 05-03-2019 Hora 14-07-09.smbk", "x");
  ASSERT_TRUE(Arrancar());
  EXPECT_EQ(Lista(), (std::vector<std::string>{"Obras Fecha 10/10/2020 Hora 10:10:10",
                                               "Obras y Precios Fecha 05/03/2019 Hora 14:07:09",
                                               "Precios Fecha 31/12/2019 Hora 09:05:03"}));
  EXPECT_EQ(Seleccion(), 0);
  EXPECT_EQ(GetWindowLongA(Control(kListaCopias), GWL_STYLE) & WS_VSCROLL, 0);
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);

  // More backups than rows: the list shows its vertical scroll bar.
  for (int dia = 1; dia <= 28; ++dia) {
    char nombre[64];
    std::snprintf(nombre, sizeof nombre, "Obras Fecha %02d-01-2021 Hora 08-00-00.smbk", dia);
    EscribirArchivo(kBK + nombre, "x");
  }
  ASSERT_TRUE(Arrancar());
  EXPECT_EQ(Lista().size(), 31u);
  EXPECT_EQ(Lista()[0], "Obras Fecha 01/01/2021 Hora 08:00:00");
  EXPECT_EQ(Seleccion(), 0);
  EXPECT_NE(GetWindowLongA(Control(kListaCopias), GWL_STYLE) & WS_VSCROLL, 0);
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

TEST_F(Consola, CopiaCompletaQuedaEnSuLugarOrdenadoYSeleccionada) {
  PrepararInstalacion(TresObras());
  EscribirArchivo(kBK + "Obras Fecha 10-10-2020 Hora 10-10-10.smbk", "x");
  EscribirArchivo(kBK + "Precios Fecha 31-12-2019 Hora 09-05-03.smbk", "x");
  ASSERT_TRUE(Arrancar());
  ASSERT_EQ(Lista().size(), 2u);

  Pulsar(kBotonCompleta);
  ASSERT_TRUE(EsperarCantidad(3));
  ASSERT_TRUE(EsperarInactiva());

  std::vector<std::string> archivos = Archivos();
  ASSERT_EQ(archivos.size(), 3u);
  const std::string nueva = archivos[1];
  EXPECT_EQ(nueva.rfind("Obras y Precios Fecha ", 0), 0u) << nueva;
  EXPECT_TRUE(ArchivoCompleto(nueva));
  // Three job files and 24 tables: the archive holds every byte of them.
  std::string archivo = LeerArchivo(kBK + nueva);
  for (const auto &[nombre, contenido] : TresObras())
    EXPECT_NE(archivo.find(contenido), std::string::npos) << nombre;
  EXPECT_NE(archivo.find(ContenidoTabla("Vidrios.tbl", 64)), std::string::npos);

  std::vector<std::string> lista = Lista();
  EXPECT_EQ(lista[1], Visible(nueva));
  EXPECT_EQ(Seleccion(), 1);
  // The bar ends full over n + 24 files.
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETRANGE, FALSE, 0), 27);
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETPOS, 0, 0), 27);

  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

TEST_F(Consola, RestaurarConSiHaceLaCopiaDeSeguridadYDevuelveLosArchivos) {
  // Tables big enough that the archive passes 65535 bytes: the bar's range is 32-bit.
  PrepararInstalacion(TresObras(), 4000);
  ASSERT_TRUE(Arrancar());
  Pulsar(kBotonCompleta);
  ASSERT_TRUE(EsperarCantidad(1));
  ASSERT_TRUE(EsperarInactiva());
  const std::string original = Archivos().at(0);
  const std::size_t largo = LeerArchivo(kBK + original).size();
  ASSERT_GT(largo, 65535u);

  // Change the installation after the backup.
  EscribirArchivo(kObras + "Casa Gomez.obr", "cambiada");
  ASSERT_EQ(std::remove(Local(kObras + "Oficina Paz.obr").c_str()), 0);
  EscribirArchivo(kObras + "Nueva.obr", "hecha despues de la copia");
  EscribirArchivo(kData + "Clientes.dft", "clientes cambiados");
  // A new archive name needs a new clock second.
  Sleep(1100);

  Pulsar(kBotonRestaurar);
  HWND pregunta = EsperarAviso();
  ASSERT_NE(pregunta, nullptr);
  EXPECT_EQ(TextoAviso(pregunta), "Confirma restaurar la copia de seguridad...?");
  EXPECT_TRUE(NoPorDefecto(pregunta));
  for (int id : kComandos)
    EXPECT_FALSE(Habilitado(id)) << "control " << id << " enabled while a command runs";
  Responder(pregunta, IDYES);
  HWND aviso = EsperarAviso();
  ASSERT_NE(aviso, nullptr);
  EXPECT_EQ(TextoAviso(aviso),
            "Se crear\xE1 una copia del estado actual para que pueda deshacer los cambios.");
  Responder(aviso, IDOK);
  ASSERT_TRUE(EsperarCantidad(2));
  ASSERT_TRUE(EsperarInactiva());

  // Files back as they were; the one made later is gone from the jobs folder...
  for (const auto &[nombre, contenido] : TresObras())
    EXPECT_EQ(LeerArchivo(kObras + nombre), contenido) << nombre;
  EXPECT_FALSE(Existe(kObras + "Nueva.obr"));
  EXPECT_EQ(LeerArchivo(kData + "Clientes.dft"), ContenidoTabla("Clientes.dft", 4000));
  // ...and kept in the safety copy, which is listed and selected.
  std::vector<std::string> archivos = Archivos();
  ASSERT_EQ(archivos.size(), 2u);
  const std::string seguridad = archivos[0] == original ? archivos[1] : archivos[0];
  EXPECT_TRUE(ArchivoCompleto(seguridad));
  EXPECT_NE(LeerArchivo(kBK + seguridad).find("hecha despues de la copia"), std::string::npos);
  EXPECT_EQ(LeerArchivo(kBK + original).size(), largo) << "the archive read is left unchanged";
  std::vector<std::string> lista = Lista();
  ASSERT_EQ(lista.size(), 2u);
  ASSERT_GE(Seleccion(), 0);
  EXPECT_EQ(lista[Seleccion()], Visible(seguridad));

  EXPECT_EQ(Texto(kEtiquetaEstado), "Restaurando Copia de Seguridad..." + std::string(35, ' '));
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETRANGE, FALSE, 0),
            static_cast<LRESULT>(largo));
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETPOS, 0, 0), static_cast<LRESULT>(largo));

  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

TEST_F(Consola, ResponderNoDejaTodoComoEstaba) {
  PrepararInstalacion(TresObras());
  const std::string copia = "Obras Fecha 10-10-2020 Hora 10-10-10.smbk";
  EscribirArchivo(kBK + copia, "no es un archivo de copia");
  ASSERT_TRUE(Arrancar());

  struct Caso {
    int boton;
    const char *pregunta;
  };
  const Caso casos[] = {
      {kBotonRestaurar, "Confirma restaurar la copia de seguridad...?"},
      {kBotonEliminar, "Confirma eliminar la copia de seguridad...?"},
  };
  for (const auto &caso : casos) {
    SCOPED_TRACE(caso.pregunta);
    Pulsar(caso.boton);
    HWND pregunta = EsperarAviso();
    ASSERT_NE(pregunta, nullptr);
    EXPECT_EQ(TextoAviso(pregunta), caso.pregunta);
    EXPECT_EQ(GetDlgItem(pregunta, IDOK), nullptr);
    EXPECT_TRUE(NoPorDefecto(pregunta));
    for (int id : kComandos)
      EXPECT_FALSE(Habilitado(id)) << "control " << id;
    Responder(pregunta, IDNO);
    ASSERT_TRUE(EsperarInactiva());
    EXPECT_EQ(Archivos(), std::vector<std::string>{copia});
    EXPECT_EQ(LeerArchivo(kBK + copia), "no es un archivo de copia");
    EXPECT_EQ(Lista(), std::vector<std::string>{Visible(copia)});
    EXPECT_EQ(Seleccion(), 0);
    for (const auto &[nombre, contenido] : TresObras())
      EXPECT_EQ(LeerArchivo(kObras + nombre), contenido);
  }
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

TEST_F(Consola, EliminarConSiBorraElArchivoYLaEntrada) {
  PrepararInstalacion(TresObras());
  const std::string primera = "Obras Fecha 10-10-2020 Hora 10-10-10.smbk";
  const std::string segunda = "Precios Fecha 31-12-2019 Hora 09-05-03.smbk";
  EscribirArchivo(kBK + primera, "a");
  EscribirArchivo(kBK + segunda, "b");
  ASSERT_TRUE(Arrancar());

  Pulsar(kBotonEliminar);
  HWND pregunta = EsperarAviso();
  ASSERT_NE(pregunta, nullptr);
  Responder(pregunta, IDYES);
  ASSERT_TRUE(EsperarCantidad(1));
  ASSERT_TRUE(EsperarInactiva());
  EXPECT_EQ(Archivos(), std::vector<std::string>{segunda});
  EXPECT_EQ(Lista(), std::vector<std::string>{Visible(segunda)});
  EXPECT_EQ(Seleccion(), 0);

  // The last one: the list ends empty, nothing selected.
  Pulsar(kBotonEliminar);
  pregunta = EsperarAviso();
  ASSERT_NE(pregunta, nullptr);
  Responder(pregunta, IDYES);
  ASSERT_TRUE(EsperarCantidad(0));
  ASSERT_TRUE(EsperarInactiva());
  EXPECT_TRUE(Archivos().empty());
  EXPECT_EQ(Seleccion(), -1);

  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

TEST_F(Consola, BotonesDeshabilitadosMientrasCreaUnaCopia) {
  std::vector<std::pair<std::string, std::string>> muchas;
  for (int i = 0; i < 300; ++i)
    muchas.push_back(
        {"Obra " + std::to_string(i) + ".obr", std::string(20000, char('a' + i % 26))});
  PrepararInstalacion(muchas);
  ASSERT_TRUE(Arrancar());

  Pulsar(kBotonObras);
  bool vistoOcupado = false;
  for (int i = 0; i < 20000 && !vistoOcupado; ++i) {
    bool todos = true;
    for (int id : kComandos)
      todos = todos && !Habilitado(id);
    vistoOcupado = todos;
  }
  EXPECT_TRUE(vistoOcupado) << "the seven command controls were never seen disabled together";
  // A second click while busy reaches a disabled button and starts nothing.
  Pulsar(kBotonPrecios);
  ASSERT_TRUE(EsperarCantidad(1));
  ASSERT_TRUE(EsperarInactiva());
  Sleep(300);
  EXPECT_EQ(Lista().size(), 1u);
  ASSERT_EQ(Archivos().size(), 1u);
  EXPECT_EQ(Archivos()[0].rfind("Obras Fecha ", 0), 0u);
  EXPECT_TRUE(ArchivoCompleto(Archivos()[0]));
  EXPECT_EQ(SendMessageA(Control(kBarraProgreso), PBM_GETPOS, 0, 0), 304);

  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

// Closing the window while a backup is being written: the quit message is taken by the
// command's pump, yet the program ends once the command has finished, with exit code 0 and
// the archive complete (never a half-written one left behind), listed at the next start.
TEST_F(Consola, CerrarDuranteUnaCopiaTerminaLimpio) {
  std::vector<std::pair<std::string, std::string>> muchas;
  for (int i = 0; i < 300; ++i)
    muchas.push_back(
        {"Obra " + std::to_string(i) + ".obr", std::string(20000, char('a' + i % 26))});
  PrepararInstalacion(muchas);
  ASSERT_TRUE(Arrancar());

  Pulsar(kBotonCompleta);
  bool ocupado = false;
  for (int i = 0; i < 20000 && !ocupado; ++i)
    ocupado = !Habilitado(kBotonCompleta);
  ASSERT_TRUE(ocupado);
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);

  std::vector<std::string> archivos = Archivos();
  ASSERT_LE(archivos.size(), 1u);
  for (const auto &a : archivos)
    EXPECT_TRUE(ArchivoCompleto(a)) << a;
  ASSERT_TRUE(Arrancar());
  std::vector<std::string> lista = Lista();
  ASSERT_EQ(lista.size(), archivos.size());
  if (!archivos.empty()) {
    EXPECT_EQ(lista[0], Visible(archivos[0]));
  }
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

// The same while a command waits on one of its message boxes: the box's own loop sees the
// quit, the command goes on to the end, and the program still ends with code 0.
TEST_F(Consola, CerrarConUnAvisoAbiertoTerminaLaRestauracionYSale) {
  PrepararInstalacion(TresObras());
  ASSERT_TRUE(Arrancar());
  Pulsar(kBotonCompleta);
  ASSERT_TRUE(EsperarCantidad(1));
  ASSERT_TRUE(EsperarInactiva());
  EscribirArchivo(kObras + "Casa Gomez.obr", "cambiada");
  Sleep(1100);

  Pulsar(kBotonRestaurar);
  HWND pregunta = EsperarAviso();
  ASSERT_NE(pregunta, nullptr);
  Responder(pregunta, IDYES);
  ASSERT_NE(EsperarAviso(), nullptr);
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
  // A box that the window's closing ended counts as answered: the restore went through.
  EXPECT_EQ(LeerArchivo(kObras + "Casa Gomez.obr"), TresObras()[0].second);
  for (const auto &a : Archivos())
    EXPECT_TRUE(ArchivoCompleto(a)) << a;
}

TEST_F(Consola, CerrarSinComandoTerminaConCodigoCero) {
  PrepararInstalacion(TresObras());
  ASSERT_TRUE(Arrancar());
  // Alt+F4 and the system menu's Close reach the window as this.
  PostMessageA(Ventana(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(EsperarFin(), 0);
}

// The update button with no update server answering: the command makes its safety copy
// (listed and selected), tells the user, says that the product will open, and leaves the
// busy state. Every box is answered with OK, whatever the server did.
TEST_F(Consola, ActualizarSinServidorHaceLaCopiaYAvisa) {
  PrepararInstalacion(TresObras());
  ASSERT_TRUE(Arrancar());
  Pulsar(kBotonActualizar);
  std::vector<std::string> avisos;
  for (HWND aviso = EsperarAviso(); aviso; aviso = EsperarAviso(5000)) {
    avisos.push_back(TextoAviso(aviso));
    if (avisos.size() == 1) {
      for (int id : kComandos)
        EXPECT_FALSE(Habilitado(id)) << "control " << id;
    }
    Responder(aviso, IDOK);
  }
  ASSERT_TRUE(EsperarInactiva());
  ASSERT_FALSE(avisos.empty());
  EXPECT_EQ(avisos.back(),
            "Se abrir\xE1 QOR_Fenestrali_2 para terminar de configurar la actualizaci\xF3n");
  std::vector<std::string> archivos = Archivos();
  ASSERT_EQ(archivos.size(), 1u);
  EXPECT_EQ(archivos[0].rfind("Obras y Precios Fecha ", 0), 0u);
  EXPECT_TRUE(ArchivoCompleto(archivos[0]));
  EXPECT_EQ(Lista(), std::vector<std::string>{Visible(archivos[0])});
  EXPECT_EQ(Seleccion(), 0);
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

// A whole update through the window, from a server on the address the program was built
// with: the safety backup, the package from the publisher's tool installed, the user's
// tables withdrawn from iData (other files kept), no download left behind, and the notice.
TEST_F(Consola, ActualizarDescargaEInstalaDesdeElServidor) {
  ServidorHttp servidor(8765);
  ASSERT_TRUE(servidor.Activo()) << "port 8765 is taken";
  const std::string datos = QOR_DATOS_ACTUALIZACION;
  servidor.Publicar("/QOR_Fenestrali_2.smx",
                    ServidorHttp::Respuesta{200, "", datos + "\\actualizacion.smx"});
  PrepararInstalacion(TresObras());
  EscribirArchivo(kData + "iData\\Clientes.dft", "tabla del usuario");
  EscribirArchivo(kData + "iData\\Propia.txt", "se queda");
  EscribirArchivo("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.exe", std::string(9000, 'v'));
  ASSERT_TRUE(Arrancar());
  Pulsar(kBotonActualizar);
  std::vector<std::string> avisos;
  for (HWND aviso = EsperarAviso(); aviso; aviso = EsperarAviso(5000)) {
    avisos.push_back(TextoAviso(aviso));
    Responder(aviso, IDOK);
  }
  ASSERT_TRUE(EsperarInactiva());
  EXPECT_EQ(avisos, std::vector<std::string>{"Se abrir\xE1 QOR_Fenestrali_2 para terminar de "
                                             "configurar la actualizaci\xF3n"});
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.exe"),
            LeerArchivo(datos + "\\arbol\\QOR_Fenestrali_2.exe"));
  EXPECT_EQ(LeerArchivo("C:\\QOR_Fenestrali_2\\Marcas\\QOR\\leeme.txt"),
            LeerArchivo(datos + "\\arbol\\Marcas\\QOR\\leeme.txt"));
  EXPECT_FALSE(Existe(kData + "iData\\Clientes.dft"));
  EXPECT_EQ(LeerArchivo(kData + "iData\\Propia.txt"), "se queda");
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx"));
  EXPECT_FALSE(Existe("C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.cab"));
  std::vector<std::string> archivos = Archivos();
  ASSERT_EQ(archivos.size(), 1u);
  EXPECT_TRUE(ArchivoCompleto(archivos[0]));
  EXPECT_EQ(Lista(), std::vector<std::string>{Visible(archivos[0])});
  EXPECT_EQ(Seleccion(), 0);
  EXPECT_EQ(servidor.Solicitudes().size(), 2u);
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}

// The Tab key walks the focus from the first label to the list, along the buttons in
// order, and from the last button back to the first label (labels and the bar are skipped).
TEST_F(Consola, TabRecorreLaListaYLosBotones) {
  PrepararInstalacion(TresObras());
  ASSERT_TRUE(Arrancar());
  const int recorrido[] = {kEtiquetaRed,   kListaCopias,     kBotonObras,
                           kBotonPrecios,  kBotonCompleta,   kBotonRestaurar,
                           kBotonEliminar, kBotonActualizar, kEtiquetaRed};
  auto foco = [&] {
    GUITHREADINFO hilo{};
    hilo.cbSize = sizeof hilo;
    GetGUIThreadInfo(proceso_.dwThreadId, &hilo);
    return hilo.hwndFocus;
  };
  ASSERT_EQ(foco(), Control(recorrido[0]));
  for (std::size_t i = 1; i < std::size(recorrido); ++i) {
    SCOPED_TRACE("Tab from control " + std::to_string(recorrido[i - 1]));
    PostMessageA(Control(recorrido[i - 1]), WM_KEYDOWN, VK_TAB, 0x000F0001);
    PostMessageA(Control(recorrido[i - 1]), WM_KEYUP, VK_TAB, 0xC00F0001);
    for (int espera = 0; espera < 100 && foco() != Control(recorrido[i]); ++espera)
      Sleep(20);
    EXPECT_EQ(foco(), Control(recorrido[i]));
  }
  CerrarVentana();
  EXPECT_EQ(EsperarFin(), 0);
}
