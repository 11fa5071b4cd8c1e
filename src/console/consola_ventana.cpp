#include "console/consola_ventana.h"

#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/restaurar_copia.h"
#include "system/pc.h"
#include "toolkit/controles.h"
#include "toolkit/pantalla.h"
#include "update/actualizar.h"

#include <cstring>
#include <new>

namespace {

constexpr const char *kTitulo = "Consola QOR_Fenestrali_2";
constexpr const char *kTextoRed = "Si el programa está funcionando en red las copias de seguridad "
                                  "deben crearse y restaurarse en la PC servidor.";
constexpr const char *kTextoActualizacion =
    "La actualización crea una copia de seguridad de obras y precios en forma automática.";
constexpr const char *kTextoSinMemoria =
    "No hay memoria suficiente: la operación no pudo terminar.";
constexpr const char *kTextoErrorInesperado = "La operación terminó por un error inesperado.";

// The console whose buttons the hooks serve (the hooks are plain functions).
ConsolaVentana *consolaActiva = nullptr;

long Nada(SmControl *, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  return 0;
}

void Obras() {
  CrearCopiaObras();
}
void Precios() {
  CrearCopiaPrecios();
}
void Completa() {
  CrearCopiaCompleta();
}
void Restaurar() {
  RestaurarCopia();
}
void Eliminar() {
  EliminarCopia();
}

template <ComandoConsola comando>
long AlClicCopia(SmControl *, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  if (consolaActiva)
    consolaActiva->EjecutarComando(comando, true);
  return 0;
}

long AlClicActualizar(SmControl *, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {
  if (!consolaActiva)
    return 0;
  // The update command enters and leaves the busy state itself; while the slot is empty
  // the button runs only the busy state.
  if (consolaActiva->comandoActualizar)
    consolaActiva->EjecutarComando(consolaActiva->comandoActualizar, false);
  else
    consolaActiva->EjecutarComando(nullptr, true);
  return 0;
}

} // namespace

ConsolaVentana::~ConsolaVentana() {
  if (consolaActiva == this)
    consolaActiva = nullptr;
  if (laConsola == this)
    laConsola = nullptr;
}

void ConsolaVentana::Iniciar(HINSTANCE instancia) {
  pc = new PC();
  elPC = pc;
  registro = new RegistroClases();
  pantalla = CrearDialogo(registro, kTitulo, 580, 400, nullptr, nullptr);
  icono = LoadIconA(instancia, "CB");
  if (pantalla) {
    pantalla->FijarIcono(icono);
    pantalla->alPintar = Nada;
    pantalla->alMostrar = Nada;
    pantalla->alDestruir = Nada;
    pantalla->alRedimensionar = Nada;

    etiquetaRed = pantalla->AgregarLabel(kTextoRed, 20, 20, 550, 15, 0);
    etiquetaActualizacion = pantalla->AgregarLabel(kTextoActualizacion, 20, 35, 550, 15, 0);
    listaCopias = pantalla->AgregarList(20, 60, 350, 230, false);
    botonObras = pantalla->AgregarBoton("Crear Copia de Obras", 380, 60, 170, 33);
    botonPrecios = pantalla->AgregarBoton("Crear Copia de Precios", 380, 100, 170, 33);
    botonCompleta = pantalla->AgregarBoton("Crear Copia Completa", 380, 140, 170, 33);
    botonRestaurar = pantalla->AgregarBoton("Restaurar la Copia Seleccionada", 380, 180, 170, 33);
    botonEliminar = pantalla->AgregarBoton("Eliminar la Copia Seleccionada", 380, 220, 170, 33);
    botonActualizar = pantalla->AgregarBoton("Actualizar", 380, 300, 170, 33);
    // Drawn over the top of botonActualizar, as the window has always shown it.
    etiquetaEstado = pantalla->AgregarLabel("...", 25, 295, 525, 15, 0);
    barraProgreso = pantalla->AgregarProgress(20, 310, 350, 20);
  }

  consolaActiva = this;
  laConsola = this;
  comandoActualizar = Actualizar;
  if (botonObras)
    botonObras->alClic = AlClicCopia<Obras>;
  if (botonPrecios)
    botonPrecios->alClic = AlClicCopia<Precios>;
  if (botonCompleta)
    botonCompleta->alClic = AlClicCopia<Completa>;
  if (botonRestaurar)
    botonRestaurar->alClic = AlClicCopia<Restaurar>;
  if (botonEliminar)
    botonEliminar->alClic = AlClicCopia<Eliminar>;
  if (botonActualizar)
    botonActualizar->alClic = AlClicActualizar;

  ListarCopias();
}

void ConsolaVentana::Ejecutar() {
  if (pantalla)
    pantalla->Ejecutar(SW_SHOWNORMAL);
}

void ConsolaVentana::Terminar() {
  if (pantalla) {
    pantalla->Destruir();
    delete pantalla;
    pantalla = nullptr;
  }
  // The button objects went with the screen; the others' windows went with the window.
  botonObras = botonPrecios = botonCompleta = botonRestaurar = botonEliminar = botonActualizar =
      nullptr;
  if (registro) {
    registro->DesregistrarClases();
    delete registro;
    registro = nullptr;
  }
  if (icono) {
    DestroyIcon(icono);
    icono = nullptr;
  }
  if (laConsola == this)
    laConsola = nullptr;
  if (elPC == pc)
    elPC = nullptr;
  delete pc;
  pc = nullptr;
}

void ConsolaVentana::MostrarEstado(const char *texto) {
  if (etiquetaEstado && texto)
    etiquetaEstado->FijarTexto(texto);
}

void ConsolaVentana::FijarMinimoProgreso(std::int32_t minimo) {
  if (barraProgreso)
    barraProgreso->FijarMinimo(minimo);
}

void ConsolaVentana::FijarMaximoProgreso(std::int32_t maximo) {
  if (barraProgreso)
    barraProgreso->FijarMaximo(maximo);
}

void ConsolaVentana::FijarProgreso(std::int32_t posicion) {
  if (barraProgreso)
    barraProgreso->FijarPosicion(posicion);
}

void ConsolaVentana::AtenderMensaje() {
  MSG mensaje;
  if (!PeekMessageA(&mensaje, nullptr, 0, 0, PM_REMOVE))
    return;
  if (mensaje.message == WM_QUIT) {
    // The window was closed while a command runs. The loop must still see this once the
    // command has finished.
    salidaPendiente_ = true;
    codigoSalida_ = static_cast<int>(mensaje.wParam);
    return;
  }
  TranslateMessage(&mensaje);
  DispatchMessageA(&mensaje);
}

void ConsolaVentana::HabilitarTodos(bool habilitados) {
  SmControl *const comandos[] = {botonObras,      botonPrecios,  botonCompleta, botonRestaurar,
                                 botonActualizar, botonEliminar, listaCopias};
  for (SmControl *c : comandos)
    if (c)
      c->Habilitar(habilitados);
}

void ConsolaVentana::DeshabilitarComandos() {
  HabilitarTodos(false);
  AtenderMensaje();
}

void ConsolaVentana::HabilitarComandos() {
  HabilitarTodos(true);
  AtenderMensaje();
}

std::int32_t ConsolaVentana::CantidadItems() {
  return listaCopias ? listaCopias->CantidadItems() : 0;
}

void ConsolaVentana::AgregarItem(const char *texto) {
  if (!listaCopias || !texto)
    return;
  ultimoIndice = listaCopias->AgregarItem(texto);
}

void ConsolaVentana::BorrarItem(std::int32_t indice) {
  if (listaCopias)
    listaCopias->BorrarItem(indice);
}

void ConsolaVentana::TextoItem(std::int32_t indice, char *destino, std::size_t capacidad) {
  if (!destino || capacidad == 0)
    return;
  destino[0] = '\0';
  if (!listaCopias)
    return;
  const char *texto = listaCopias->TextoItem(indice);
  if (!texto)
    return;
  std::size_t largo = std::strlen(texto);
  if (largo < capacidad)
    std::memcpy(destino, texto, largo + 1);
}

void ConsolaVentana::Seleccionar(std::int32_t indice) {
  if (listaCopias)
    listaCopias->Seleccionar(indice);
}

std::int32_t ConsolaVentana::Seleccion() {
  return listaCopias ? listaCopias->Seleccion() : -1;
}

void ConsolaVentana::Aviso(const char *texto, IconoAviso icono) {
  MessageBoxA(nullptr, texto, "QOR", MB_OK | static_cast<UINT>(icono));
}

bool ConsolaVentana::Pregunta(const char *texto) {
  return MessageBoxA(nullptr, texto, "QOR", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void ConsolaVentana::EjecutarComando(ComandoConsola comando, bool ocupado) {
  // One command at a time: a click that reaches a button while another command runs (a
  // BM_CLICK sent to it, say, which a disabled button still obeys) starts nothing.
  if (enComando_)
    return;
  enComando_ = true;
  if (ocupado)
    DeshabilitarComandos();
  // Nothing may unwind through the window procedure that called us.
  bool interrumpido = true;
  try {
    if (comando)
      comando();
    interrumpido = false;
  } catch (const std::bad_alloc &) {
    Aviso(kTextoSinMemoria, IconoAviso::Error);
  } catch (...) {
    Aviso(kTextoErrorInesperado, IconoAviso::Error);
  }
  // A command cut short may have left the busy state on, whoever entered it.
  if (ocupado || interrumpido)
    HabilitarComandos();
  enComando_ = false;
  DevolverSalida();
}

void ConsolaVentana::DevolverSalida() {
  if (!salidaPendiente_)
    return;
  salidaPendiente_ = false;
  PostQuitMessage(codigoSalida_);
}
