#include "toolkit/pantalla.h"

#include "toolkit/controles.h"
#include "toolkit/procedimientos.h"

#include <commctrl.h>

#include <cstring>

namespace {

const char ClasePantalla[] = "SmPantalla";
const char ClaseDialogo[] = "SmDialogo";
const char ClaseImagen[] = "SmPicture";

void Registrar(WNDCLASSEXA &clase, HINSTANCE instancia, const char *nombre) {
  WNDCLASSEXA existente = {};
  existente.cbSize = sizeof(existente);
  if (!GetClassInfoExA(instancia, nombre, &existente))
    RegisterClassExA(&clase);
}

WNDCLASSEXA Describir(UINT estilo, HINSTANCE instancia, HICON icono, HBRUSH fondo,
                      const char *nombre) {
  WNDCLASSEXA clase = {};
  clase.cbSize = sizeof(WNDCLASSEXA);
  clase.style = estilo;
  clase.lpfnWndProc = procedimientoClase;
  clase.cbClsExtra = 0;
  clase.cbWndExtra = 0;
  clase.hInstance = instancia;
  clase.hIcon = icono;
  clase.hIconSm = icono;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.hbrBackground = fondo;
  clase.lpszMenuName = nullptr;
  clase.lpszClassName = nombre;
  return clase;
}

Pantalla *Crear(RegistroClases *registro, const char *clase, DWORD estilo, const char *titulo,
                int32_t ancho, int32_t alto, Pantalla *duena, const char *menu) {
  Pantalla *pantalla = new Pantalla();
  HWND ventanaDuena = duena ? duena->ventana : nullptr;
  pantalla->instancia = registro->instancia;
  pantalla->cantidadControles = 0;
  pantalla->ancho = ancho;
  pantalla->alto = alto;

  // Centred on the primary display, each half truncated on its own.
  HDC pantallaDc = GetDC(nullptr);
  int32_t horizontal = GetDeviceCaps(pantallaDc, HORZRES);
  int32_t vertical = GetDeviceCaps(pantallaDc, VERTRES);
  ReleaseDC(nullptr, pantallaDc);
  pantalla->x = horizontal / 2 - ancho / 2;
  pantalla->y = vertical / 2 - alto / 2;

  // A title that does not fit is refused: the screen then has none.
  if (titulo && std::strlen(titulo) < sizeof(pantalla->titulo))
    std::strcpy(pantalla->titulo, titulo);
  pantalla->ventanaDuena = ventanaDuena;

  HMENU recursoMenu = menu ? LoadMenuA(pantalla->instancia, menu) : nullptr;
  pantalla->ventana = CreateWindowExA(WS_EX_CONTROLPARENT, clase, pantalla->titulo, estilo,
                                      pantalla->x, pantalla->y, pantalla->ancho, pantalla->alto,
                                      ventanaDuena, recursoMenu, pantalla->instancia, nullptr);
  if (pantalla->ventana) {
    SetWindowLongA(pantalla->ventana, GWL_USERDATA,
                   static_cast<LONG>(reinterpret_cast<intptr_t>(pantalla)));
    procedimientoAnterior = reinterpret_cast<WNDPROC>(
        SetWindowLongA(pantalla->ventana, GWL_WNDPROC,
                       static_cast<LONG>(reinterpret_cast<intptr_t>(procedimientoPantalla))));
    SendMessageA(pantalla->ventana, WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  }
  return pantalla;
}

} // namespace

RegistroClases::RegistroClases() {
  RegistrarClases();
}

RegistroClases::~RegistroClases() {
  DesregistrarClases();
}

void RegistroClases::RegistrarClases() {
  instancia = GetModuleHandleA(nullptr);
  InitCommonControls();
  // The date picker needs its class registered where the common controls are older than 6.
  INITCOMMONCONTROLSEX clases = {sizeof(INITCOMMONCONTROLSEX),
                                 ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&clases);
  pincelBlanco = CreateSolidBrush(0xFFFFFF);
  pincelCara = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));

  clasePantalla = Describir(CS_DBLCLKS, instancia, LoadIconA(nullptr, IDI_APPLICATION),
                            pincelBlanco, ClasePantalla);
  Registrar(clasePantalla, instancia, ClasePantalla);
  claseDialogo = Describir(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, instancia,
                           LoadIconA(nullptr, IDI_ASTERISK), pincelCara, ClaseDialogo);
  Registrar(claseDialogo, instancia, ClaseDialogo);
  // The picture control's class: no icon of its own, white like a plain screen.
  claseImagen = Describir(CS_DBLCLKS, instancia, nullptr, pincelBlanco, ClaseImagen);
  Registrar(claseImagen, instancia, ClaseImagen);
}

void RegistroClases::DesregistrarClases() {
  if (!instancia)
    return;
  DeleteObject(pincelBlanco);
  DeleteObject(pincelCara);
  pincelBlanco = nullptr;
  pincelCara = nullptr;
  UnregisterClassA(ClasePantalla, instancia);
  UnregisterClassA(ClaseDialogo, instancia);
  UnregisterClassA(ClaseImagen, instancia);
  instancia = nullptr;
}

Pantalla *CrearDialogo(RegistroClases *registro, const char *titulo, int32_t ancho, int32_t alto,
                       Pantalla *duena, const char *menu) {
  return Crear(registro, ClaseDialogo, WS_SYSMENU, titulo, ancho, alto, duena, menu);
}

Pantalla *CrearPantalla(RegistroClases *registro, const char *titulo, int32_t ancho, int32_t alto,
                        Pantalla *duena, const char *menu) {
  return Crear(registro, ClasePantalla, WS_OVERLAPPEDWINDOW, titulo, ancho, alto, duena, menu);
}

Pantalla::~Pantalla() {
  // A window that outlives its screen object must not reach it any more.
  if (ventana && IsWindow(ventana))
    SetWindowLongA(ventana, GWL_USERDATA, 0);
}

void Pantalla::Ejecutar(int32_t modo) {
  int comando = SW_SHOWNORMAL;
  if (modo == 0)
    comando = SW_SHOWMINIMIZED;
  else if (modo == 2)
    comando = SW_SHOWMAXIMIZED;
  ShowWindow(ventana, comando);
  UpdateWindow(ventana);
  if (controles[1] && controles[1]->ventana)
    SetFocus(controles[1]->ventana);
  if (ventanaDuena)
    EnableWindow(ventanaDuena, FALSE);
  MSG mensaje;
  // -1 is an error, not a message: the loop ends then too.
  while (GetMessageA(&mensaje, nullptr, 0, 0) > 0) {
    TranslateMessage(&mensaje);
    DispatchMessageA(&mensaje);
  }
  if (ventanaDuena)
    EnableWindow(ventanaDuena, TRUE);
}

void Pantalla::Destruir() {
  for (int32_t id = 1; id <= cantidadControles && id <= MaximoControles; ++id) {
    if (controles[id] && controles[id]->tipoControl == TipoBoton) {
      delete controles[id];
      controles[id] = nullptr;
    }
  }
  cantidadControles = 0;
  if (ventana)
    DestroyWindow(ventana);
  if (ventanaDuena)
    SetActiveWindow(ventanaDuena);
}

int32_t Pantalla::ReservarIdentificador() {
  if (cantidadControles >= MaximoControles)
    return 0;
  return ++cantidadControles;
}

template <class T> T *Pantalla::Registrar(int32_t id, T *control) {
  controles[id] = control;
  return control;
}

Boton *Pantalla::AgregarBoton(const char *texto, int32_t cx, int32_t cy, int32_t cancho,
                              int32_t calto, HBITMAP mapa, HICON icono) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id,
                   new Boton(texto, cx, cy, cancho, calto, ventana, instancia, id, mapa, icono));
}

Check *Pantalla::AgregarCheck(const char *texto, int32_t cx, int32_t cy, int32_t cancho,
                              int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Check(texto, cx, cy, cancho, calto, ventana, instancia, id));
}

Option *Pantalla::AgregarOption(const char *texto, int32_t cx, int32_t cy, int32_t cancho,
                                int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Option(texto, cx, cy, cancho, calto, ventana, instancia, id));
}

Frame *Pantalla::AgregarFrame(const char *texto, int32_t cx, int32_t cy, int32_t cancho,
                              int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Frame(texto, cx, cy, cancho, calto, ventana, instancia, id));
}

Label *Pantalla::AgregarLabel(const char *texto, int32_t cx, int32_t cy, int32_t cancho,
                              int32_t calto, int32_t alineacion) {
  if (alineacion < 0 || alineacion > 2)
    return nullptr;
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Label(texto, cx, cy, cancho, calto, ventana, instancia, id, alineacion));
}

Edit *Pantalla::AgregarEdit(int32_t cx, int32_t cy, int32_t cancho, int32_t calto,
                            int32_t alineacion) {
  if (alineacion < 0 || alineacion > 2)
    return nullptr;
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Edit(cx, cy, cancho, calto, ventana, instancia, id, alineacion));
}

List *Pantalla::AgregarList(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, bool dibujada) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new List(cx, cy, cancho, calto, ventana, instancia, id, dibujada));
}

Combo *Pantalla::AgregarCombo(int32_t cx, int32_t cy, int32_t cancho, int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Combo(cx, cy, cancho, calto, ventana, instancia, id));
}

Calendar *Pantalla::AgregarCalendar(int32_t cx, int32_t cy, int32_t cancho, int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Calendar(cx, cy, cancho, calto, ventana, instancia, id));
}

Tab *Pantalla::AgregarTab(int32_t cx, int32_t cy, int32_t cancho, int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Tab(cx, cy, cancho, calto, ventana, instancia, id));
}

Tree *Pantalla::AgregarTree(int32_t cx, int32_t cy, int32_t cancho, int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Tree(cx, cy, cancho, calto, ventana, instancia, id));
}

Progress *Pantalla::AgregarProgress(int32_t cx, int32_t cy, int32_t cancho, int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Progress(cx, cy, cancho, calto, ventana, instancia, id));
}

Eje *Pantalla::AgregarEje(int32_t cx, int32_t cy, int32_t cancho, int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Eje(cx, cy, cancho, calto, ventana, instancia, id));
}

Image *Pantalla::AgregarImage(const char *recurso, int32_t cx, int32_t cy, int32_t cancho,
                              int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Image(recurso, cx, cy, cancho, calto, ventana, instancia, id));
}

Icono *Pantalla::AgregarIcono(const char *recurso, int32_t cx, int32_t cy, int32_t cancho,
                              int32_t calto) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Icono(recurso, cx, cy, cancho, calto, ventana, instancia, id));
}

Tool *Pantalla::AgregarTool(int32_t mapaBits, int32_t lado) {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Tool(mapaBits, lado, ventana, instancia, id));
}

Status *Pantalla::AgregarStatus() {
  int32_t id = ReservarIdentificador();
  if (!id)
    return nullptr;
  return Registrar(id, new Status(ventana, instancia, id));
}

const char *Pantalla::FijarTitulo(const char *texto) {
  if (!texto || std::strlen(texto) >= sizeof(titulo))
    return nullptr;
  std::memset(titulo, 0, sizeof(titulo));
  std::strcpy(titulo, texto);
  SetWindowTextA(ventana, titulo);
  return titulo;
}

LRESULT Pantalla::FijarIcono(HICON icono) {
  return SendMessageA(ventana, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icono));
}

BOOL Pantalla::CerrarVentana() {
  return DestroyWindow(ventana);
}

BOOL Pantalla::Minimizar() {
  return ShowWindow(ventana, SW_SHOWMINIMIZED);
}

BOOL Pantalla::Maximizar() {
  return ShowWindow(ventana, SW_SHOWMAXIMIZED);
}

BOOL Pantalla::MostrarNormal() {
  return ShowWindow(ventana, SW_SHOWNORMAL);
}

BOOL Pantalla::Mover(int32_t nuevoX, int32_t nuevoY, int32_t nuevoAncho, int32_t nuevoAlto) {
  x = nuevoX;
  y = nuevoY;
  ancho = nuevoAncho;
  alto = nuevoAlto;
  return MoveWindow(ventana, x, y, ancho, alto, TRUE);
}

// WM_SIZE leaves the client size in ancho and alto, so the values not being set are taken
// from the window's outer rectangle: the stored fields would shrink it by its frame.
BOOL Pantalla::MoverCambiando(int32_t *campo, int32_t valor) {
  RECT r = {};
  GetWindowRect(ventana, &r);
  int32_t nuevo[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  int32_t *campos[4] = {&x, &y, &ancho, &alto};
  for (int i = 0; i < 4; ++i)
    if (campos[i] == campo)
      nuevo[i] = valor;
  *campo = valor;
  return MoveWindow(ventana, nuevo[0], nuevo[1], nuevo[2], nuevo[3], TRUE);
}

int32_t Pantalla::FijarX(int32_t valor) {
  MoverCambiando(&x, valor);
  return valor;
}

int32_t Pantalla::FijarY(int32_t valor) {
  MoverCambiando(&y, valor);
  return valor;
}

int32_t Pantalla::FijarAncho(int32_t valor) {
  MoverCambiando(&ancho, valor);
  return valor;
}

int32_t Pantalla::FijarAlto(int32_t valor) {
  MoverCambiando(&alto, valor);
  return valor;
}

int32_t Pantalla::LeerX() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  x = r.left;
  return x;
}

int32_t Pantalla::LeerY() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  y = r.top;
  return y;
}

int32_t Pantalla::LeerAncho() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  ancho = r.right - r.left;
  return ancho;
}

int32_t Pantalla::LeerAlto() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  alto = r.bottom - r.top;
  return alto;
}

HCURSOR Pantalla::FijarCursor(const char *cursorEstandar) {
  static const uintptr_t estandar[] = {32649, 32651, 32513, 32650, 32515, 32512,
                                       32514, 32645, 32644, 32516, 32646, 32648};
  uintptr_t pedido = reinterpret_cast<uintptr_t>(cursorEstandar);
  bool conocido = false;
  for (uintptr_t id : estandar)
    conocido = conocido || id == pedido;
  // Anything else would leave the class without a cursor.
  if (!conocido)
    return nullptr;
  cursor = LoadCursorA(nullptr, cursorEstandar);
  return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(
      SetClassLongA(ventana, GCL_HCURSOR, static_cast<LONG>(reinterpret_cast<intptr_t>(cursor)))));
}
