// The console window: its screen and eleven controls, the operations the commands report
// through, the button slots, and the program's start-up and teardown around the loop.
#ifndef QOR_CONSOLE_CONSOLA_VENTANA_H
#define QOR_CONSOLE_CONSOLA_VENTANA_H

#include "console/operaciones_consola.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

class Boton;
class Label;
class List;
class Pantalla;
class PC;
class Progress;
class RegistroClases;
class SmControl;

// What a button slot runs; null for an empty slot.
using ComandoConsola = void (*)();

class ConsolaVentana final : public OperacionesConsola {
public:
  ConsolaVentana() = default;
  ~ConsolaVentana() override;
  ConsolaVentana(const ConsolaVentana &) = delete;
  ConsolaVentana &operator=(const ConsolaVentana &) = delete;

  // Start-up: the PC object, the window classes, the screen with its icon, hooks and
  // controls, the button slots and the start-up listing. The window is not shown yet.
  void Iniciar(HINSTANCE instancia);
  // Shows the window and runs the message loop until the quit message.
  void Ejecutar();
  // Teardown in its fixed order: screen, classes, icon, PC.
  void Terminar();

  void MostrarEstado(const char *texto) override;
  void FijarMinimoProgreso(std::int32_t minimo) override;
  void FijarMaximoProgreso(std::int32_t maximo) override;
  void FijarProgreso(std::int32_t posicion) override;
  // Takes a quit message out of the queue without losing it: see DevolverSalida.
  void AtenderMensaje() override;
  void DeshabilitarComandos() override;
  void HabilitarComandos() override;
  std::int32_t CantidadItems() override;
  void AgregarItem(const char *texto) override;
  void BorrarItem(std::int32_t indice) override;
  void TextoItem(std::int32_t indice, char *destino, std::size_t capacidad) override;
  void Seleccionar(std::int32_t indice) override;
  std::int32_t Seleccion() override;
  void Aviso(const char *texto, IconoAviso icono) override;
  bool Pregunta(const char *texto) override;

  // Runs a button's command inside the busy state (when `ocupado`), keeps any exception
  // inside, and gives the loop back a quit message that the command's pump took. Does
  // nothing while another command runs.
  void EjecutarComando(ComandoConsola comando, bool ocupado);
  // Posts again the quit message that AtenderMensaje took, so that the loop still ends.
  void DevolverSalida();

  // The update slot's command, which enters and leaves the busy state itself; with none the
  // button runs only the busy state.
  ComandoConsola comandoActualizar = nullptr;

  PC *pc = nullptr;
  RegistroClases *registro = nullptr;
  Pantalla *pantalla = nullptr;
  HICON icono = nullptr;
  Label *etiquetaRed = nullptr;
  Label *etiquetaActualizacion = nullptr;
  List *listaCopias = nullptr;
  Boton *botonObras = nullptr;
  Boton *botonPrecios = nullptr;
  Boton *botonCompleta = nullptr;
  Boton *botonRestaurar = nullptr;
  Boton *botonEliminar = nullptr;
  Boton *botonActualizar = nullptr;
  Label *etiquetaEstado = nullptr;
  Progress *barraProgreso = nullptr;

private:
  // The seven command controls in their fixed order.
  void HabilitarTodos(bool habilitados);

  bool enComando_ = false;
  bool salidaPendiente_ = false;
  int codigoSalida_ = 0;
};

#endif
