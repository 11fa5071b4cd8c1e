// Shared by the toolkit tests: a registered set of classes, one screen, and hooks that note
// every call they receive.
#ifndef QOR_TESTS_TOOLKIT_VENTANAS_PRUEBA_H
#define QOR_TESTS_TOOLKIT_VENTANAS_PRUEBA_H

#include "toolkit/controles.h"
#include "toolkit/pantalla.h"

#include <gtest/gtest.h>

#include <vector>

// Which hook a noted call came through.
enum QueGancho {
  gClic = 1,
  gDobleClic,
  gPulsarBoton,
  gSoltarBoton,
  gMoverRaton,
  gPulsarTecla,
  gSoltarTecla,
  gPerderFoco,
  gRecibirFoco,
  gSeleccionar,
  gCambiar,
  gComando,
  gRueda,
  gPintar,
  gDestruir,
  gRedimensionar,
  gActivar,
  gMostrar,
  gMedirItem,
  gDibujarItem,
};

struct Llamada {
  int gancho;
  SmControl *control;
  intptr_t a, b, c, d, e;
};

inline std::vector<Llamada> &Llamadas() {
  static std::vector<Llamada> llamadas;
  return llamadas;
}

template <int N>
long Anotar(SmControl *control, intptr_t a, intptr_t b, intptr_t c, intptr_t d, intptr_t e) {
  Llamadas().push_back({N, control, a, b, c, d, e});
  return 0;
}

// Removes every pending message of the thread, the quit message too.
inline void VaciarCola() {
  MSG mensaje;
  while (PeekMessageA(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
    if (mensaje.message != WM_QUIT)
      DispatchMessageA(&mensaje);
  }
}

class ConPantalla : public ::testing::Test {
protected:
  void SetUp() override {
    Llamadas().clear();
    registro = new RegistroClases();
    pantalla = CrearDialogo(registro, "Prueba", 580, 400);
    ASSERT_NE(pantalla->ventana, nullptr);
  }
  void TearDown() override {
    if (pantalla) {
      pantalla->Destruir();
      delete pantalla;
    }
    VaciarCola();
    delete registro;
  }
  // Shows the screen without running its loop, so that focus changes take effect.
  void Mostrar() {
    ShowWindow(pantalla->ventana, SW_SHOWNORMAL);
    SetForegroundWindow(pantalla->ventana);
    VaciarCola();
  }

  RegistroClases *registro = nullptr;
  Pantalla *pantalla = nullptr;
};

#endif
