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

  virtual void MostrarEstado(const char *texto) = 0;
  virtual void FijarMinimoProgreso(std::int32_t minimo) = 0;
  virtual void FijarMaximoProgreso(std::int32_t maximo) = 0;
  virtual void FijarProgreso(std::int32_t posicion) = 0;
  // Dispatches at most one pending window message; never blocks.
  virtual void AtenderMensaje() = 0;
  // The busy state: the command controls disabled / enabled again.
  virtual void DeshabilitarComandos() = 0;
  virtual void HabilitarComandos() = 0;

  // The backup list: sorted, case-insensitive; positions are 0-based like the list box's.
  virtual std::int32_t CantidadItems() = 0;
  // Adds a text at its sorted place; the place is left in ultimoIndice.
  virtual void AgregarItem(const char *texto) = 0;
  virtual void BorrarItem(std::int32_t indice) = 0;
  // Copies the item's text into the buffer (empty when out of range or not fitting).
  virtual void TextoItem(std::int32_t indice, char *destino, std::size_t capacidad) = 0;
  virtual void Seleccionar(std::int32_t indice) = 0;
  // The selected position, or -1 when nothing is selected.
  virtual std::int32_t Seleccion() = 0;

  // A notice without an owner window, caption "QOR".
  virtual void Aviso(const char *texto, IconoAviso icono) = 0;
  // A Yes/No question with the question icon and No as default; true for Yes.
  virtual bool Pregunta(const char *texto) = 0;

  std::int32_t ultimoIndice = -1;
};

#endif
