#include "ventanas_prueba.h"

#include "util/lista.h"

#include <commctrl.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace {

// The console's window: two labels, the sorted list, six buttons, the status label and the bar.
class ConConsola : public ConPantalla {
protected:
  void SetUp() override {
    ConPantalla::SetUp();
    pantalla->AgregarLabel("Si el programa está funcionando en red...", 20, 20, 550, 15, 0);
    pantalla->AgregarLabel("La actualización crea una copia...", 20, 35, 550, 15, 0);
    pantalla->AgregarList(20, 60, 350, 230, false);
    const char *botones[] = {"Crear Copia de Obras",           "Crear Copia de Precios",
                             "Crear Copia Completa",           "Restaurar la Copia Seleccionada",
                             "Eliminar la Copia Seleccionada", "Actualizar"};
    int y[] = {60, 100, 140, 180, 220, 300};
    for (int i = 0; i < 6; ++i)
      pantalla->AgregarBoton(botones[i], 380, y[i], 170, 33);
    pantalla->AgregarLabel("...", 25, 295, 525, 15, 0);
    pantalla->AgregarProgress(20, 310, 350, 20);
    ASSERT_EQ(pantalla->cantidadControles, 11);
    Mostrar();
  }
  void TearDown() override {
    for (int32_t id = 1; id <= pantalla->cantidadControles; ++id)
      if (pantalla->controles[id]->tipoControl != TipoBoton)
        delete pantalla->controles[id];
    ConPantalla::TearDown();
  }
  HWND Ventana(int32_t id) { return pantalla->controles[id]->ventana; }
};

TEST_F(ConConsola, ElTabuladorRecorreLosControlesQueTomanElFoco) {
  struct Caso {
    int32_t desde, hasta;
  } casos[] = {{1, 3}, {2, 3}, {3, 4}, {4, 5}, {8, 9}, {9, 1}, {10, 1}, {11, 1}};
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.desde);
    SetFocus(Ventana(caso.desde));
    SendMessageA(Ventana(caso.desde), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), Ventana(caso.hasta));
  }
  // The screen itself sends Tab to control 1.
  SetFocus(Ventana(5));
  SendMessageA(pantalla->ventana, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), Ventana(1));
}

TEST_F(ConConsola, OtrasTeclasNoMuevenElFocoYLleganAlGancho) {
  pantalla->controles[4]->alPulsarTecla = Anotar<gPulsarTecla>;
  pantalla->controles[4]->alSoltarTecla = Anotar<gSoltarTecla>;
  SetFocus(Ventana(4));
  SendMessageA(Ventana(4), WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(Ventana(4), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(GetFocus(), Ventana(4));
  ASSERT_EQ(Llamadas().size(), 2u);
  EXPECT_EQ(Llamadas()[0].gancho, gPulsarTecla);
  EXPECT_EQ(Llamadas()[0].control, nullptr);
  EXPECT_EQ(Llamadas()[0].a, VK_RETURN);
  EXPECT_EQ(Llamadas()[1].gancho, gSoltarTecla);
}

TEST_F(ConConsola, ElClicDeUnBotonLlegaASuGanchoYUnGanchoVacioNoHaceNada) {
  pantalla->controles[6]->alClic = Anotar<gClic>;
  EXPECT_EQ(SendMessageA(Ventana(6), BM_CLICK, 0, 0), 0);
  ASSERT_EQ(Llamadas().size(), 1u);
  EXPECT_EQ(Llamadas()[0].gancho, gClic);
  EXPECT_EQ(Llamadas()[0].control, pantalla->controles[6]);
  EXPECT_EQ(Llamadas()[0].a, BN_CLICKED);
  Llamadas().clear();
  // Button 7 has no hook: its click does nothing and answers 0.
  EXPECT_EQ(SendMessageA(pantalla->ventana, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Ventana(7))),
            0);
  EXPECT_TRUE(Llamadas().empty());
}

// The mark of the control as its click hook sees it.
bool marcaVista;
long VerMarca(SmControl *control, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  marcaVista = SendMessageA(control->ventana, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return 0;
}

TEST_F(ConPantalla, UnCheckCambiaSuMarcaAntesDeAlClic) {
  Check *check = pantalla->AgregarCheck("Con vidrio", 10, 10, 120, 20);
  check->alClic = VerMarca;
  Mostrar();
  for (bool antes : {false, true}) {
    SCOPED_TRACE(antes);
    check->Marcar(antes);
    marcaVista = antes;
    SendMessageA(check->ventana, BM_CLICK, 0, 0);
    EXPECT_EQ(marcaVista, !antes);
    EXPECT_EQ(check->Marcado(), !antes);
  }
  delete check;
}

TEST_F(ConPantalla, UnaOptionDesmarcaTodasLasDemasDeLaPantalla) {
  Option *opciones[4];
  opciones[0] = pantalla->AgregarOption("Madera", 10, 10, 120, 20);
  opciones[1] = pantalla->AgregarOption("Aluminio", 10, 30, 120, 20);
  Frame *marco = pantalla->AgregarFrame("Otro grupo", 5, 55, 200, 80);
  opciones[2] = pantalla->AgregarOption("Simple", 10, 75, 120, 20);
  opciones[3] = pantalla->AgregarOption("Doble", 10, 95, 120, 20);
  for (Option *opcion : opciones)
    opcion->alClic = VerMarca;
  Mostrar();
  for (Option *opcion : opciones)
    opcion->Marcar(true);
  for (int elegida : {3, 1}) {
    SCOPED_TRACE(elegida);
    marcaVista = false;
    SendMessageA(opciones[elegida]->ventana, BM_CLICK, 0, 0);
    EXPECT_TRUE(marcaVista);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(opciones[i]->Marcado(), i == elegida) << i;
  }
  for (Option *opcion : opciones)
    delete opcion;
  delete marco;
}

// Notification codes that arrive by WM_COMMAND, and the hook each reaches.
TEST_F(ConPantalla, LosCodigosDeComandoLleganAlGanchoDeCadaTipo) {
  List *lista = pantalla->AgregarList(10, 10, 100, 100, false);
  Combo *combo = pantalla->AgregarCombo(120, 10, 100, 100);
  Edit *edicion = pantalla->AgregarEdit(230, 10, 100, 20, 0);
  Boton *boton = pantalla->AgregarBoton("B", 340, 10, 60, 25);
  SmControl *controles[] = {lista, combo, edicion, boton};
  for (SmControl *c : controles) {
    c->alClic = Anotar<gClic>;
    c->alDobleClic = Anotar<gDobleClic>;
    c->alPerderFoco = Anotar<gPerderFoco>;
    c->alRecibirFoco = Anotar<gRecibirFoco>;
  }
  lista->alSeleccionar = Anotar<gSeleccionar>;
  combo->alSeleccionar = Anotar<gSeleccionar>;
  edicion->alCambiar = Anotar<gCambiar>;
  struct Caso {
    SmControl *control;
    int codigo;
    int gancho; // 0: no hook
  } casos[] = {
      {lista, LBN_SELCHANGE, gSeleccionar},
      {lista, LBN_DBLCLK, gDobleClic},
      {lista, LBN_SETFOCUS, gRecibirFoco},
      {lista, LBN_KILLFOCUS, gPerderFoco},
      {lista, LBN_SELCANCEL, 0},
      {combo, CBN_SELCHANGE, gSeleccionar},
      {combo, CBN_DBLCLK, gDobleClic},
      {combo, CBN_SETFOCUS, gRecibirFoco},
      {combo, CBN_KILLFOCUS, gPerderFoco},
      {edicion, EN_KILLFOCUS, gPerderFoco},
      {edicion, EN_CHANGE, gCambiar},
      {edicion, EN_UPDATE, 0},
      {boton, BN_SETFOCUS, gRecibirFoco},
      {boton, BN_KILLFOCUS, gPerderFoco},
      {boton, BN_CLICKED, gClic},
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(::testing::Message() << caso.control->tipoControl << "/" << caso.codigo);
    Llamadas().clear();
    EXPECT_EQ(SendMessageA(pantalla->ventana, WM_COMMAND,
                           MAKEWPARAM(caso.control->identificador, caso.codigo),
                           reinterpret_cast<LPARAM>(caso.control->ventana)),
              0);
    if (caso.gancho == 0) {
      EXPECT_TRUE(Llamadas().empty());
      continue;
    }
    ASSERT_EQ(Llamadas().size(), 1u);
    EXPECT_EQ(Llamadas()[0].gancho, caso.gancho);
    EXPECT_EQ(Llamadas()[0].control, caso.control);
    EXPECT_EQ(Llamadas()[0].a, caso.codigo);
  }
  delete lista;
  delete combo;
  delete edicion;
}

TEST_F(ConPantalla, AlRecibirElFocoUnEditSeleccionaTodoSuTexto) {
  Edit *edicion = pantalla->AgregarEdit(10, 10, 200, 20, 0);
  Boton *otro = pantalla->AgregarBoton("Otro", 10, 40, 80, 25);
  edicion->alRecibirFoco = Anotar<gRecibirFoco>;
  edicion->alCambiar = Anotar<gCambiar>;
  Mostrar();
  otro->Enfocar();
  SetWindowTextA(edicion->ventana, "Marco de roble"); // the edit reports EN_CHANGE
  ASSERT_EQ(Llamadas().size(), 1u);
  EXPECT_EQ(Llamadas()[0].gancho, gCambiar);
  Llamadas().clear();

  edicion->Enfocar(); // the edit reports EN_SETFOCUS
  ASSERT_EQ(Llamadas().size(), 1u);
  EXPECT_EQ(Llamadas()[0].gancho, gRecibirFoco);
  EXPECT_STREQ(edicion->texto, "Marco de roble");
  DWORD desde = 1, hasta = 0;
  SendMessageA(edicion->ventana, EM_GETSEL, reinterpret_cast<WPARAM>(&desde),
               reinterpret_cast<LPARAM>(&hasta));
  EXPECT_EQ(desde, 0u);
  EXPECT_EQ(hasta, std::strlen("Marco de roble"));
  delete edicion;
}

NMHDR Cabecera(SmControl *control, UINT codigo) {
  NMHDR cabecera = {};
  cabecera.hwndFrom = control->ventana;
  cabecera.idFrom = static_cast<UINT_PTR>(control->identificador);
  cabecera.code = codigo;
  return cabecera;
}

TEST_F(ConPantalla, LasNotificacionesLleganConSuCabecera) {
  Calendar *calendario = pantalla->AgregarCalendar(10, 10, 150, 25);
  Tab *pestanas = pantalla->AgregarTab(10, 50, 200, 100);
  Tree *arbol = pantalla->AgregarTree(220, 10, 150, 150);
  List *lista = pantalla->AgregarList(380, 10, 100, 100, false);
  SmControl *controles[] = {calendario, pestanas, arbol, lista};
  for (SmControl *c : controles) {
    c->alPerderFoco = Anotar<gPerderFoco>;
    c->alRecibirFoco = Anotar<gRecibirFoco>;
  }
  calendario->alCambiar = Anotar<gCambiar>;
  pestanas->alSeleccionar = Anotar<gSeleccionar>;
  lista->alSeleccionar = Anotar<gSeleccionar>;
  struct Caso {
    SmControl *control;
    UINT codigo;
    int gancho;
  } casos[] = {
      {calendario, NM_KILLFOCUS, gPerderFoco},
      {calendario, NM_SETFOCUS, gRecibirFoco},
      {calendario, DTN_DATETIMECHANGE, gCambiar},
      {calendario, NM_CLICK, 0},
      {pestanas, NM_KILLFOCUS, gPerderFoco},
      {pestanas, NM_SETFOCUS, gRecibirFoco},
      {pestanas, TCN_SELCHANGE, gSeleccionar},
      {arbol, NM_KILLFOCUS, gPerderFoco},
      {arbol, NM_SETFOCUS, gRecibirFoco},
      {arbol, DTN_DATETIMECHANGE, 0},
      {lista, NM_SETFOCUS, 0}, // a list takes its codes by WM_COMMAND only
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(::testing::Message()
                 << caso.control->tipoControl << "/" << static_cast<int>(caso.codigo));
    Llamadas().clear();
    NMHDR cabecera = Cabecera(caso.control, caso.codigo);
    EXPECT_EQ(SendMessageA(pantalla->ventana, WM_NOTIFY, cabecera.idFrom,
                           reinterpret_cast<LPARAM>(&cabecera)),
              0);
    if (caso.gancho == 0) {
      EXPECT_TRUE(Llamadas().empty());
      continue;
    }
    ASSERT_EQ(Llamadas().size(), 1u);
    EXPECT_EQ(Llamadas()[0].gancho, caso.gancho);
    EXPECT_EQ(Llamadas()[0].control, caso.control);
    EXPECT_EQ(Llamadas()[0].a, static_cast<int>(caso.codigo));
    EXPECT_EQ(Llamadas()[0].b, reinterpret_cast<intptr_t>(&cabecera));
  }
  delete calendario;
  delete pestanas;
  delete arbol;
  delete lista;
}

TEST_F(ConPantalla, ElCambioDeSeleccionDelArbolDaLosNumerosDeLosNodos) {
  Tree *arbol = pantalla->AgregarTree(10, 10, 200, 200);
  arbol->alSeleccionar = Anotar<gSeleccionar>;
  Mostrar();
  ASSERT_TRUE(arbol->AgregarNodo("uno", 0));
  ASSERT_TRUE(arbol->AgregarNodo("dos", 0));
  ASSERT_TRUE(arbol->AgregarNodo("hija de dos", 2));
  HTREEITEM uno = static_cast<HTREEITEM>(*arbol->nodos->Dato(1));
  HTREEITEM hija = static_cast<HTREEITEM>(*arbol->nodos->Dato(3));
  SendMessageA(arbol->ventana, TVM_EXPAND, TVE_EXPAND,
               reinterpret_cast<LPARAM>(*arbol->nodos->Dato(2)));
  SendMessageA(arbol->ventana, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(uno));
  Llamadas().clear();
  // The tree itself reports the change with TVN_SELCHANGEDA.
  SendMessageA(arbol->ventana, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hija));
  ASSERT_EQ(Llamadas().size(), 1u);
  EXPECT_EQ(Llamadas()[0].control, nullptr);
  EXPECT_EQ(Llamadas()[0].a, 1); // previously selected
  EXPECT_EQ(Llamadas()[0].b, 2); // parent of the new one
  EXPECT_EQ(Llamadas()[0].c, 3); // the new one
  delete arbol;
}

TEST_F(ConPantalla, LaBarraDeHerramientasDaElNumeroDeBotonYSuAyuda) {
  Tool *barra = pantalla->AgregarTool(0, 16);
  for (int i = 0; i < 3; ++i)
    barra->AgregarBotonBarra("", i);
  barra->MostrarBarra();
  barra->alComando = Anotar<gComando>;
  SendMessageA(pantalla->ventana, WM_COMMAND, MAKEWPARAM(203, BN_CLICKED),
               reinterpret_cast<LPARAM>(barra->ventana));
  ASSERT_EQ(Llamadas().size(), 1u);
  EXPECT_EQ(Llamadas()[0].gancho, gComando);
  EXPECT_EQ(Llamadas()[0].a, 3);

  struct Caso {
    UINT id;
    const char *ayuda;
  } casos[] = {
      {201, "Nuevo"},
      {203, "Guardar la ventana con todos sus herrajes y vidrios"}, // cut to 29 characters
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.id);
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = caso.id;
    info.hdr.code = TTN_NEEDTEXTA;
    EXPECT_EQ(SendMessageA(pantalla->ventana, WM_NOTIFY, caso.id, reinterpret_cast<LPARAM>(&info)),
              0);
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(std::string(info.lpszText), std::string(caso.ayuda).substr(0, 29));
  }
  delete barra;
}

TEST_F(ConPantalla, LosMensajesDelRatonYLaRuedaLleganALosGanchosDeLaPantalla) {
  pantalla->alPulsarBoton = Anotar<gPulsarBoton>;
  pantalla->alSoltarBoton = Anotar<gSoltarBoton>;
  pantalla->alClic = Anotar<gClic>;
  pantalla->alMoverRaton = Anotar<gMoverRaton>;
  pantalla->alDobleClic = Anotar<gDobleClic>;
  pantalla->alRueda = Anotar<gRueda>;
  pantalla->alComando = Anotar<gComando>;
  struct Caso {
    UINT mensaje;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<Llamada> esperadas;
  } casos[] = {
      {WM_LBUTTONDOWN, 0, MAKELPARAM(30, 40), {{gPulsarBoton, nullptr, 1, 30, 40, 0, 0}}},
      {WM_RBUTTONDOWN, 0, MAKELPARAM(31, 41), {{gPulsarBoton, nullptr, 2, 31, 41, 0, 0}}},
      {WM_LBUTTONUP,
       0,
       MAKELPARAM(32, 42),
       {{gSoltarBoton, nullptr, 1, 32, 42, 0, 0}, {gClic, nullptr, 0, 0, 0, 0, 0}}},
      {WM_RBUTTONUP, 0, MAKELPARAM(33, 43), {{gSoltarBoton, nullptr, 2, 33, 43, 0, 0}}},
      {WM_MOUSEMOVE, 0, MAKELPARAM(40000, 5), {{gMoverRaton, nullptr, 40000, 5, 0, 0, 0}}},
      {WM_LBUTTONDBLCLK, 0, 0, {{gDobleClic, nullptr, 0, 0, 0, 0, 0}}},
      {WM_MOUSEWHEEL,
       MAKEWPARAM(0, static_cast<WORD>(-120)),
       0,
       {{gRueda, nullptr, 1, 0, 0, 0, 0}}},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0, {{gRueda, nullptr, 0, 0, 0, 0, 0}}},
      {WM_COMMAND, MAKEWPARAM(550, 0), 0, {{gComando, nullptr, 550, 0, 0, 0, 0}}},
      {WM_COMMAND, MAKEWPARAM(499, 0), 0, {}},
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(::testing::Message() << std::hex << caso.mensaje << " " << caso.wParam);
    Llamadas().clear();
    EXPECT_EQ(SendMessageA(pantalla->ventana, caso.mensaje, caso.wParam, caso.lParam), 0);
    ASSERT_EQ(Llamadas().size(), caso.esperadas.size());
    for (size_t i = 0; i < caso.esperadas.size(); ++i) {
      const Llamada &hecha = Llamadas()[i];
      const Llamada &esperada = caso.esperadas[i];
      EXPECT_EQ(hecha.gancho, esperada.gancho);
      EXPECT_EQ(hecha.a, esperada.a);
      EXPECT_EQ(hecha.b, esperada.b);
      EXPECT_EQ(hecha.c, esperada.c);
    }
  }
}

TEST_F(ConPantalla, LosMensajesDelRatonSobreUnControlLleganASusGanchos) {
  Label *etiqueta = pantalla->AgregarLabel("Etiqueta", 10, 10, 100, 20, 0);
  etiqueta->alPulsarBoton = Anotar<gPulsarBoton>;
  etiqueta->alSoltarBoton = Anotar<gSoltarBoton>;
  etiqueta->alMoverRaton = Anotar<gMoverRaton>;
  etiqueta->alDobleClic = Anotar<gDobleClic>;
  SendMessageA(etiqueta->ventana, WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4));
  SendMessageA(etiqueta->ventana, WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
  SendMessageA(etiqueta->ventana, WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
  SendMessageA(etiqueta->ventana, WM_LBUTTONDBLCLK, 0, MAKELPARAM(7, 8));
  ASSERT_EQ(Llamadas().size(), 4u);
  EXPECT_EQ(Llamadas()[0].gancho, gPulsarBoton);
  EXPECT_EQ(Llamadas()[0].a, 2);
  EXPECT_EQ(Llamadas()[0].b, 3);
  EXPECT_EQ(Llamadas()[0].c, 4);
  EXPECT_EQ(Llamadas()[1].gancho, gSoltarBoton);
  EXPECT_EQ(Llamadas()[1].a, 2);
  EXPECT_EQ(Llamadas()[2].gancho, gMoverRaton);
  EXPECT_EQ(Llamadas()[2].a, 7);
  EXPECT_EQ(Llamadas()[2].b, 8);
  EXPECT_EQ(Llamadas()[3].gancho, gDobleClic);
  delete etiqueta;
}

TEST_F(ConPantalla, PintarMostrarYActivarLlamanASusGanchos) {
  pantalla->alPintar = Anotar<gPintar>;
  pantalla->alMostrar = Anotar<gMostrar>;
  pantalla->alActivar = Anotar<gActivar>;
  ShowWindow(pantalla->ventana, SW_SHOWNORMAL);
  UpdateWindow(pantalla->ventana);
  bool pintada = false, mostrada = false;
  for (const Llamada &llamada : Llamadas()) {
    pintada = pintada || (llamada.gancho == gPintar && llamada.a != 0);
    mostrada = mostrada || llamada.gancho == gMostrar;
  }
  EXPECT_TRUE(pintada);
  EXPECT_TRUE(mostrada);
  Llamadas().clear();
  SendMessageA(pantalla->ventana, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(Llamadas().empty());
  SendMessageA(pantalla->ventana, WM_ACTIVATE, WA_ACTIVE, 0);
  ASSERT_EQ(Llamadas().size(), 1u);
  EXPECT_EQ(Llamadas()[0].gancho, gActivar);
}

long Lanzar(SmControl *, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  throw std::runtime_error("fallo del gancho");
}

TEST_F(ConPantalla, UnaExcepcionDeUnGanchoNoAtraviesaElProcedimiento) {
  Boton *boton = pantalla->AgregarBoton("Falla", 10, 10, 80, 25);
  Label *etiqueta = pantalla->AgregarLabel("Falla", 10, 40, 80, 15, 0);
  boton->alClic = Lanzar;
  etiqueta->alMoverRaton = Lanzar;
  pantalla->alRueda = Lanzar;
  Mostrar();
  EXPECT_EQ(SendMessageA(boton->ventana, BM_CLICK, 0, 0), 0);
  EXPECT_EQ(SendMessageA(etiqueta->ventana, WM_MOUSEMOVE, 0, 0), 0);
  EXPECT_EQ(SendMessageA(pantalla->ventana, WM_MOUSEWHEEL, 0, 0), 0);
  // The screen goes on answering afterwards.
  pantalla->alRueda = Anotar<gRueda>;
  SendMessageA(pantalla->ventana, WM_MOUSEWHEEL, 0, 0);
  EXPECT_EQ(Llamadas().size(), 1u);
  delete etiqueta;
}

TEST_F(ConPantalla, CerrarDestruyeLaVentanaYPideSalir) {
  HWND ventana = pantalla->ventana;
  EXPECT_EQ(SendMessageA(ventana, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(IsWindow(ventana));
  EXPECT_EQ(pantalla->ventana, nullptr);
  MSG salida;
  ASSERT_TRUE(PeekMessageA(&salida, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(salida.wParam, 0u);
}

} // namespace

namespace {

long MedirTreinta(SmControl *control, intptr_t item, intptr_t ancho, intptr_t alto, intptr_t d,
                  intptr_t e) {
  Anotar<gMedirItem>(control, item, ancho, alto, d, e);
  *reinterpret_cast<UINT *>(alto) = 30;
  return 0;
}

// The item rectangle lives only while the message is handled: its height is noted in e.
long Dibujar(SmControl *control, intptr_t item, intptr_t dc, intptr_t rect, intptr_t accion,
             intptr_t) {
  const RECT *r = reinterpret_cast<const RECT *>(rect);
  return Anotar<gDibujarItem>(control, item, dc, rect, accion, r->bottom - r->top);
}

TEST_F(ConPantalla, UnaListaDibujadaPorElDuenoPideMedidaYDibujoALaPantalla) {
  pantalla->alMedirItem = MedirTreinta;
  pantalla->alDibujarItem = Dibujar;
  List *lista = pantalla->AgregarList(10, 10, 200, 150, true);
  Mostrar();
  EXPECT_EQ(lista->AgregarItem("primero"), 0);
  EXPECT_EQ(lista->AgregarItem("segundo"), 1);
  // The height the hook wrote through its reference is the item's height.
  EXPECT_EQ(SendMessageA(lista->ventana, LB_GETITEMHEIGHT, 1, 0), 30);
  Llamadas().clear();
  RedrawWindow(lista->ventana, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  int dibujos = 0;
  for (const Llamada &llamada : Llamadas()) {
    if (llamada.gancho != gDibujarItem)
      continue;
    ++dibujos;
    EXPECT_NE(llamada.b, 0); // the device context
    EXPECT_EQ(llamada.e, 30);
    EXPECT_TRUE(llamada.d & ODA_DRAWENTIRE);
  }
  EXPECT_EQ(dibujos, 2);
  delete lista;
}

} // namespace
