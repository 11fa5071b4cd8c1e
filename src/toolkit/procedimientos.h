#ifndef QOR_TOOLKIT_PROCEDIMIENTOS_H
#define QOR_TOOLKIT_PROCEDIMIENTOS_H

#include <windows.h>

// Class procedure of the screen classes and of "SmPicture": everything to DefWindowProcA.
LRESULT CALLBACK procedimientoClase(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam);
// Installed on every screen window: turns messages into the screen's hooks and routes the
// controls' commands and notifications to theirs.
LRESULT CALLBACK procedimientoPantalla(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam);
// Installed on every control window: mouse and key hooks, Tab navigation, then the native
// procedure.
LRESULT CALLBACK procedimientoControl(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam);

// The procedure that subclassing a screen replaced; unhandled screen messages go to it.
extern WNDPROC procedimientoAnterior;

#endif
