#include "ventanas_prueba.h"

#include "toolkit/procedimientos.h"

#include <cstring>
#include <string>

namespace {

bool ClaseRegistrada(const char *nombre, WNDCLASSEXA *clase = nullptr) {
  WNDCLASSEXA leida = {};
  leida.cbSize = sizeof(leida);
  bool hay = GetClassInfoExA(GetModuleHandleA(nullptr), nombre, &leida) != 0;
  if (clase)
    *clase = leida;
  return hay;
}

TEST(RegistroClases, RegistraLasClasesDeLasPantallasYLaDeImagen) {
  RegistroClases registro;
  struct Caso {
    const char *nombre;
    UINT estilo;
    HICON icono;
    HBRUSH fondo;
  } casos[] = {
      {"SmPantalla", CS_DBLCLKS, LoadIconA(nullptr, IDI_APPLICATION), registro.pincelBlanco},
      {"SmDialogo", CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadIconA(nullptr, IDI_ASTERISK),
       registro.pincelCara},
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.nombre);
    WNDCLASSEXA clase;
    ASSERT_TRUE(ClaseRegistrada(caso.nombre, &clase));
    EXPECT_EQ(clase.style, caso.estilo);
    EXPECT_EQ(clase.lpfnWndProc, procedimientoClase);
    EXPECT_EQ(clase.cbClsExtra, 0);
    EXPECT_EQ(clase.cbWndExtra, 0);
    EXPECT_EQ(clase.hIcon, caso.icono);
    EXPECT_EQ(clase.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(clase.hbrBackground, caso.fondo);
    EXPECT_EQ(clase.lpszMenuName, nullptr);
  }
  EXPECT_EQ(GetObjectType(registro.pincelBlanco), static_cast<DWORD>(OBJ_BRUSH));
  LOGBRUSH blanco = {};
  GetObjectA(registro.pincelBlanco, sizeof(blanco), &blanco);
  EXPECT_EQ(blanco.lbColor, 0xFFFFFFu);
  LOGBRUSH cara = {};
  GetObjectA(registro.pincelCara, sizeof(cara), &cara);
  EXPECT_EQ(cara.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(ClaseRegistrada("SmPicture"));

  registro.DesregistrarClases();
  EXPECT_FALSE(ClaseRegistrada("SmPantalla"));
  EXPECT_FALSE(ClaseRegistrada("SmDialogo"));
  EXPECT_FALSE(ClaseRegistrada("SmPicture"));
  EXPECT_EQ(registro.instancia, nullptr);
  registro.DesregistrarClases(); // a second time does nothing
}

TEST(RegistroClases, RegistrarDosVecesDejaLasClasesComoEstaban) {
  RegistroClases primero;
  RegistroClases segundo;
  WNDCLASSEXA clase;
  ASSERT_TRUE(ClaseRegistrada("SmPantalla", &clase));
  EXPECT_EQ(clase.hbrBackground, primero.pincelBlanco);
  ASSERT_TRUE(ClaseRegistrada("SmDialogo", &clase));
  EXPECT_EQ(clase.hbrBackground, primero.pincelCara);
}

TEST(CrearPantallas, CadaTipoConSuClaseEstiloYPosicionCentrada) {
  RegistroClases registro;
  HDC dc = GetDC(nullptr);
  // The tests run on a 1024 x 768 display.
  ASSERT_EQ(GetDeviceCaps(dc, HORZRES), 1024);
  ASSERT_EQ(GetDeviceCaps(dc, VERTRES), 768);
  ReleaseDC(nullptr, dc);

  struct Caso {
    bool dialogo;
    const char *clase;
    int32_t ancho, alto, x, y;
  } casos[] = {
      {true, "SmDialogo", 580, 400, 222, 184},
      {false, "SmPantalla", 301, 201, 362, 284}, // odd sizes: each half truncated on its own
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.clase);
    Pantalla *p = caso.dialogo ? CrearDialogo(&registro, "Consola", caso.ancho, caso.alto)
                               : CrearPantalla(&registro, "Consola", caso.ancho, caso.alto);
    ASSERT_NE(p->ventana, nullptr);
    char clase[80] = {};
    GetClassNameA(p->ventana, clase, sizeof(clase));
    EXPECT_STREQ(clase, caso.clase);
    DWORD estilo = GetWindowLongA(p->ventana, GWL_STYLE);
    if (caso.dialogo) {
      EXPECT_TRUE(estilo & WS_SYSMENU);
      EXPECT_EQ(estilo & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    } else {
      EXPECT_EQ(estilo & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    }
    EXPECT_TRUE(GetWindowLongA(p->ventana, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(IsWindowVisible(p->ventana));
    EXPECT_EQ(GetWindowLongA(p->ventana, GWL_USERDATA), reinterpret_cast<LONG>(p));
    EXPECT_EQ(GetWindowLongA(p->ventana, GWL_WNDPROC),
              reinterpret_cast<LONG>(procedimientoPantalla));
    EXPECT_EQ(procedimientoAnterior, procedimientoClase);

    RECT r = {};
    GetWindowRect(p->ventana, &r);
    EXPECT_EQ(r.left, caso.x);
    EXPECT_EQ(r.top, caso.y);
    EXPECT_EQ(r.right - r.left, caso.ancho);
    EXPECT_EQ(r.bottom - r.top, caso.alto);
    EXPECT_EQ(p->x, caso.x);
    EXPECT_EQ(p->y, caso.y);
    EXPECT_STREQ(p->Titulo(), "Consola");
    EXPECT_EQ(p->cantidadControles, 0);
    EXPECT_EQ(p->cursor, nullptr);
    p->Destruir();
    delete p;
  }
  VaciarCola();
}

TEST(CrearPantallas, UnTituloQueNoCabeSeRechaza) {
  RegistroClases registro;
  std::string largo(255, 'T');
  Pantalla *p = CrearDialogo(&registro, largo.c_str(), 200, 100);
  EXPECT_STREQ(p->Titulo(), "");
  std::string justo(254, 'J');
  EXPECT_STREQ(p->FijarTitulo(justo.c_str()), justo.c_str());
  EXPECT_EQ(p->FijarTitulo(largo.c_str()), nullptr);
  char leido[300] = {};
  GetWindowTextA(p->ventana, leido, sizeof(leido));
  EXPECT_EQ(std::string(leido), justo);
  p->Destruir();
  delete p;
  VaciarCola();
}

// What the running loop saw, noted by a key hook posted before Ejecutar.
struct Visto {
  bool minimizada, maximizada, visible, duenaHabilitada;
  HWND foco;
} visto;
Pantalla *observada = nullptr;

long Observar(SmControl *, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  visto.minimizada = IsIconic(observada->ventana);
  visto.maximizada = IsZoomed(observada->ventana);
  visto.visible = IsWindowVisible(observada->ventana);
  visto.duenaHabilitada = observada->ventanaDuena && IsWindowEnabled(observada->ventanaDuena);
  visto.foco = GetFocus();
  return 0;
}

void EjecutarHastaCerrar(Pantalla *p, int32_t modo) {
  visto = {};
  observada = p;
  p->alSoltarTecla = Observar;
  PostMessageA(p->ventana, WM_KEYUP, 'A', 0);
  PostMessageA(p->ventana, WM_CLOSE, 0, 0);
  p->Ejecutar(modo);
}

TEST_F(ConPantalla, EjecutarMuestraSegunElModoYEnfocaElControlUno) {
  struct Caso {
    int32_t modo;
    bool minimizada, maximizada;
  } casos[] = {{0, true, false}, {1, false, false}, {2, false, true}, {7, false, false}};
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.modo);
    Pantalla *p = CrearDialogo(registro, "Modo", 300, 200);
    Label *primera = p->AgregarLabel("Primera", 10, 10, 100, 15, 0);
    HWND ventanaPrimera = primera->ventana;
    HWND ventanaPantalla = p->ventana;
    EjecutarHastaCerrar(p, caso.modo);
    EXPECT_TRUE(visto.visible);
    EXPECT_EQ(visto.minimizada, caso.minimizada);
    EXPECT_EQ(visto.maximizada, caso.maximizada);
    // A minimised window keeps the focus itself: its children cannot take it.
    EXPECT_EQ(visto.foco, caso.minimizada ? ventanaPantalla : ventanaPrimera);
    EXPECT_FALSE(IsWindow(p->ventana)); // WM_CLOSE destroyed it and ended the loop
    p->Destruir();
    delete p;
    delete primera;
  }
}

TEST_F(ConPantalla, LaDuenaQuedaDeshabilitadaMientrasCorreElBucleYSeReactivaAlDestruir) {
  Mostrar();
  Pantalla *modal = CrearDialogo(registro, "Modal", 200, 100, pantalla);
  EXPECT_EQ(modal->ventanaDuena, pantalla->ventana);
  EXPECT_EQ(GetWindow(modal->ventana, GW_OWNER), pantalla->ventana);
  EjecutarHastaCerrar(modal, 1);
  EXPECT_FALSE(visto.duenaHabilitada);
  EXPECT_TRUE(IsWindowEnabled(pantalla->ventana));
  modal->Destruir();
  EXPECT_EQ(GetActiveWindow(), pantalla->ventana);
  delete modal;
}

// Windows of the screen's controls at the moment the screen's own window is destroyed.
HWND botonUno, botonDos, etiquetaTres;
bool botonesVivos, etiquetaViva;

long AlDestruirPantalla(SmControl *, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  botonesVivos = IsWindow(botonUno) || IsWindow(botonDos);
  etiquetaViva = IsWindow(etiquetaTres);
  return 0;
}

TEST_F(ConPantalla, DestruirBorraSoloLosBotones) {
  Boton *uno = pantalla->AgregarBoton("Uno", 10, 10, 80, 25);
  Boton *dos = pantalla->AgregarBoton("Dos", 10, 40, 80, 25);
  Label *tres = pantalla->AgregarLabel("Tres", 10, 70, 80, 15, 0);
  botonUno = uno->ventana;
  botonDos = dos->ventana;
  etiquetaTres = tres->ventana;
  HWND ventana = pantalla->ventana;
  pantalla->alDestruir = AlDestruirPantalla;

  pantalla->Destruir();
  EXPECT_FALSE(botonesVivos);
  EXPECT_TRUE(etiquetaViva);
  EXPECT_EQ(pantalla->controles[1], nullptr);
  EXPECT_EQ(pantalla->controles[2], nullptr);
  EXPECT_EQ(pantalla->controles[3], tres);
  EXPECT_EQ(pantalla->cantidadControles, 0);
  EXPECT_FALSE(IsWindow(ventana));
  EXPECT_FALSE(IsWindow(etiquetaTres));
  MSG salida;
  EXPECT_TRUE(PeekMessageA(&salida, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  // The label outlives its window: deleting it later is no fault.
  EXPECT_EQ(tres->ventana, nullptr);
  EXPECT_STREQ(tres->texto, "Tres");
  delete tres;
  pantalla->Destruir(); // a second time finds nothing to do
}

TEST_F(ConPantalla, LosControlesSeNumeranEnOrdenHastaNoventaYNueve) {
  SmControl *agregados[] = {pantalla->AgregarLabel("Etiqueta", 10, 10, 80, 15, 0),
                            pantalla->AgregarList(10, 30, 80, 80, false),
                            pantalla->AgregarBoton("Boton", 10, 120, 80, 25)};
  for (int32_t id = 1; id <= 3; ++id) {
    SCOPED_TRACE(id);
    EXPECT_EQ(agregados[id - 1]->identificador, id);
    EXPECT_EQ(pantalla->controles[id], agregados[id - 1]);
    EXPECT_EQ(GetDlgCtrlID(agregados[id - 1]->ventana), id);
  }
  for (int32_t id = 4; id <= 99; ++id)
    ASSERT_NE(pantalla->AgregarLabel("x", 0, 0, 5, 5, 0), nullptr);
  EXPECT_EQ(pantalla->AgregarBoton("Sobra", 0, 0, 5, 5), nullptr);
  EXPECT_EQ(pantalla->AgregarLabel("Sobra", 0, 0, 5, 5, 0), nullptr);
  EXPECT_EQ(pantalla->cantidadControles, 99);
  for (int32_t id = 1; id <= 99; ++id)
    if (pantalla->controles[id]->tipoControl != TipoBoton)
      delete pantalla->controles[id];
}

// The screen's size fields and the bars as the resize hook sees them.
Pantalla *redimensionada;
int32_t anchoVisto, altoVisto;
RECT barraEstado, barraHerramientas;

long AlRedimensionar(SmControl *, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  anchoVisto = redimensionada->ancho;
  altoVisto = redimensionada->alto;
  GetWindowRect(redimensionada->controles[1]->ventana, &barraEstado);
  MapWindowPoints(nullptr, redimensionada->ventana, reinterpret_cast<POINT *>(&barraEstado), 2);
  GetWindowRect(redimensionada->controles[2]->ventana, &barraHerramientas);
  MapWindowPoints(nullptr, redimensionada->ventana, reinterpret_cast<POINT *>(&barraHerramientas),
                  2);
  return 0;
}

TEST_F(ConPantalla, WmSizeGuardaElTamanoClienteYAjustaLasBarrasAntesDelGancho) {
  Status *estado = pantalla->AgregarStatus();
  Tool *herramientas = pantalla->AgregarTool(0, 16);
  herramientas->AgregarBotonBarra("", 0);
  herramientas->MostrarBarra();
  redimensionada = pantalla;
  pantalla->alRedimensionar = AlRedimensionar;
  Mostrar();
  anchoVisto = altoVisto = -1;

  SetWindowPos(pantalla->ventana, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
  RECT cliente = {};
  GetClientRect(pantalla->ventana, &cliente);
  EXPECT_LT(cliente.right, 700);
  EXPECT_EQ(pantalla->ancho, cliente.right);
  EXPECT_EQ(pantalla->alto, cliente.bottom);
  EXPECT_EQ(anchoVisto, cliente.right);
  EXPECT_EQ(altoVisto, cliente.bottom);
  EXPECT_EQ(barraEstado.bottom, cliente.bottom);
  EXPECT_EQ(barraEstado.right - barraEstado.left, cliente.right);
  EXPECT_LE(barraHerramientas.top, 0); // its border may stand above the client area
  EXPECT_GE(barraHerramientas.right - barraHerramientas.left, cliente.right);
  delete estado;
  delete herramientas;
}

TEST_F(ConPantalla, FijarCursorCambiaElCursorDeTodaLaClase) {
  Pantalla *otra = CrearDialogo(registro, "Otra", 200, 100);
  HCURSOR flecha = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR espera = LoadCursorA(nullptr, IDC_WAIT);
  EXPECT_EQ(pantalla->FijarCursor(IDC_WAIT), flecha);
  EXPECT_EQ(pantalla->cursor, espera);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongA(otra->ventana, GCL_HCURSOR)), espera);
  // Not a standard cursor: refused, the class keeps its cursor.
  EXPECT_EQ(pantalla->FijarCursor(MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongA(otra->ventana, GCL_HCURSOR)), espera);
  EXPECT_EQ(pantalla->FijarCursor(IDC_ARROW), espera);
  otra->Destruir();
  delete otra;
}

TEST_F(ConPantalla, MoverYLeerLaGeometria) {
  EXPECT_TRUE(pantalla->Mover(10, 20, 300, 200));
  EXPECT_EQ(pantalla->LeerX(), 10);
  EXPECT_EQ(pantalla->LeerY(), 20);
  EXPECT_EQ(pantalla->LeerAncho(), 300);
  EXPECT_EQ(pantalla->LeerAlto(), 200);
  // After WM_SIZE the size fields hold the client size: setting one value must still leave
  // the window's other outer values as they are.
  struct Caso {
    int32_t (Pantalla::*fijar)(int32_t);
    int32_t valor;
    RECT esperado; // left, top, right, bottom
  } casos[] = {
      {&Pantalla::FijarAncho, 350, {10, 20, 360, 220}},
      {&Pantalla::FijarAlto, 250, {10, 20, 360, 270}},
      {&Pantalla::FijarX, 40, {40, 20, 390, 270}},
      {&Pantalla::FijarY, 60, {40, 60, 390, 310}},
  };
  for (const Caso &caso : casos) {
    SCOPED_TRACE(caso.valor);
    EXPECT_EQ((pantalla->*caso.fijar)(caso.valor), caso.valor);
    RECT r = {};
    GetWindowRect(pantalla->ventana, &r);
    EXPECT_EQ(r.left, caso.esperado.left);
    EXPECT_EQ(r.top, caso.esperado.top);
    EXPECT_EQ(r.right, caso.esperado.right);
    EXPECT_EQ(r.bottom, caso.esperado.bottom);
  }
}

} // namespace

namespace {

TEST(CrearPantallas, UnaVentanaQueSobreviveASuPantallaYaNoLaAlcanza) {
  RegistroClases registro;
  Pantalla *p = CrearDialogo(&registro, "Suelta", 200, 100);
  HWND ventana = p->ventana;
  delete p; // without Destruir: the window stays, the object goes
  EXPECT_EQ(GetWindowLongA(ventana, GWL_USERDATA), 0);
  // Its messages now go to DefWindowProcA: closing no longer reaches the object.
  SendMessageA(ventana, WM_MOUSEWHEEL, 0, 0);
  EXPECT_TRUE(IsWindow(ventana));
  DestroyWindow(ventana);
  VaciarCola();
}

} // namespace

namespace {

TEST_F(ConPantalla, IconoPequenoYEstadosDeLaVentana) {
  HICON icono = LoadIconA(GetModuleHandleA(nullptr), "ICONO");
  ASSERT_NE(icono, nullptr);
  pantalla->FijarIcono(icono);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(pantalla->ventana, WM_GETICON, ICON_SMALL, 0)),
            icono);
  struct Caso {
    BOOL (Pantalla::*operacion)();
    bool minimizada, maximizada;
  } casos[] = {{&Pantalla::Minimizar, true, false},
               {&Pantalla::MostrarNormal, false, false},
               {&Pantalla::Maximizar, false, true},
               {&Pantalla::MostrarNormal, false, false}};
  for (const Caso &caso : casos) {
    (pantalla->*caso.operacion)();
    EXPECT_TRUE(IsWindowVisible(pantalla->ventana));
    EXPECT_EQ(IsIconic(pantalla->ventana) != 0, caso.minimizada);
    EXPECT_EQ(IsZoomed(pantalla->ventana) != 0, caso.maximizada);
  }
  HWND ventana = pantalla->ventana;
  EXPECT_TRUE(pantalla->CerrarVentana());
  EXPECT_FALSE(IsWindow(ventana));
}

} // namespace
