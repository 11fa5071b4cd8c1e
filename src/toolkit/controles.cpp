#include "toolkit/controles.h"

#include "toolkit/procedimientos.h"
#include "util/lista.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HMENU Identificador(int32_t id) {
  return reinterpret_cast<HMENU>(static_cast<intptr_t>(id));
}

bool Cabe(const char *textoNuevo, size_t capacidad) {
  return textoNuevo && std::strlen(textoNuevo) < capacidad;
}

} // namespace

// ---------------------------------------------------------------------------- SmControl

SmControl::~SmControl() {
  if (ventana) {
    // The window must not reach this object once it is gone.
    SetWindowLongA(ventana, GWL_WNDPROC,
                   static_cast<LONG>(reinterpret_cast<intptr_t>(procedimientoOriginal)));
    SetWindowLongA(ventana, GWL_USERDATA, 0);
    DestroyWindow(ventana);
  }
  ventana = nullptr;
  std::memset(texto, 0, sizeof(texto));
}

bool SmControl::CopiarTexto(const char *origen) {
  std::memset(texto, 0, sizeof(texto));
  if (!Cabe(origen, sizeof(texto)))
    return false;
  std::strcpy(texto, origen);
  return true;
}

void SmControl::CrearVentana(DWORD estiloExtendido, const char *clase, const char *textoVentana,
                             DWORD estilo, int32_t cx, int32_t cy, int32_t cancho, int32_t calto,
                             HINSTANCE instancia) {
  ventana = CreateWindowExA(estiloExtendido, clase, textoVentana, estilo, cx, cy, cancho, calto,
                            ventanaPadre, Identificador(identificador), instancia, nullptr);
}

void SmControl::FijarFuente() {
  if (ventana)
    SendMessageA(ventana, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
}

void SmControl::Enganchar() {
  if (!ventana)
    return;
  SetWindowLongA(ventana, GWL_USERDATA, static_cast<LONG>(reinterpret_cast<intptr_t>(this)));
  procedimientoOriginal = reinterpret_cast<WNDPROC>(SetWindowLongA(
      ventana, GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<intptr_t>(procedimientoControl))));
}

void SmControl::Mostrar() {
  if (!ventana)
    return;
  ShowWindow(ventana, SW_SHOWNORMAL);
  UpdateWindow(ventana);
}

const char *SmControl::FijarTexto(const char *nuevo) {
  if (!Cabe(nuevo, sizeof(texto)))
    return nullptr;
  CopiarTexto(nuevo);
  SetWindowTextA(ventana, nuevo);
  return texto;
}

bool SmControl::Habilitar(bool habilitado) {
  EnableWindow(ventana, habilitado ? TRUE : FALSE);
  return habilitado;
}

HWND SmControl::Enfocar() {
  // SetFocus of no window would take the focus away from every window.
  if (!ventana)
    return nullptr;
  return SetFocus(ventana);
}

bool SmControl::Visible() {
  // The placement's show command tells minimised or maximised apart but says "normal" for a
  // hidden window too: the window's own visible style tells whether it is shown.
  return ventana && (GetWindowLongA(ventana, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool SmControl::FijarVisible(bool visible) {
  WINDOWPLACEMENT colocacion = {};
  colocacion.length = sizeof(colocacion);
  GetWindowPlacement(ventana, &colocacion);
  colocacion.length = sizeof(colocacion);
  colocacion.showCmd = visible ? SW_SHOWNORMAL : SW_HIDE;
  SetWindowPlacement(ventana, &colocacion);
  return visible;
}

BOOL SmControl::Mover(int32_t nuevoX, int32_t nuevoY, int32_t nuevoAncho, int32_t nuevoAlto) {
  x = nuevoX;
  y = nuevoY;
  ancho = nuevoAncho;
  alto = nuevoAlto;
  return MoveWindow(ventana, x, y, ancho, alto, TRUE);
}

int32_t SmControl::LeerX() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  x = r.left;
  return x;
}

int32_t SmControl::LeerY() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  y = r.top;
  return y;
}

int32_t SmControl::LeerAncho() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  ancho = r.right - r.left;
  return ancho;
}

int32_t SmControl::LeerAlto() {
  RECT r = {};
  GetWindowRect(ventana, &r);
  alto = r.bottom - r.top;
  return alto;
}

LRESULT SmControl::EnviarMensaje401(WPARAM wParam, LPARAM lParam) {
  return SendMessageA(ventana, WM_USER + 1, wParam, lParam);
}

// ---------------------------------------------------------------------------- captioned

Boton::Boton(const char *caption, int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
             HINSTANCE instancia, int32_t id, HBITMAP mapa, HICON icono) {
  CopiarTexto(caption);
  tipoControl = TipoBoton;
  ventanaPadre = padre;
  identificador = id;
  DWORD estilo = 0x50014008;
  if (mapa)
    estilo |= BS_BITMAP;
  else if (icono)
    estilo |= BS_ICON;
  CrearVentana(WS_EX_CONTROLPARENT, "BUTTON", texto, estilo, cx, cy, cancho, calto, instancia);
  if (ventana && mapa)
    SendMessageA(ventana, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(mapa));
  if (ventana && icono)
    SendMessageA(ventana, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icono));
  FijarFuente();
  Enganchar();
  Mostrar();
}

Check::Check(const char *caption, int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
             HINSTANCE instancia, int32_t id) {
  CopiarTexto(caption);
  tipoControl = TipoCheck;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT, "BUTTON", texto, 0x50014002, cx, cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

bool Check::Marcar(bool marcado) {
  SendMessageA(ventana, BM_SETCHECK, marcado ? BST_CHECKED : BST_UNCHECKED, 0);
  return marcado;
}

bool Check::Marcado() {
  return SendMessageA(ventana, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Option::Option(const char *caption, int32_t cx, int32_t cy, int32_t cancho, int32_t calto,
               HWND padre, HINSTANCE instancia, int32_t id) {
  CopiarTexto(caption);
  tipoControl = TipoOption;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT, "BUTTON", texto, 0x50014004, cx, cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

bool Option::Marcar(bool marcado) {
  SendMessageA(ventana, BM_SETCHECK, marcado ? BST_CHECKED : BST_UNCHECKED, 0);
  return marcado;
}

bool Option::Marcado() {
  return SendMessageA(ventana, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Frame::Frame(const char *caption, int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
             HINSTANCE instancia, int32_t id) {
  CopiarTexto(caption);
  tipoControl = TipoFrame;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT, "BUTTON", texto, 0x50014007, cx, cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

Label::Label(const char *caption, int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
             HINSTANCE instancia, int32_t id, int32_t alineacion) {
  tipoControl = TipoLabel;
  ventanaPadre = padre;
  identificador = id;
  if (alineacion < 0 || alineacion > 2)
    return;
  CopiarTexto(caption);
  // SS_SIMPLE for every alignment: the label is always drawn left-aligned.
  CrearVentana(WS_EX_CONTROLPARENT, "STATIC", texto, 0x5000010B, cx, cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

// ---------------------------------------------------------------------------- Progress

Progress::Progress(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
                   HINSTANCE instancia, int32_t id) {
  tipoControl = TipoProgress;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CLIENTEDGE, PROGRESS_CLASSA, "", 0x50000001, cx, cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

int32_t Progress::FijarPosicion(int32_t posicion) {
  SendMessageA(ventana, PBM_SETPOS, static_cast<WPARAM>(posicion), 0);
  return posicion;
}

int32_t Progress::Posicion() {
  return static_cast<int32_t>(SendMessageA(ventana, PBM_GETPOS, 0, 0));
}

// PBM_SETRANGE holds 16-bit bounds only; PBM_SETRANGE32 takes both bounds whole.
int32_t Progress::FijarMaximo(int32_t valor) {
  maximo = valor;
  SendMessageA(ventana, PBM_SETRANGE32, static_cast<WPARAM>(minimo), static_cast<LPARAM>(maximo));
  return maximo;
}

int32_t Progress::FijarMinimo(int32_t valor) {
  minimo = valor;
  SendMessageA(ventana, PBM_SETRANGE32, static_cast<WPARAM>(minimo), static_cast<LPARAM>(maximo));
  return minimo;
}

// ---------------------------------------------------------------------------- pictures

Image::Image(const char *recurso, int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
             HINSTANCE instancia, int32_t id) {
  tipoControl = TipoImage;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT, "STATIC", recurso, 0x5000010E, cx, cy, cancho, calto,
               instancia);
  Enganchar();
  Mostrar();
}

Icono::Icono(const char *recurso, int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
             HINSTANCE instancia, int32_t id) {
  tipoControl = TipoIcono;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT, "STATIC", recurso, 0x50000103, cx, cy, cancho, calto,
               instancia);
  Enganchar();
  Mostrar();
}

Eje::Eje(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre, HINSTANCE instancia,
         int32_t id) {
  tipoControl = TipoEje;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT, "SmPicture", "", 0x50010000, cx, cy, cancho, calto, instancia);
  Enganchar();
  Mostrar();
}

// ---------------------------------------------------------------------------- Edit

Edit::Edit(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre, HINSTANCE instancia,
           int32_t id, int32_t alineacion) {
  tipoControl = TipoEdit;
  ventanaPadre = padre;
  identificador = id;
  if (alineacion < 0 || alineacion > 2)
    return;
  CrearVentana(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, "EDIT", nullptr,
               0x50010000 | static_cast<DWORD>(alineacion), cx, cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

LRESULT Edit::SeleccionarTexto(int32_t primero, int32_t ultimo) {
  return SendMessageA(ventana, EM_SETSEL, static_cast<WPARAM>(primero),
                      static_cast<LPARAM>(ultimo));
}

const char *Edit::LeerTexto() {
  std::memset(texto, 0, sizeof(texto));
  if (GetWindowTextLengthA(ventana) >= LargoTextoControl)
    return texto;
  GetWindowTextA(ventana, texto, LargoTextoControl);
  return texto;
}

// ---------------------------------------------------------------------------- List and Combo

namespace {

// The list box and the combo box answer the same requests under different message numbers.
struct MensajesLista {
  UINT vaciar, cantidad, borrar, agregar, insertar, largo, textoItem, fijarDato, dato, seleccionar,
      seleccion;
};

const MensajesLista DeLista = {LB_RESETCONTENT, LB_GETCOUNT,   LB_DELETESTRING, LB_ADDSTRING,
                               LB_INSERTSTRING, LB_GETTEXTLEN, LB_GETTEXT,      LB_SETITEMDATA,
                               LB_GETITEMDATA,  LB_SETCURSEL,  LB_GETCURSEL};
const MensajesLista DeCombo = {CB_RESETCONTENT, CB_GETCOUNT,     CB_DELETESTRING, CB_ADDSTRING,
                               CB_INSERTSTRING, CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_SETITEMDATA,
                               CB_GETITEMDATA,  CB_SETCURSEL,    CB_GETCURSEL};

int32_t Enviar(HWND ventana, UINT mensaje, WPARAM wParam = 0, LPARAM lParam = 0) {
  return static_cast<int32_t>(SendMessageA(ventana, mensaje, wParam, lParam));
}

int32_t AgregarA(HWND ventana, const MensajesLista &m, char *texto, int32_t &ultimoIndice,
                 const char *nuevo) {
  if (!Cabe(nuevo, LargoTextoControl))
    return -1;
  std::memset(texto, 0, LargoTextoControl);
  std::strcpy(texto, nuevo);
  ultimoIndice = Enviar(ventana, m.agregar, 0, reinterpret_cast<LPARAM>(texto));
  return ultimoIndice;
}

const char *ReemplazarEn(HWND ventana, const MensajesLista &m, char *texto, int32_t indice,
                         const char *nuevo) {
  if (!Cabe(nuevo, LargoTextoControl))
    return nullptr;
  std::memset(texto, 0, LargoTextoControl);
  std::strcpy(texto, nuevo);
  Enviar(ventana, m.borrar, static_cast<WPARAM>(indice));
  Enviar(ventana, m.insertar, static_cast<WPARAM>(indice), reinterpret_cast<LPARAM>(texto));
  return texto;
}

const char *TextoDe(HWND ventana, const MensajesLista &m, char *texto, int32_t indice) {
  // The native controls write without a limit: an item that does not fit is not read, and
  // neither is a missing one, whose answer would leave an earlier item's text in place.
  int32_t largo = Enviar(ventana, m.largo, static_cast<WPARAM>(indice));
  if (largo < 0 || largo >= LargoTextoControl) {
    std::memset(texto, 0, LargoTextoControl);
    return texto;
  }
  Enviar(ventana, m.textoItem, static_cast<WPARAM>(indice), reinterpret_cast<LPARAM>(texto));
  return texto;
}

} // namespace

List::List(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre, HINSTANCE instancia,
           int32_t id, bool dibujada) {
  tipoControl = TipoList;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
               dibujada ? 0x50300021 : 0x503100C3, cx, cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

LRESULT List::Vaciar() {
  return SendMessageA(ventana, DeLista.vaciar, 0, 0);
}
int32_t List::CantidadItems() {
  return Enviar(ventana, DeLista.cantidad);
}
int32_t List::BorrarItem(int32_t indice) {
  return Enviar(ventana, DeLista.borrar, static_cast<WPARAM>(indice));
}
int32_t List::AgregarItem(const char *nuevo) {
  return AgregarA(ventana, DeLista, texto, ultimoIndice, nuevo);
}
const char *List::ReemplazarItem(int32_t indice, const char *nuevo) {
  return ReemplazarEn(ventana, DeLista, texto, indice, nuevo);
}
const char *List::TextoItem(int32_t indice) {
  return TextoDe(ventana, DeLista, texto, indice);
}
int32_t List::FijarDatoItem(int32_t indice, int32_t dato) {
  Enviar(ventana, DeLista.fijarDato, static_cast<WPARAM>(indice), static_cast<LPARAM>(dato));
  return dato;
}
int32_t List::DatoItem(int32_t indice) {
  return Enviar(ventana, DeLista.dato, static_cast<WPARAM>(indice));
}
int32_t List::Seleccionar(int32_t indice) {
  Enviar(ventana, DeLista.seleccionar, static_cast<WPARAM>(indice));
  return indice;
}
int32_t List::Seleccion() {
  return Enviar(ventana, DeLista.seleccion);
}

Combo::Combo(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre, HINSTANCE instancia,
             int32_t id) {
  tipoControl = TipoCombo;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, "COMBOBOX", nullptr, 0x50210743, cx, cy,
               cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

LRESULT Combo::Vaciar() {
  return SendMessageA(ventana, DeCombo.vaciar, 0, 0);
}
int32_t Combo::CantidadItems() {
  return Enviar(ventana, DeCombo.cantidad);
}
int32_t Combo::BorrarItem(int32_t indice) {
  return Enviar(ventana, DeCombo.borrar, static_cast<WPARAM>(indice));
}
int32_t Combo::AgregarItem(const char *nuevo) {
  return AgregarA(ventana, DeCombo, texto, ultimoIndice, nuevo);
}
const char *Combo::ReemplazarItem(int32_t indice, const char *nuevo) {
  return ReemplazarEn(ventana, DeCombo, texto, indice, nuevo);
}
const char *Combo::TextoItem(int32_t indice) {
  return TextoDe(ventana, DeCombo, texto, indice);
}
int32_t Combo::FijarDatoItem(int32_t indice, int32_t dato) {
  Enviar(ventana, DeCombo.fijarDato, static_cast<WPARAM>(indice), static_cast<LPARAM>(dato));
  return dato;
}
int32_t Combo::DatoItem(int32_t indice) {
  return Enviar(ventana, DeCombo.dato, static_cast<WPARAM>(indice));
}
int32_t Combo::Seleccionar(int32_t indice) {
  Enviar(ventana, DeCombo.seleccionar, static_cast<WPARAM>(indice));
  return indice;
}
int32_t Combo::Seleccion() {
  return Enviar(ventana, DeCombo.seleccion);
}

// ---------------------------------------------------------------------------- Calendar

Calendar::Calendar(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre,
                   HINSTANCE instancia, int32_t id) {
  tipoControl = TipoCalendar;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSA, nullptr, 0x50010010, cx,
               cy, cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

const char *Calendar::FijarFecha(const char *fecha) {
  if (!Cabe(fecha, sizeof(texto)))
    return nullptr;
  // Every part goes through a 15-character scratch: a longer part is refused whole.
  const size_t largoParte = 14;
  size_t parte = 0;
  for (const char *p = fecha; *p; ++p) {
    parte = *p == '/' ? 0 : parte + 1;
    if (parte > largoParte)
      return nullptr;
  }

  SYSTEMTIME hora = {};
  SendMessageA(ventana, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&hora));
  char borrador[largoParte + 1] = {};
  std::memset(texto, 0, sizeof(texto));
  std::strcpy(texto, fecha);
  int barras = 0;
  size_t usados = 0;
  for (const char *p = texto; *p; ++p) {
    if (*p != '/') {
      borrador[usados++] = *p;
      continue;
    }
    ++barras;
    int numero = std::atoi(borrador);
    if (barras == 1)
      hora.wDay = static_cast<WORD>(numero);
    else if (barras == 2)
      hora.wMonth = static_cast<WORD>(numero);
    std::memset(borrador, 0, sizeof(borrador));
    usados = 0;
  }
  hora.wYear = static_cast<WORD>(std::atoi(borrador));
  SendMessageA(ventana, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&hora));
  return texto;
}

const char *Calendar::LeerFecha() {
  SYSTEMTIME hora = {};
  SendMessageA(ventana, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&hora));
  std::memset(texto, 0, sizeof(texto));
  std::snprintf(texto, sizeof(texto), "%i/%i/%i", hora.wDay, hora.wMonth, hora.wYear);
  return texto;
}

// ---------------------------------------------------------------------------- Tab

Tab::Tab(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre, HINSTANCE instancia,
         int32_t id) {
  tipoControl = TipoTab;
  ventanaPadre = padre;
  identificador = id;
  CrearVentana(WS_EX_CONTROLPARENT, WC_TABCONTROLA, nullptr, 0x50010000, cx, cy, cancho, calto,
               instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

int32_t Tab::AgregarPestana(const char *nuevo) {
  if (!Cabe(nuevo, sizeof(texto)))
    return -1;
  ++cantidadPestanas;
  CopiarTexto(nuevo);
  TCITEMA item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = texto;
  item.cchTextMax = static_cast<int>(std::strlen(texto));
  item.iImage = 0;
  return Enviar(ventana, TCM_INSERTITEMA, static_cast<WPARAM>(cantidadPestanas),
                reinterpret_cast<LPARAM>(&item));
}

int32_t Tab::SeleccionarPestana(int32_t indice) {
  return Enviar(ventana, TCM_SETCURSEL, static_cast<WPARAM>(indice));
}

int32_t Tab::PestanaSeleccionada() {
  return Enviar(ventana, TCM_GETCURSEL);
}

// ---------------------------------------------------------------------------- Tool

Tool::Tool(int32_t bitmap, int32_t lado, HWND padre, HINSTANCE instancia, int32_t id) {
  tipoControl = TipoTool;
  ventanaPadre = padre;
  identificador = id;
  mapaBits = bitmap;
  // Made without WS_VISIBLE: the bar shows once MostrarBarra has its buttons.
  CrearVentana(0, TOOLBARCLASSNAMEA, nullptr, 0x50800320 & ~WS_VISIBLE, 0, 0, 0, 0, instancia);
  if (!ventana)
    return;
  SendMessageA(ventana, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  FijarFuente();
  UpdateWindow(ventana);
  Enganchar();
  SendMessageA(ventana, TB_AUTOSIZE, 0, 0);
  SendMessageA(ventana, TB_SETBITMAPSIZE, 0, MAKELPARAM(lado, lado));
}

bool Tool::AgregarBotonBarra(const char *nuevo, int32_t imagen) {
  // TB_ADDSTRINGA reads up to a double terminator, so the text leaves room for two.
  if (cantidadBotones >= MaximoBotones || !Cabe(nuevo, sizeof(texto) - 1))
    return false;
  CopiarTexto(nuevo);
  TBBUTTON &boton = botones[cantidadBotones];
  boton = TBBUTTON{};
  boton.iBitmap = imagen;
  boton.idCommand = 201 + cantidadBotones;
  boton.fsState = TBSTATE_ENABLED;
  boton.fsStyle = TBSTYLE_BUTTON;
  boton.dwData = static_cast<DWORD_PTR>(cantidadBotones);
  boton.iString =
      texto[0] ? SendMessageA(ventana, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(texto)) : -1;
  ++cantidadBotones;
  return true;
}

bool Tool::AgregarSeparador() {
  if (cantidadBotones >= MaximoBotones)
    return false;
  TBBUTTON &boton = botones[cantidadBotones];
  boton = TBBUTTON{};
  boton.iBitmap = -1;
  boton.idCommand = 201 + cantidadBotones;
  boton.fsState = TBSTATE_ENABLED;
  boton.fsStyle = TBSTYLE_SEP;
  boton.dwData = static_cast<DWORD_PTR>(cantidadBotones);
  boton.iString = 0;
  ++cantidadBotones;
  return true;
}

void Tool::MostrarBarra() {
  TBADDBITMAP imagenes = {};
  if (mapaBits != 0) {
    imagenes.hInst = GetModuleHandleA(nullptr);
    imagenes.nID = static_cast<UINT_PTR>(mapaBits);
  } else {
    imagenes.hInst = HINST_COMMCTRL;
    imagenes.nID = IDB_STD_SMALL_COLOR;
  }
  SendMessageA(ventana, TB_ADDBITMAP, static_cast<WPARAM>(cantidadBotones),
               reinterpret_cast<LPARAM>(&imagenes));
  SendMessageA(ventana, TB_ADDBUTTONSA, static_cast<WPARAM>(cantidadBotones),
               reinterpret_cast<LPARAM>(botones));
  ShowWindow(ventana, SW_SHOWNORMAL);
}

// ---------------------------------------------------------------------------- Status

Status::Status(HWND padre, HINSTANCE instancia, int32_t id) {
  (void)instancia; // the status window takes its instance from the parent
  tipoControl = TipoStatus;
  ventanaPadre = padre;
  identificador = id;
  ventana = CreateStatusWindowA(0x50000123, "", padre, static_cast<UINT>(id));
  FijarFuente();
  if (ventana) {
    int bordes[3] = {200, 400, 600};
    SendMessageA(ventana, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(bordes));
  }
  Enganchar();
  Mostrar();
}

// ---------------------------------------------------------------------------- Tree

Tree::Tree(int32_t cx, int32_t cy, int32_t cancho, int32_t calto, HWND padre, HINSTANCE instancia,
           int32_t id) {
  tipoControl = TipoTree;
  ventanaPadre = padre;
  identificador = id;
  nodos = new Lista(false);
  conNodos = false;
  CrearVentana(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, WC_TREEVIEWA, nullptr, 0x50000007, cx, cy,
               cancho, calto, instancia);
  FijarFuente();
  Enganchar();
  Mostrar();
}

Tree::~Tree() {
  delete nodos;
  nodos = nullptr;
}

int32_t Tree::CantidadNodos() {
  return Enviar(ventana, TVM_GETCOUNT);
}

bool Tree::AgregarNodo(const char *nuevo, int32_t padre) {
  if (!Cabe(nuevo, sizeof(texto)) || padre < 0 || padre > 0xFFFF)
    return false;
  HTREEITEM itemPadre = TVI_ROOT;
  if (padre != 0) {
    void **ranura = padre <= nodos->cantidad ? nodos->Dato(padre) : nullptr;
    if (!ranura || !*ranura)
      return false;
    itemPadre = static_cast<HTREEITEM>(*ranura);
  }
  CopiarTexto(nuevo);
  int32_t antes = CantidadNodos();
  TVINSERTSTRUCTA insercion = {};
  insercion.hParent = itemPadre;
  // Each new item becomes its parent's first child: siblings show newest first.
  insercion.hInsertAfter = TVI_FIRST;
  insercion.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
  insercion.item.pszText = texto;
  insercion.item.cchTextMax = lstrlenA(texto);
  insercion.item.iImage = 1;
  insercion.item.lParam = static_cast<LPARAM>(((antes + 1) % 65536) + padre * 65536);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(ventana, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insercion)));
  bool agregado = nodos->AgregarDato(item);
  conNodos = true;
  return agregado;
}

void Tree::VaciarArbol() {
  delete nodos;
  nodos = nullptr;
  nodos = new Lista(false);
  SendMessageA(ventana, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  conNodos = false;
}
