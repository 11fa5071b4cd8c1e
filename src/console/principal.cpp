// The program's entry point: start-up, the message loop and teardown of the console.
#include "console/consola_ventana.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE, LPSTR, int) {
  ConsolaVentana consola;
  consola.Iniciar(instancia);
  consola.Ejecutar();
  consola.Terminar();
  return 0;
}
