#ifndef QOR_TOOLKIT_PANTALLA_H
#define QOR_TOOLKIT_PANTALLA_H

#include "toolkit/gancho.h"

#include <windows.h>

#include <cstdint>

class SmControl;
class Boton;
class Check;
class Option;
class Frame;
class Progress;
class Image;
class Icono;
class Label;
class Edit;
class List;
class Combo;
class Calendar;
class Tab;
class Tool;
class Status;
class Tree;
class Eje;

// The window classes of the toolkit: "SmPantalla" and "SmDialogo" for screens, and "SmPicture"
// for the picture control (Eje). One per process, made before the first screen and disposed
// of after the last.
class RegistroClases {
public:
  // Registers the classes (RegistrarClases).
  RegistroClases();
  // Unregisters them when DesregistrarClases has not run yet.
  ~RegistroClases();
  RegistroClases(const RegistroClases &) = delete;
  RegistroClases &operator=(const RegistroClases &) = delete;

  // Initialises the common controls, makes the brushes and registers every class that is not
  // registered yet; classes already registered are left as they are.
  void RegistrarClases();
  // Deletes the brushes and unregisters the classes; a second call does nothing.
  void DesregistrarClases();

  HINSTANCE instancia = nullptr;
  WNDCLASSEXA clasePantalla = {};
  WNDCLASSEXA claseDialogo = {};
  HBRUSH pincelBlanco = nullptr; // white
  HBRUSH pincelCara = nullptr;   // COLOR_BTNFACE
  WNDCLASSEXA claseImagen = {};  // "SmPicture"
};

// Creation numbers of the controls on a screen run from 1 to this value.
constexpr int32_t MaximoControles = 99;

// One top-level window, the table of the controls placed on it and its event hooks.
// The creator owns it and deletes it after Destruir; it owns the objects of its push buttons.
class Pantalla {
public:
  Pantalla() = default;
  // Leaves the window alone (Destruir destroys it) but unhooks it from this object.
  ~Pantalla();
  Pantalla(const Pantalla &) = delete;
  Pantalla &operator=(const Pantalla &) = delete;

  // Shows the window (0 minimised, 2 maximised, anything else normal), focuses control 1,
  // disables the owner and runs the message loop until the quit message; then re-enables
  // the owner.
  void Ejecutar(int32_t modo);
  // Deletes the push-button objects, forgets every control and destroys the window.
  void Destruir();

  // Add operations: each gives the control the next creation number and returns it, or
  // none when the screen already has 99 controls or an argument is refused.
  Boton *AgregarBoton(const char *texto, int32_t x, int32_t y, int32_t ancho, int32_t alto,
                      HBITMAP mapa = nullptr, HICON icono = nullptr);
  Check *AgregarCheck(const char *texto, int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Option *AgregarOption(const char *texto, int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Frame *AgregarFrame(const char *texto, int32_t x, int32_t y, int32_t ancho, int32_t alto);
  // alineacion 0, 1 or 2; any other value is refused.
  Label *AgregarLabel(const char *texto, int32_t x, int32_t y, int32_t ancho, int32_t alto,
                      int32_t alineacion);
  // alineacion 0 (left), 1 (centre) or 2 (right); any other value is refused.
  Edit *AgregarEdit(int32_t x, int32_t y, int32_t ancho, int32_t alto, int32_t alineacion);
  // dibujada false gives the plain sorted list, true the owner-drawn one.
  List *AgregarList(int32_t x, int32_t y, int32_t ancho, int32_t alto, bool dibujada);
  Combo *AgregarCombo(int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Calendar *AgregarCalendar(int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Tab *AgregarTab(int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Tree *AgregarTree(int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Progress *AgregarProgress(int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Eje *AgregarEje(int32_t x, int32_t y, int32_t ancho, int32_t alto);
  // The bitmap or icon resource of that name in the screen's module.
  Image *AgregarImage(const char *recurso, int32_t x, int32_t y, int32_t ancho, int32_t alto);
  Icono *AgregarIcono(const char *recurso, int32_t x, int32_t y, int32_t ancho, int32_t alto);
  // mapaBits: bitmap resource of the button images, 0 for the standard small images.
  Tool *AgregarTool(int32_t mapaBits, int32_t lado);
  Status *AgregarStatus();

  const char *Titulo() const { return titulo; }
  HWND Ventana() const { return ventana; }
  // Refuses (none) a title of 255 characters or more.
  const char *FijarTitulo(const char *texto);
  LRESULT FijarIcono(HICON icono);
  BOOL CerrarVentana();
  BOOL Minimizar();
  BOOL Maximizar();
  BOOL MostrarNormal();
  BOOL Mover(int32_t nuevoX, int32_t nuevoY, int32_t nuevoAncho, int32_t nuevoAlto);
  // Each sets one outer value (position or size), keeps the window's other three and gives
  // the value set.
  int32_t FijarX(int32_t valor);
  int32_t FijarY(int32_t valor);
  int32_t FijarAncho(int32_t valor);
  int32_t FijarAlto(int32_t valor);
  // Outer rectangle, in screen coordinates.
  int32_t LeerX();
  int32_t LeerY();
  int32_t LeerAncho();
  int32_t LeerAlto();
  // Sets the class cursor of the screen's class (every window of the class) to one of the
  // standard cursors (IDC_ARROW, IDC_WAIT...); gives the previous one, none for a cursor
  // that is not a standard one.
  HCURSOR FijarCursor(const char *cursorEstandar);

  char titulo[255] = {};
  HWND ventana = nullptr;
  HWND ventanaDuena = nullptr; // the owner screen's window: the screen is modal over it
  HINSTANCE instancia = nullptr;
  HCURSOR cursor = nullptr; // class cursor last set by FijarCursor
  int32_t cantidadControles = 0;
  SmControl *controles[MaximoControles + 1] = {}; // entry i holds control i; 0 is unused
  // Outer size at creation, client size after each WM_SIZE.
  int32_t ancho = 0;
  int32_t alto = 0;
  int32_t x = 0;
  int32_t y = 0;

  Gancho alComando = nullptr;       // menu command 500..599: (id)
  Gancho alMostrar = nullptr;       // WM_SHOWWINDOW
  Gancho alPintar = nullptr;        // WM_PAINT: (paint HDC)
  Gancho alDestruir = nullptr;      // WM_DESTROY, before the quit message
  Gancho alRedimensionar = nullptr; // WM_SIZE, after the size fields and bars
  Gancho alActivar = nullptr;       // the window became active
  Gancho alClic = nullptr;          // WM_LBUTTONUP, after alSoltarBoton
  Gancho alDobleClic = nullptr;
  Gancho alRueda = nullptr;       // (1 towards the user, else 0)
  Gancho alMoverRaton = nullptr;  // (x, y)
  Gancho alSoltarBoton = nullptr; // (button 1 left / 2 right, x, y)
  Gancho alPulsarBoton = nullptr; // (button, x, y)
  Gancho alPulsarTecla = nullptr; // (virtual key)
  Gancho alSoltarTecla = nullptr; // (virtual key)
  Gancho alMedirItem = nullptr;   // (item id, UINT* width, UINT* height)
  Gancho alDibujarItem = nullptr; // (item id, HDC, RECT*, action, state)

private:
  // Gives the next creation number, or 0 when the table is full.
  int32_t ReservarIdentificador();
  template <class T> T *Registrar(int32_t id, T *control);
  // Moves the window with one outer value changed and stores that value in its field.
  BOOL MoverCambiando(int32_t *campo, int32_t valor);
};

// A new screen of class "SmDialogo" (caption with close box, fixed frame, button-face
// background), hidden and centred on the primary display. duena: the owner screen or none;
// menu: a menu resource name or none.
Pantalla *CrearDialogo(RegistroClases *registro, const char *titulo, int32_t ancho, int32_t alto,
                       Pantalla *duena = nullptr, const char *menu = nullptr);
// The same with class "SmPantalla" (overlapped window on white).
Pantalla *CrearPantalla(RegistroClases *registro, const char *titulo, int32_t ancho, int32_t alto,
                        Pantalla *duena = nullptr, const char *menu = nullptr);

#endif
