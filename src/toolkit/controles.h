#ifndef QOR_TOOLKIT_CONTROLES_H
#define QOR_TOOLKIT_CONTROLES_H

#include "toolkit/gancho.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

class Lista;

// Kind numbers of the control classes; the procedures dispatch on them.
enum TipoControl : int32_t {
  TipoBoton = 1,
  TipoCheck = 2,
  TipoOption = 3,
  TipoFrame = 4,
  TipoProgress = 5,
  TipoImage = 6,
  TipoIcono = 7,
  TipoLabel = 8,
  TipoEdit = 9,
  TipoList = 10,
  TipoCombo = 11,
  TipoCalendar = 12,
  TipoTab = 13,
  TipoTool = 14,
  TipoStatus = 15,
  TipoTree = 16,
  TipoEje = 17,
};

// Characters of a control's text buffer, terminator included.
constexpr int32_t LargoTextoControl = 150;

// Base of the controls: one child window of a screen, subclassed, carrying the object in its
// user data. Deleting the object destroys the window.
class SmControl {
public:
  virtual ~SmControl();
  SmControl(const SmControl &) = delete;
  SmControl &operator=(const SmControl &) = delete;

  // Copies the text into texto and shows it; refuses (none, nothing changed) a text of 150
  // characters or more.
  const char *FijarTexto(const char *nuevo);
  bool Habilitar(bool habilitado);
  // Gives the control the keyboard focus; returns the window that had it.
  HWND Enfocar();
  bool Visible();
  bool FijarVisible(bool visible);
  BOOL Mover(int32_t nuevoX, int32_t nuevoY, int32_t nuevoAncho, int32_t nuevoAlto);
  // Outer rectangle, in screen coordinates.
  int32_t LeerX();
  int32_t LeerY();
  int32_t LeerAncho();
  int32_t LeerAlto();
  // WM_USER + 1 (on a Status: the text of part wParam).
  LRESULT EnviarMensaje401(WPARAM wParam, LPARAM lParam);

  char texto[LargoTextoControl] = {};
  WNDPROC procedimientoOriginal = nullptr;
  HWND ventana = nullptr;
  HWND ventanaPadre = nullptr;
  int32_t identificador = 0;
  int32_t tipoControl = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t ancho = 0;
  int32_t alto = 0;
  Gancho alClic = nullptr;        // (control, notification code)
  Gancho alDobleClic = nullptr;   // no argument to rely on
  Gancho alPulsarBoton = nullptr; // (none, button, x, y)
  Gancho alSoltarBoton = nullptr; // (none, button, x, y)
  Gancho alMoverRaton = nullptr;  // (none, x, y)
  Gancho alPulsarTecla = nullptr; // (none, virtual key)
  Gancho alSoltarTecla = nullptr; // (none, virtual key)
  Gancho alPerderFoco = nullptr;  // (control, code[, NMHDR*])
  Gancho alRecibirFoco = nullptr; // (control, code[, NMHDR*])

protected:
  SmControl() = default;
  // Copies a caption into texto; false (texto left empty) when it does not fit.
  bool CopiarTexto(const char *origen);
  // Creates the window and stores it in ventana.
  void CrearVentana(DWORD estiloExtendido, const char *clase, const char *textoVentana,
                    DWORD estilo, int32_t cx, int32_t cy, int32_t cancho, int32_t calto,
                    HINSTANCE instancia);
  void FijarFuente();
  // Stores the object in the window's user data and subclasses the window.
  void Enganchar();
  void Mostrar();
};

class Boton : public SmControl {
public:
  // With a bitmap BS_BITMAP, otherwise with an icon BS_ICON; both images are given to it.
  Boton(const char *caption, int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre,
        HINSTANCE instancia, int32_t id, HBITMAP mapa, HICON icono);
};

class Check : public SmControl {
public:
  Check(const char *caption, int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre,
        HINSTANCE instancia, int32_t id);
  bool Marcar(bool marcado);
  bool Marcado();
};

class Option : public SmControl {
public:
  Option(const char *caption, int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre,
         HINSTANCE instancia, int32_t id);
  bool Marcar(bool marcado);
  bool Marcado();
};

class Frame : public SmControl {
public:
  Frame(const char *caption, int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre,
        HINSTANCE instancia, int32_t id);
};

// A bar whose range holds full 32-bit bounds.
class Progress : public SmControl {
public:
  Progress(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
           int32_t id);
  int32_t FijarPosicion(int32_t posicion);
  int32_t Posicion();
  // Each sets one bound and gives the bar the range [minimo, maximo].
  int32_t FijarMaximo(int32_t valor);
  int32_t FijarMinimo(int32_t valor);

  int32_t minimo = 0;
  int32_t maximo = 0;
};

class Image : public SmControl {
public:
  Image(const char *recurso, int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre,
        HINSTANCE instancia, int32_t id);
};

class Icono : public SmControl {
public:
  Icono(const char *recurso, int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre,
        HINSTANCE instancia, int32_t id);
};

class Label : public SmControl {
public:
  // Alignments 0, 1 and 2 share one style; any other makes no window.
  Label(const char *caption, int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre,
        HINSTANCE instancia, int32_t id, int32_t alineacion);
};

class Edit : public SmControl {
public:
  // Alignment 0 left, 1 centre, 2 right; any other makes no window.
  Edit(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
       int32_t id, int32_t alineacion);
  LRESULT SeleccionarTexto(int32_t primero, int32_t ultimo);
  // The window's text in texto; an empty texto when it has 150 characters or more.
  const char *LeerTexto();

  Gancho alCambiar = nullptr; // (control, code)
};

// List box (plain: sorted, with strings; or owner-drawn) and combo box share these operations.
class List : public SmControl {
public:
  List(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
       int32_t id, bool dibujada);
  LRESULT Vaciar();
  int32_t CantidadItems();
  int32_t BorrarItem(int32_t indice);
  // The index where the item went (also in ultimoIndice); -1, nothing added, for a text of
  // 150 characters or more.
  int32_t AgregarItem(const char *nuevo);
  // none, nothing changed, for a text of 150 characters or more.
  const char *ReemplazarItem(int32_t indice, const char *nuevo);
  // The item's text in texto; an empty texto when there is no such item or its text does not
  // fit.
  const char *TextoItem(int32_t indice);
  int32_t FijarDatoItem(int32_t indice, int32_t dato);
  int32_t DatoItem(int32_t indice);
  int32_t Seleccionar(int32_t indice);
  // -1 when nothing is selected.
  int32_t Seleccion();

  int32_t ultimoIndice = 0;
  Gancho alSeleccionar = nullptr; // (control, code)
};

class Combo : public SmControl {
public:
  Combo(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
        int32_t id);
  LRESULT Vaciar();
  int32_t CantidadItems();
  int32_t BorrarItem(int32_t indice);
  int32_t AgregarItem(const char *nuevo);
  const char *ReemplazarItem(int32_t indice, const char *nuevo);
  const char *TextoItem(int32_t indice);
  int32_t FijarDatoItem(int32_t indice, int32_t dato);
  int32_t DatoItem(int32_t indice);
  int32_t Seleccionar(int32_t indice);
  int32_t Seleccion();

  int32_t ultimoIndice = 0;
  Gancho alSeleccionar = nullptr;
};

// Date picker; dates as day/month/year texts.
class Calendar : public SmControl {
public:
  Calendar(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
           int32_t id);
  // Sets day, month and year from a text such as 24/12/2009, keeping the time of day; none,
  // nothing changed, when a part has more than 14 characters or the text does not fit.
  const char *FijarFecha(const char *fecha);
  // The shown date as day/month/year without leading zeros.
  const char *LeerFecha();

  Gancho alCambiar = nullptr; // (control, code, NMHDR*)
};

class Tab : public SmControl {
public:
  Tab(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
      int32_t id);
  // The new tab's index; -1, nothing added, for a text of 150 characters or more.
  int32_t AgregarPestana(const char *nuevo);
  // Gives the previously selected index.
  int32_t SeleccionarPestana(int32_t indice);
  int32_t PestanaSeleccionada();

  int32_t cantidadPestanas = 0;
  Gancho alSeleccionar = nullptr; // (control, code, NMHDR*)
};

// Toolbar at the top of the screen; hidden until MostrarBarra.
class Tool : public SmControl {
public:
  static constexpr int32_t MaximoBotones = 50;
  // mapaBits: bitmap resource of the images, 0 for the standard small ones; lado: image side.
  Tool(int32_t mapaBits, int32_t lado, HWND padre, HINSTANCE instancia, int32_t id);
  // Button n (1 for the first entry) gets command 200 + n. False when the table is full or
  // the text does not fit.
  bool AgregarBotonBarra(const char *nuevo, int32_t imagen);
  bool AgregarSeparador();
  // Hands the images and the described buttons to the toolbar and shows it.
  void MostrarBarra();

  TBBUTTON botones[MaximoBotones] = {};
  int32_t cantidadBotones = 0;
  int32_t mapaBits = 0;
  Gancho alComando = nullptr; // (none, button number)
};

// Status bar at the bottom of the screen, three parts ending at 200, 400 and 600 pixels.
class Status : public SmControl {
public:
  Status(HWND padre, HINSTANCE instancia, int32_t id);
};

// Tree view whose items are numbered 1, 2, 3... in the order added.
class Tree : public SmControl {
public:
  Tree(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
       int32_t id);
  ~Tree() override;
  int32_t CantidadNodos();
  // Adds an item as the first child of item number padre (0: the root). False, nothing added,
  // for an unknown parent number or a text of 150 characters or more.
  bool AgregarNodo(const char *nuevo, int32_t padre);
  void VaciarArbol();

  Lista *nodos = nullptr; // item handles in the order added; not owned by the list
  bool conNodos = false;
  Gancho alSeleccionar = nullptr; // (none, previous item, new item's parent, new item)
};

// A picture area of the toolkit's class "SmPicture".
class Eje : public SmControl {
public:
  Eje(int32_t x, int32_t y, int32_t ancho, int32_t alto, HWND padre, HINSTANCE instancia,
      int32_t id);
};

#endif
