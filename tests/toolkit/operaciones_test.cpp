#include "ventanas_prueba.h"

#include "toolkit/procedimientos.h"
#include "util/lista.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Clase(HWND ventana) {
  char clase[80] = {};
  GetClassNameA(ventana, clase, sizeof(clase));
  return clase;
}

DWORD Estilo(HWND ventana) {
  return static_cast<DWORD>(GetWindowLongA(ventana, GWL_STYLE));
}
DWORD Extendido(HWND ventana) {
  return static_cast<DWORD>(GetWindowLongA(ventana, GWL_EXSTYLE));
}
HGDIOBJ Fuente(HWND ventana) {
  return reinterpret_cast<HGDIOBJ>(SendMessageA(ventana, WM_GETFONT, 0, 0));
}

// The button class turns BS_USERBUTTON into BS_PUSHBUTTON (as Windows has done since XP).
constexpr DWORD BuscarTipoBoton = BS_TYPEMASK;
// List and combo boxes show their scroll bars only when the items need them.
constexpr DWORD BarrasOcultas = WS_VSCROLL | WS_HSCROLL;

TEST_F(ConPantalla, CadaClaseCreaSuVentanaNativaConSuEstilo) {
  struct Caso {
    SmControl *control;
    int32_t tipo;
    const char *clase;
    DWORD estilo, extendido;
    const char *texto; // copied caption
    bool conFuente;
    // Bits that the native class itself changes after creation, left out of the comparison.
    DWORD nativoEstilo = 0, nativoExtendido = 0;
  } casos[] = {
      {pantalla->AgregarBoton("Aceptar", 10, 10, 80, 25), TipoBoton, "Button", 0x50014008,
       0x00010000, "Aceptar", true, BuscarTipoBoton},
      {pantalla->AgregarCheck("Vidrio", 10, 40, 80, 20), TipoCheck, "Button", 0x50014002,
       0x00010000, "Vidrio", true},
      {pantalla->AgregarOption("Roble", 10, 60, 80, 20), TipoOption, "Button", 0x50014004,
       0x00010000, "Roble", true},
      {pantalla->AgregarFrame("Grupo", 100, 10, 100, 60), TipoFrame, "Button", 0x50014007,
       0x00010000, "Grupo", true},
      {pantalla->AgregarProgress(100, 80, 100, 20), TipoProgress, "msctls_progress32", 0x50000001,
       0x00000200, "", true, 0, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
      {pantalla->AgregarImage("IMAGEN", 210, 10, 64, 32), TipoImage, "Static", 0x5000010E,
       0x00010000, "", false},
      {pantalla->AgregarIcono("ICONO", 280, 10, 32, 32), TipoIcono, "Static", 0x50000103,
       0x00010000, "", false},
      {pantalla->AgregarLabel("Precio", 10, 90, 80, 15, 1), TipoLabel, "Static", 0x5000010B,
       0x00010000, "Precio", true},
      {pantalla->AgregarEdit(10, 110, 80, 20, 2), TipoEdit, "Edit", 0x50010002, 0x00010200, "",
       true},
      {pantalla->AgregarList(10, 140, 80, 80, false), TipoList, "ListBox", 0x503100C3, 0x00010200,
       "", true, BarrasOcultas},
      {pantalla->AgregarCombo(100, 140, 80, 80), TipoCombo, "ComboBox", 0x50210743, 0x00010200, "",
       true, BarrasOcultas, WS_EX_CLIENTEDGE},
      {pantalla->AgregarCalendar(200, 140, 120, 25), TipoCalendar, "SysDateTimePick32", 0x50010010,
       0x00010200, "", true},
      {pantalla->AgregarTab(330, 140, 120, 80), TipoTab, "SysTabControl32", 0x50010000, 0x00010000,
       "", true, WS_CLIPSIBLINGS},
      {pantalla->AgregarTree(10, 230, 120, 80), TipoTree, "SysTreeView32", 0x50000007, 0x00010200,
       "", true},
      {pantalla->AgregarEje(140, 230, 80, 80), TipoEje, "SmPicture", 0x50010000, 0x00010000, "",
       false},
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.clase + std::string(" ") + std::to_string(caso.tipo));
    ASSERT_NE(caso.control, nullptr);
    HWND w = caso.control->ventana;
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(caso.control->tipoControl, caso.tipo);
    EXPECT_STRCASEEQ(Clase(w).c_str(), caso.clase);
    EXPECT_EQ(Estilo(w) & ~caso.nativoEstilo, caso.estilo & ~caso.nativoEstilo)
        << std::hex << Estilo(w);
    EXPECT_EQ(Extendido(w) & ~caso.nativoExtendido, caso.extendido & ~caso.nativoExtendido)
        << std::hex << Extendido(w);
    EXPECT_STREQ(caso.control->texto, caso.texto);
    EXPECT_EQ(GetParent(w), pantalla->ventana);
    EXPECT_EQ(caso.control->ventanaPadre, pantalla->ventana);
    EXPECT_EQ(GetWindowLongA(w, GWL_USERDATA), reinterpret_cast<LONG>(caso.control));
    EXPECT_EQ(GetWindowLongA(w, GWL_WNDPROC), reinterpret_cast<LONG>(procedimientoControl));
    EXPECT_NE(caso.control->procedimientoOriginal, nullptr);
    EXPECT_EQ(Fuente(w) == GetStockObject(DEFAULT_GUI_FONT), caso.conFuente);
    EXPECT_EQ(caso.control->x, 0); // creation does not fill the rectangle
  }
  // The resources named by the picture controls are shown.
  EXPECT_NE(SendMessageA(casos[5].control->ventana, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_NE(SendMessageA(casos[6].control->ventana, STM_GETIMAGE, IMAGE_ICON, 0), 0);
  for (const Caso &caso : casos)
    if (caso.tipo != TipoBoton)
      delete caso.control;
}

TEST_F(ConPantalla, LasAlineacionesDeEtiquetasYEdicionesFueraDeCeroADosSeRechazan) {
  struct Caso {
    int32_t alineacion;
    bool acepta;
    DWORD estiloEdit;
  } casos[] = {{0, true, 0x50010000},
               {1, true, 0x50010001},
               {2, true, 0x50010002},
               {3, false, 0},
               {-1, false, 0}};
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.alineacion);
    int32_t antes = pantalla->cantidadControles;
    Label *etiqueta = pantalla->AgregarLabel("Texto", 0, 0, 50, 15, caso.alineacion);
    Edit *edicion = pantalla->AgregarEdit(0, 20, 50, 20, caso.alineacion);
    ASSERT_EQ(etiqueta != nullptr, caso.acepta);
    ASSERT_EQ(edicion != nullptr, caso.acepta);
    if (!caso.acepta) {
      EXPECT_EQ(pantalla->cantidadControles, antes);
      continue;
    }
    EXPECT_EQ(Estilo(etiqueta->ventana), 0x5000010Bu); // one style for every alignment
    EXPECT_EQ(Estilo(edicion->ventana), caso.estiloEdit);
    delete etiqueta;
    delete edicion;
  }
}

TEST_F(ConPantalla, UnBotonConMapaEIconoRecibeAmbasImagenes) {
  HBITMAP mapa = LoadBitmapA(GetModuleHandleA(nullptr), "IMAGEN");
  HICON icono = LoadIconA(GetModuleHandleA(nullptr), "ICONO");
  ASSERT_NE(mapa, nullptr);
  ASSERT_NE(icono, nullptr);
  struct Caso {
    HBITMAP mapa;
    HICON icono;
    DWORD estilo;
  } casos[] = {
      {mapa, icono, 0x50014088}, {nullptr, icono, 0x50014048}, {mapa, nullptr, 0x50014088}};
  for (const Caso &caso : casos) {
    Boton *boton = pantalla->AgregarBoton("Imagen", 10, 10, 80, 40, caso.mapa, caso.icono);
    EXPECT_EQ(Estilo(boton->ventana) & ~BuscarTipoBoton, caso.estilo & ~BuscarTipoBoton);
    // The button shows the image of its style; it was given the bitmap whenever there is one.
    if (caso.mapa)
      EXPECT_EQ(SendMessageA(boton->ventana, BM_GETIMAGE, IMAGE_BITMAP, 0),
                reinterpret_cast<LRESULT>(caso.mapa));
    else
      EXPECT_EQ(SendMessageA(boton->ventana, BM_GETIMAGE, IMAGE_ICON, 0),
                reinterpret_cast<LRESULT>(caso.icono));
  }
}

TEST_F(ConPantalla, LaListaOrdenadaGuardaElIndiceDeCadaAgregado) {
  List *lista = pantalla->AgregarList(10, 10, 200, 100, false);
  EXPECT_EQ(lista->Seleccion(), -1);
  EXPECT_EQ(lista->ultimoIndice, 0);
  struct Caso {
    const char *texto;
    int32_t indice;
  } casos[] = {{"B", 0}, {"A", 0}, {"C", 2}};
  for (const Caso &caso : casos) {
    EXPECT_EQ(lista->AgregarItem(caso.texto), caso.indice) << caso.texto;
    EXPECT_EQ(lista->ultimoIndice, caso.indice) << caso.texto;
  }
  EXPECT_EQ(lista->CantidadItems(), 3);
  std::vector<std::string> leidos;
  for (int32_t i = 0; i < 3; ++i) {
    char leido[LargoTextoControl] = {};
    SendMessageA(lista->ventana, LB_GETTEXT, i, reinterpret_cast<LPARAM>(leido));
    leidos.push_back(leido);
    EXPECT_STREQ(lista->TextoItem(i), leido);
  }
  EXPECT_EQ(leidos, (std::vector<std::string>{"A", "B", "C"}));

  EXPECT_EQ(lista->Seleccionar(1), 1);
  EXPECT_EQ(lista->Seleccion(), 1);
  EXPECT_STREQ(lista->ReemplazarItem(1, "D"), "D");
  EXPECT_STREQ(lista->TextoItem(1), "D");
  EXPECT_EQ(lista->FijarDatoItem(1, 70000), 70000);
  EXPECT_EQ(lista->DatoItem(1), 70000);
  EXPECT_EQ(lista->BorrarItem(0), 2);
  EXPECT_EQ(lista->BorrarItem(9), -1);
  lista->Vaciar();
  EXPECT_EQ(lista->CantidadItems(), 0);
  delete lista;
}

TEST_F(ConPantalla, LosTextosQueNoCabenSeRechazanSinCortarse) {
  List *lista = pantalla->AgregarList(10, 10, 200, 100, false);
  Label *etiqueta = pantalla->AgregarLabel("Antes", 10, 120, 200, 15, 0);
  std::string justo(149, 'j');
  std::string largo(150, 'L');
  EXPECT_EQ(lista->AgregarItem(justo.c_str()), 0);
  EXPECT_EQ(lista->AgregarItem(largo.c_str()), -1);
  EXPECT_EQ(lista->ultimoIndice, 0);
  EXPECT_EQ(lista->CantidadItems(), 1);
  EXPECT_EQ(lista->ReemplazarItem(0, largo.c_str()), nullptr);
  EXPECT_EQ(std::string(lista->TextoItem(0)), justo);
  // An item added behind the object's back that does not fit, and a missing one, read empty.
  SendMessageA(lista->ventana, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(largo.c_str()));
  EXPECT_STREQ(lista->TextoItem(1), "");
  EXPECT_STREQ(lista->texto, "");
  lista->TextoItem(0);
  EXPECT_STREQ(lista->TextoItem(5), "");

  EXPECT_EQ(etiqueta->FijarTexto(largo.c_str()), nullptr);
  EXPECT_STREQ(etiqueta->texto, "Antes");
  EXPECT_EQ(std::string(etiqueta->FijarTexto(justo.c_str())), justo);
  char leido[300] = {};
  GetWindowTextA(etiqueta->ventana, leido, sizeof(leido));
  EXPECT_EQ(std::string(leido), justo);

  Boton *boton = pantalla->AgregarBoton(largo.c_str(), 10, 140, 80, 25);
  EXPECT_STREQ(boton->texto, "");
  delete lista;
  delete etiqueta;
}

TEST_F(ConPantalla, ElComboOrdenaYSeleccionaComoLaLista) {
  Combo *combo = pantalla->AgregarCombo(10, 10, 200, 100);
  EXPECT_EQ(combo->Seleccion(), -1);
  EXPECT_EQ(combo->AgregarItem("pino"), 0);
  EXPECT_EQ(combo->AgregarItem("cedro"), 0);
  EXPECT_EQ(combo->AgregarItem("roble"), 2);
  EXPECT_EQ(combo->ultimoIndice, 2);
  EXPECT_STREQ(combo->TextoItem(1), "pino");
  EXPECT_EQ(combo->Seleccionar(2), 2);
  EXPECT_EQ(combo->Seleccion(), 2);
  EXPECT_STREQ(combo->ReemplazarItem(0, "alerce"), "alerce");
  EXPECT_STREQ(combo->TextoItem(0), "alerce");
  EXPECT_EQ(combo->CantidadItems(), 3);
  delete combo;
}

// Share of the bar's width painted in the bar's fill colour, read back from the screen.
double Relleno(Progress *barra) {
  RECT cliente;
  GetClientRect(barra->ventana, &cliente);
  HDC dc = GetDC(barra->ventana);
  int fila = cliente.bottom / 2;
  COLORREF relleno = GetPixel(dc, 1, fila); // every case fills the bar's start
  int llenos = 0;
  for (int x = 0; x < cliente.right; ++x)
    llenos += GetPixel(dc, x, fila) == relleno;
  ReleaseDC(barra->ventana, dc);
  return static_cast<double>(llenos) / cliente.right;
}

TEST_F(ConPantalla, LaBarraDeProgresoUsaLimitesDeTreintaYDosBits) {
  Progress *barra = pantalla->AgregarProgress(10, 10, 400, 20);
  Mostrar();
  EXPECT_EQ(barra->minimo, 0);
  EXPECT_EQ(barra->maximo, 0);
  struct Caso {
    int32_t minimo, maximo, posicion;
    double proporcion;
  } casos[] = {
      {0, 3000000, 1500000, 0.5},
      {1000000, 5000000, 2000000, 0.25},
      {0, 100, 75, 0.75},
      {0, 70000, 90000, 1.0}, // clamped into the range
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.maximo);
    EXPECT_EQ(barra->FijarMinimo(caso.minimo), caso.minimo);
    EXPECT_EQ(barra->FijarMaximo(caso.maximo), caso.maximo);
    EXPECT_EQ(barra->FijarPosicion(caso.posicion), caso.posicion);
    PBRANGE rango = {};
    SendMessageA(barra->ventana, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&rango));
    EXPECT_EQ(rango.iLow, caso.minimo);
    EXPECT_EQ(rango.iHigh, caso.maximo);
    double esperada = caso.proporcion;
    EXPECT_EQ(barra->Posicion(),
              caso.minimo + static_cast<int32_t>(esperada * (caso.maximo - caso.minimo)));
    RedrawWindow(barra->ventana, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_NEAR(Relleno(barra), esperada, 0.03);
  }
  delete barra;
}

TEST_F(ConPantalla, MarcarYMarcadoEnChecksYOptions) {
  Check *check = pantalla->AgregarCheck("Check", 10, 10, 80, 20);
  Option *opcion = pantalla->AgregarOption("Option", 10, 40, 80, 20);
  for (bool marca : {true, false, true}) {
    EXPECT_EQ(check->Marcar(marca), marca);
    EXPECT_EQ(check->Marcado(), marca);
    EXPECT_EQ(opcion->Marcar(marca), marca);
    EXPECT_EQ(opcion->Marcado(), marca);
  }
  delete check;
  delete opcion;
}

std::vector<std::string> Hermanos(Tree *arbol, HTREEITEM primero, std::vector<LPARAM> *params) {
  std::vector<std::string> textos;
  for (HTREEITEM item = primero; item;
       item = reinterpret_cast<HTREEITEM>(SendMessageA(arbol->ventana, TVM_GETNEXTITEM, TVGN_NEXT,
                                                       reinterpret_cast<LPARAM>(item)))) {
    char texto[64] = {};
    TVITEMA leido = {};
    leido.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE;
    leido.hItem = item;
    leido.pszText = texto;
    leido.cchTextMax = sizeof(texto);
    SendMessageA(arbol->ventana, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&leido));
    textos.push_back(texto);
    params->push_back(leido.lParam);
  }
  return textos;
}

TEST_F(ConPantalla, LosNodosDelArbolSeNumeranYLosHermanosSeMuestranAlReves) {
  Tree *arbol = pantalla->AgregarTree(10, 10, 200, 200);
  EXPECT_FALSE(arbol->conNodos);
  for (const char *texto : {"uno", "dos", "tres"})
    ASSERT_TRUE(arbol->AgregarNodo(texto, 0));
  ASSERT_TRUE(arbol->AgregarNodo("hija", 2));
  EXPECT_TRUE(arbol->conNodos);
  EXPECT_EQ(arbol->CantidadNodos(), 4);
  EXPECT_EQ(arbol->nodos->cantidad, 4);

  std::vector<LPARAM> params;
  HTREEITEM raiz =
      reinterpret_cast<HTREEITEM>(SendMessageA(arbol->ventana, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  EXPECT_EQ(Hermanos(arbol, raiz, &params), (std::vector<std::string>{"tres", "dos", "uno"}));
  EXPECT_EQ(params, (std::vector<LPARAM>{3, 2, 1}));
  HTREEITEM dos = static_cast<HTREEITEM>(*arbol->nodos->Dato(2));
  HTREEITEM hija = reinterpret_cast<HTREEITEM>(
      SendMessageA(arbol->ventana, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(dos)));
  params.clear();
  EXPECT_EQ(Hermanos(arbol, hija, &params), (std::vector<std::string>{"hija"}));
  EXPECT_EQ(params, (std::vector<LPARAM>{4 + 2 * 65536}));

  // A parent that was never added is refused, and nothing is added.
  for (int32_t padre : {5, 99, -1})
    EXPECT_FALSE(arbol->AgregarNodo("huerfana", padre)) << padre;
  EXPECT_EQ(arbol->CantidadNodos(), 4);

  arbol->VaciarArbol();
  EXPECT_FALSE(arbol->conNodos);
  EXPECT_EQ(arbol->CantidadNodos(), 0);
  EXPECT_EQ(arbol->nodos->cantidad, 0);
  ASSERT_TRUE(arbol->AgregarNodo("otra vez", 0));
  params.clear();
  raiz = reinterpret_cast<HTREEITEM>(SendMessageA(arbol->ventana, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  Hermanos(arbol, raiz, &params);
  EXPECT_EQ(params, (std::vector<LPARAM>{1}));
  delete arbol;
}

TEST_F(ConPantalla, LaBarraDeHerramientasQuedaOcultaHastaMostrarla) {
  Tool *barra = pantalla->AgregarTool(300, 16);
  Mostrar();
  EXPECT_EQ(barra->mapaBits, 300);
  EXPECT_EQ(Extendido(barra->ventana), 0u);
  EXPECT_TRUE(barra->AgregarBotonBarra("Nuevo", 0));
  EXPECT_TRUE(barra->AgregarSeparador());
  EXPECT_TRUE(barra->AgregarBotonBarra("", 2));
  EXPECT_FALSE(IsWindowVisible(barra->ventana));
  barra->MostrarBarra();
  EXPECT_TRUE(IsWindowVisible(barra->ventana));
  EXPECT_EQ(Estilo(barra->ventana) & 0x50800320u, 0x50800320u);
  ASSERT_EQ(SendMessageA(barra->ventana, TB_BUTTONCOUNT, 0, 0), 3);
  struct Caso {
    int comando;
    BYTE estilo;
    int imagen;
    bool conTexto;
  } casos[] = {{201, TBSTYLE_BUTTON, 0, true},
               {202, TBSTYLE_SEP, -1, false},
               {203, TBSTYLE_BUTTON, 2, false}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    TBBUTTON boton = {};
    SendMessageA(barra->ventana, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&boton));
    EXPECT_EQ(boton.idCommand, casos[i].comando);
    EXPECT_EQ(boton.fsStyle, casos[i].estilo);
    EXPECT_EQ(static_cast<int>(boton.dwData), i);
    if (casos[i].estilo == TBSTYLE_BUTTON) {
      EXPECT_EQ(boton.iBitmap, casos[i].imagen);
      EXPECT_EQ(boton.iString == -1, !casos[i].conTexto);
    }
  }
  // The table holds fifty entries, buttons and separators together.
  for (int i = 3; i < Tool::MaximoBotones; ++i)
    ASSERT_TRUE(barra->AgregarSeparador());
  EXPECT_FALSE(barra->AgregarSeparador());
  EXPECT_FALSE(barra->AgregarBotonBarra("Sobra", 0));
  EXPECT_EQ(barra->cantidadBotones, Tool::MaximoBotones);
  delete barra;
}

TEST_F(ConPantalla, LaBarraDeEstadoTieneTresPartes) {
  Status *estado = pantalla->AgregarStatus();
  EXPECT_STRCASEEQ(Clase(estado->ventana).c_str(), "msctls_statusbar32");
  EXPECT_EQ(estado->identificador, 1);
  EXPECT_EQ(GetDlgCtrlID(estado->ventana), 1);
  int bordes[4] = {};
  ASSERT_EQ(SendMessageA(estado->ventana, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(bordes)), 3);
  EXPECT_EQ(bordes[0], 200);
  EXPECT_EQ(bordes[1], 400);
  EXPECT_EQ(bordes[2], 600);
  char texto[] = "Listo";
  estado->EnviarMensaje401(1, reinterpret_cast<LPARAM>(texto));
  char leido[20] = {};
  SendMessageA(estado->ventana, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(leido));
  EXPECT_STREQ(leido, "Listo");
  delete estado;
}

TEST_F(ConPantalla, LaFechaDelCalendarioSeFijaYSeLee) {
  Calendar *calendario = pantalla->AgregarCalendar(10, 10, 150, 25);
  struct Caso {
    const char *texto;
    WORD dia, mes, anio;
    const char *leida;
  } casos[] = {
      {"7/11/2008", 7, 11, 2008, "7/11/2008"},
      {"05/03/2009", 5, 3, 2009, "5/3/2009"},
      {"24/12/2009/1999", 24, 12, 1999,
       "24/12/1999"}, // a later part is dropped, the last is the year
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.texto);
    EXPECT_STREQ(calendario->FijarFecha(caso.texto), caso.texto);
    SYSTEMTIME hora = {};
    SendMessageA(calendario->ventana, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&hora));
    EXPECT_EQ(hora.wDay, caso.dia);
    EXPECT_EQ(hora.wMonth, caso.mes);
    EXPECT_EQ(hora.wYear, caso.anio);
    EXPECT_STREQ(calendario->LeerFecha(), caso.leida);
  }
  // A part longer than 14 characters does not fit the scratch: refused, the date stays.
  EXPECT_EQ(calendario->FijarFecha("1/2/000000000000002010"), nullptr);
  EXPECT_STREQ(calendario->LeerFecha(), "24/12/1999");
  delete calendario;
}

TEST_F(ConPantalla, LasPestanasSeAgreganYSeleccionan) {
  Tab *pestanas = pantalla->AgregarTab(10, 10, 300, 100);
  EXPECT_EQ(pestanas->AgregarPestana("Obras"), 0);
  EXPECT_EQ(pestanas->AgregarPestana("Precios"), 1);
  EXPECT_EQ(pestanas->cantidadPestanas, 2);
  EXPECT_EQ(pestanas->SeleccionarPestana(1), 0);
  EXPECT_EQ(pestanas->PestanaSeleccionada(), 1);
  char texto[20] = {};
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = texto;
  item.cchTextMax = sizeof(texto);
  SendMessageA(pestanas->ventana, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(texto, "Precios");
  delete pestanas;
}

TEST_F(ConPantalla, OperacionesComunesSobreLaVentanaDelControl) {
  Boton *boton = pantalla->AgregarBoton("Mover", 10, 10, 80, 25);
  Edit *edicion = pantalla->AgregarEdit(10, 50, 100, 20, 0);
  Mostrar();
  EXPECT_FALSE(boton->Habilitar(false));
  EXPECT_FALSE(IsWindowEnabled(boton->ventana));
  EXPECT_TRUE(boton->Habilitar(true));
  EXPECT_TRUE(IsWindowEnabled(boton->ventana));

  for (bool visible : {false, true}) {
    EXPECT_EQ(boton->FijarVisible(visible), visible);
    EXPECT_EQ(boton->Visible(), visible);
    EXPECT_EQ(IsWindowVisible(boton->ventana) != 0, visible);
  }

  EXPECT_TRUE(boton->Mover(30, 40, 120, 35));
  POINT origen = {0, 0};
  ClientToScreen(pantalla->ventana, &origen);
  EXPECT_EQ(boton->LeerX(), origen.x + 30);
  EXPECT_EQ(boton->LeerY(), origen.y + 40);
  EXPECT_EQ(boton->LeerAncho(), 120);
  EXPECT_EQ(boton->LeerAlto(), 35);

  edicion->Enfocar();
  EXPECT_EQ(boton->Enfocar(), edicion->ventana);
  EXPECT_EQ(GetFocus(), boton->ventana);

  SetWindowTextA(edicion->ventana, "Hoja doble");
  EXPECT_STREQ(edicion->LeerTexto(), "Hoja doble");
  SetWindowTextA(edicion->ventana, std::string(150, 'x').c_str());
  EXPECT_STREQ(edicion->LeerTexto(), ""); // does not fit: not read, not cut
  EXPECT_EQ(edicion->SeleccionarTexto(0, 4), 1);
  delete edicion;
}

TEST_F(ConPantalla, BorrarUnControlDespuesDeSuPantallaNoEsFalla) {
  Label *etiqueta = pantalla->AgregarLabel("Queda", 10, 10, 80, 15, 0);
  List *lista = pantalla->AgregarList(10, 30, 80, 80, false);
  pantalla->Destruir();
  VaciarCola();
  EXPECT_EQ(etiqueta->ventana, nullptr);
  // Operations on a control whose window is gone have no effect.
  EXPECT_EQ(etiqueta->Enfocar(), nullptr);
  EXPECT_EQ(lista->ventana, nullptr);
  EXPECT_EQ(lista->AgregarItem("nada"), 0);
  EXPECT_EQ(lista->CantidadItems(), 0);
  EXPECT_EQ(etiqueta->FijarTexto("Sigue"), etiqueta->texto);
  delete etiqueta;
  delete lista;
}

} // namespace
