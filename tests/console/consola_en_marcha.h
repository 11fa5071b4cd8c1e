// Drives the real console program from outside, as a user would: starts QOR_Consola.exe
// on the prepared installation, clicks its buttons, answers its "QOR" message boxes and
// reads its window back. Windows build only (run under Wine).
#ifndef QOR_TESTS_CONSOLE_CONSOLA_EN_MARCHA_H
#define QOR_TESTS_CONSOLE_CONSOLA_EN_MARCHA_H

#include "instalacion_temporal.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Identifiers of the console's controls, in creation order.
enum IdControl : int {
  kEtiquetaRed = 1,
  kEtiquetaActualizacion,
  kListaCopias,
  kBotonObras,
  kBotonPrecios,
  kBotonCompleta,
  kBotonRestaurar,
  kBotonEliminar,
  kBotonActualizar,
  kEtiquetaEstado,
  kBarraProgreso,
};

// The seven controls a command disables, in their fixed order.
inline constexpr int kComandos[] = {kBotonObras,     kBotonPrecios,    kBotonCompleta,
                                    kBotonRestaurar, kBotonActualizar, kBotonEliminar,
                                    kListaCopias};

// The 24 data tables a complete backup packs.
extern const char *const kTablas[24];

class ConsolaEnMarcha : public UnidadTemporal {
protected:
  void TearDown() override;

  // An installation with the given job files (name, content) and all 24 tables, each
  // table `bytesTabla` long with content that names it.
  void PrepararInstalacion(const std::vector<std::pair<std::string, std::string>> &obras,
                           std::size_t bytesTabla = 64);
  static std::string ContenidoTabla(const std::string &tabla, std::size_t bytes);

  // Starts the program and waits for its window; false when it did not show in time.
  // With `esperarVentana` false it returns once the process runs.
  bool Arrancar(bool esperarVentana = true);
  bool EsperarVentana();
  HWND Ventana() const { return ventana_; }
  HWND Control(int id) const { return GetDlgItem(ventana_, id); }
  // Posts a click: a sent one would block while the command runs.
  void Pulsar(int id) const;

  // The visible "QOR" message box of the program, waiting up to `ms`; null when none.
  HWND EsperarAviso(DWORD ms = 20000) const;
  static std::string TextoAviso(HWND aviso);
  static void Responder(HWND aviso, int boton);
  // Waits until no "QOR" box is up and the command controls are enabled again.
  bool EsperarInactiva(DWORD ms = 60000) const;
  bool Habilitado(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

  std::vector<std::string> Lista() const;
  int Seleccion() const;
  std::string Texto(int id) const;
  // Waits for the list to reach `cantidad` entries.
  bool EsperarCantidad(std::size_t cantidad, DWORD ms = 60000) const;

  // Waits for the process to end; its exit code, or -1 when it did not end in time.
  long EsperarFin(DWORD ms = 60000);
  void CerrarVentana() const { PostMessageA(ventana_, WM_CLOSE, 0, 0); }

  // The archive files in the backup folder, by file name, sorted.
  std::vector<std::string> Archivos() const;
  // True when the archive's header holds its own length (it was completed).
  bool ArchivoCompleto(const std::string &nombre) const;

  static std::string RutaWindows(const std::string &rutaHost);

  PROCESS_INFORMATION proceso_{};
  HWND ventana_ = nullptr;
};

#endif
