// A picture of a window as the screen shows it, saved as a PNG file (a test artefact).
#ifndef QOR_TESTS_CONSOLE_CAPTURA_H
#define QOR_TESTS_CONSOLE_CAPTURA_H

#include <windows.h>

#include <string>

// Copies the window's outer rectangle from the screen and writes it to the (Windows) path;
// false when the picture could not be taken or written.
bool GuardarCaptura(HWND ventana, const std::string &ruta);

#endif
