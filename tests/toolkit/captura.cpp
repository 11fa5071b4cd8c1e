// Shows one screen with a control of each kind for a while, so that captura.sh can photograph
// the display. Argument: the seconds to stay open (10 when not given).
#include "toolkit/controles.h"
#include "toolkit/pantalla.h"
#include "util/lista.h"

#include <cstdlib>
#include <initializer_list>

namespace {

Pantalla *pantalla = nullptr;

void CALLBACK Cerrar(HWND, UINT, UINT_PTR, DWORD) {
  PostMessageA(pantalla->ventana, WM_CLOSE, 0, 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR linea, int) {
  int segundos = linea && *linea ? std::atoi(linea) : 10;
  RegistroClases registro;
  pantalla = CrearPantalla(&registro, "Controles del toolkit", 760, 560);
  pantalla->FijarIcono(LoadIconA(GetModuleHandleA(nullptr), "ICONO"));

  Tool *barra = pantalla->AgregarTool(300, 16);
  barra->AgregarBotonBarra("Nuevo", 0);
  barra->AgregarBotonBarra("Abrir", 1);
  barra->AgregarSeparador();
  barra->AgregarBotonBarra("Guardar", 2);
  barra->MostrarBarra();

  pantalla->AgregarLabel("Etiqueta: Si el programa está funcionando en red...", 20, 60, 420, 15, 0);
  pantalla->AgregarBoton("Crear Copia de Obras", 20, 85, 170, 33);
  Check *check = pantalla->AgregarCheck("Con vidrio doble", 20, 125, 170, 20);
  check->Marcar(true);
  Option *roble = pantalla->AgregarOption("Roble", 20, 150, 80, 20);
  pantalla->AgregarOption("Pino", 110, 150, 80, 20);
  roble->Marcar(true);
  pantalla->AgregarFrame("Marco", 200, 85, 240, 90);
  Edit *edicion = pantalla->AgregarEdit(210, 105, 220, 22, 0);
  SetWindowTextA(edicion->ventana, "Hoja de 120 x 80");
  Progress *barraProgreso = pantalla->AgregarProgress(210, 140, 220, 20);
  barraProgreso->FijarMinimo(0);
  barraProgreso->FijarMaximo(3000000);
  barraProgreso->FijarPosicion(1500000);

  List *lista = pantalla->AgregarList(20, 185, 200, 120, false);
  for (const char *nombre :
       {"Copia Completa 2026-12-11", "Copia de Obras 2026-12-10", "Copia de Precios 2026-12-09"})
    lista->AgregarItem(nombre);
  lista->Seleccionar(0);
  Combo *combo = pantalla->AgregarCombo(240, 185, 200, 120);
  combo->AgregarItem("Aluminio");
  combo->AgregarItem("Madera");
  combo->Seleccionar(1);
  Calendar *calendario = pantalla->AgregarCalendar(240, 220, 200, 25);
  calendario->FijarFecha("11/12/2026");

  Tab *pestanas = pantalla->AgregarTab(460, 60, 280, 120);
  pestanas->AgregarPestana("Obras");
  pestanas->AgregarPestana("Precios");
  Tree *arbol = pantalla->AgregarTree(460, 190, 280, 150);
  arbol->AgregarNodo("uno", 0);
  arbol->AgregarNodo("dos", 0);
  arbol->AgregarNodo("tres", 0);
  arbol->AgregarNodo("hija de dos", 2);
  SendMessageA(arbol->ventana, TVM_EXPAND, TVE_EXPAND,
               reinterpret_cast<LPARAM>(*reinterpret_cast<HTREEITEM *>(arbol->nodos->Dato(2))));

  pantalla->AgregarImage("IMAGEN", 20, 320, 64, 32);
  pantalla->AgregarIcono("ICONO", 100, 320, 32, 32);
  pantalla->AgregarEje(150, 320, 100, 60);
  Status *estado = pantalla->AgregarStatus();
  char texto[] = "Listo";
  estado->EnviarMensaje401(0, reinterpret_cast<LPARAM>(texto));

  SetTimer(nullptr, 0, static_cast<UINT>(segundos) * 1000, Cerrar);
  pantalla->Ejecutar(1);
  pantalla->Destruir();
  delete pantalla;
  registro.DesregistrarClases();
  return 0;
}
