// What a command may ask of the console: status text, progress, the one-message pump,
// the busy state, the backup list and message boxes. Commands never touch a control;
// the window console and the recording console used by tests implement this.
#ifndef QOR_CONSOLE_OPERACIONES_CONSOLA_H
#define QOR_CONSOLE_OPERACIONES_CONSOLA_H

#include <cstddef>
#include <cstdint>

// Icons of a notice, as MessageBoxA takes them.
enum class IconoAviso : std::uint32_t {
  Ninguno = 0x00,
  Error = 0x10,       // MB_ICONHAND
  Pregunta = 0x20,    // MB_ICONQUESTION
  Advertencia = 0x30, // MB_ICONEXCLAMATION
  Informacion = 0x40, // MB_ICONASTERISK
};

class OperacionesConsola {
public:
  virtual ~OperacionesConsola() = default;

  // Shows the text on the status line; callers pass at most 149 characters.
  virtual void MostrarEstado(const char *texto) = 0;
  // The progress bar's range bounds (each keeps the other) and its position, which the
  // bar clamps into the range. Full 32-bit values.
  virtual void FijarMinimoProgreso(std::int32_t minimo) = 0;
  virtual void FijarMaximoProgreso(std::int32_t maximo) = 0;
  virtual void FijarProgreso(std::int32_t posicion) = 0;
  // Dispatches at most one pending window message; never blocks.
  virtual void AtenderMensaje() = 0;
  // The busy state: the command controls disabled / enabled again, each followed by one
  // AtenderMensaje.
  virtual void DeshabilitarComandos() = 0;
  virtual void HabilitarComandos() = 0;

  // The backup list: sorted, case-insensitive; positions are 0-based like the list box's.
  virtual std::int32_t CantidadItems() = 0;
  // Adds a text at its sorted place; the place is left in ultimoIndice.
  virtual void AgregarItem(const char *texto) = 0;
  // Removes the item; a selection on it is lost, one after it moves up with it.
  virtual void BorrarItem(std::int32_t indice) = 0;
  // Copies the item's text into the buffer (empty when out of range or not fitting).
  virtual void TextoItem(std::int32_t indice, char *destino, std::size_t capacidad) = 0;
  // Selects the item; -1 clears the selection.
  virtual void Seleccionar(std::int32_t indice) = 0;
  // The selected position, or -1 when nothing is selected.
  virtual std::int32_t Seleccion() = 0;

  // A notice with an OK button, without an owner window, caption "QOR".
  virtual void Aviso(const char *texto, IconoAviso icono) = 0;
  // A Yes/No question with the question icon and No as default, without an owner window,
  // caption "QOR"; true for Yes.
  virtual bool Pregunta(const char *texto) = 0;

  std::int32_t ultimoIndice = -1;
};

// The console the commands report to: set by the console at start-up (or by a test)
// before any command runs, cleared at teardown.
inline OperacionesConsola *laConsola = nullptr;

#endif
