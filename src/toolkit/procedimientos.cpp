#include "toolkit/procedimientos.h"

#include "toolkit/controles.h"
#include "toolkit/pantalla.h"

#include <commctrl.h>

#include <cstring>

WNDPROC procedimientoAnterior = nullptr;

namespace {

template <class T> T *ObjetoDe(HWND ventana) {
  if (!ventana)
    return nullptr;
  return reinterpret_cast<T *>(static_cast<intptr_t>(GetWindowLongA(ventana, GWL_USERDATA)));
}

intptr_t BajoSinSigno(LPARAM valor) {
  return static_cast<intptr_t>(LOWORD(valor));
}
intptr_t AltoSinSigno(LPARAM valor) {
  return static_cast<intptr_t>(HIWORD(valor));
}

bool EsPantalla(HWND ventana) {
  char clase[80] = {};
  GetClassNameA(ventana, clase, sizeof(clase));
  if (std::strcmp(clase, "SmPicture") == 0)
    return false;
  return std::strcmp(clase, "SmPantalla") == 0 || std::strcmp(clase, "SmDialogo") == 0;
}

bool SaltaTabulador(int32_t tipo) {
  return tipo >= TipoFrame && tipo <= TipoLabel;
}

// Tab goes to the next control that takes the focus, or back to control 1.
void MoverFoco(Pantalla *pantalla, int32_t desde) {
  int32_t ultimo = pantalla->cantidadControles;
  if (ultimo > MaximoControles)
    ultimo = MaximoControles;
  for (int32_t id = desde + 1; id <= ultimo; ++id) {
    SmControl *candidato = pantalla->controles[id];
    if (candidato && !SaltaTabulador(candidato->tipoControl)) {
      SetFocus(candidato->ventana);
      return;
    }
  }
  if (pantalla->controles[1])
    SetFocus(pantalla->controles[1]->ventana);
}

void LlamarFoco(SmControl *control, int32_t codigo, Gancho alPerder, Gancho alRecibir,
                int32_t perder, int32_t recibir, NMHDR *cabecera) {
  if (codigo == perder)
    LlamarGancho(alPerder, control, codigo, reinterpret_cast<intptr_t>(cabecera));
  else if (codigo == recibir)
    LlamarGancho(alRecibir, control, codigo, reinterpret_cast<intptr_t>(cabecera));
}

// Notification codes of the controls, routed by kind to their hooks.
void Encaminar(Pantalla *pantalla, SmControl *control, int32_t codigo, NMHDR *cabecera) {
  intptr_t cab = reinterpret_cast<intptr_t>(cabecera);
  switch (control->tipoControl) {
  case TipoCheck:
    if (codigo == BN_CLICKED) {
      bool marcado = SendMessageA(control->ventana, BM_GETCHECK, 0, 0) == BST_CHECKED;
      SendMessageA(control->ventana, BM_SETCHECK, marcado ? BST_UNCHECKED : BST_CHECKED, 0);
      LlamarGancho(control->alClic, control, codigo);
      return;
    }
    break;
  case TipoOption:
    if (codigo == BN_CLICKED) {
      // Every option of the screen forms one group.
      for (int32_t id = 1; id <= pantalla->cantidadControles && id <= MaximoControles; ++id) {
        SmControl *otro = pantalla->controles[id];
        if (otro && otro->tipoControl == TipoOption)
          SendMessageA(otro->ventana, BM_SETCHECK, BST_UNCHECKED, 0);
      }
      SendMessageA(control->ventana, BM_SETCHECK, BST_CHECKED, 0);
      LlamarGancho(control->alClic, control, codigo);
      return;
    }
    break;
  case TipoBoton:
  case TipoFrame:
    if (codigo == BN_CLICKED) {
      LlamarGancho(control->alClic, control, codigo);
      return;
    }
    break;
  case TipoEdit: {
    Edit *edicion = static_cast<Edit *>(control);
    if (codigo == EN_SETFOCUS) {
      edicion->LeerTexto();
      edicion->SeleccionarTexto(0, GetWindowTextLengthA(edicion->ventana));
      LlamarGancho(control->alRecibirFoco, control, codigo);
    } else if (codigo == EN_KILLFOCUS) {
      LlamarGancho(control->alPerderFoco, control, codigo);
    } else if (codigo == EN_CHANGE) {
      LlamarGancho(edicion->alCambiar, control, codigo);
    }
    return;
  }
  case TipoList: {
    List *lista = static_cast<List *>(control);
    if (codigo == LBN_SELCHANGE)
      LlamarGancho(lista->alSeleccionar, control, codigo);
    else if (codigo == LBN_DBLCLK)
      LlamarGancho(control->alDobleClic, control, codigo);
    else
      LlamarFoco(control, codigo, control->alPerderFoco, control->alRecibirFoco, LBN_KILLFOCUS,
                 LBN_SETFOCUS, nullptr);
    return;
  }
  case TipoCombo: {
    Combo *combo = static_cast<Combo *>(control);
    if (codigo == CBN_SELCHANGE)
      LlamarGancho(combo->alSeleccionar, control, codigo);
    else if (codigo == CBN_DBLCLK)
      LlamarGancho(control->alDobleClic, control, codigo);
    else
      LlamarFoco(control, codigo, control->alPerderFoco, control->alRecibirFoco, CBN_KILLFOCUS,
                 CBN_SETFOCUS, nullptr);
    return;
  }
  case TipoCalendar:
  case TipoTree:
    if (codigo == static_cast<int32_t>(DTN_DATETIMECHANGE) && control->tipoControl == TipoCalendar)
      LlamarGancho(static_cast<Calendar *>(control)->alCambiar, control, codigo, cab);
    else
      LlamarFoco(control, codigo, control->alPerderFoco, control->alRecibirFoco, NM_KILLFOCUS,
                 NM_SETFOCUS, cabecera);
    return;
  case TipoTab:
    if (codigo == static_cast<int32_t>(TCN_SELCHANGE))
      LlamarGancho(static_cast<Tab *>(control)->alSeleccionar, control, codigo, cab);
    else
      LlamarFoco(control, codigo, control->alPerderFoco, control->alRecibirFoco, NM_KILLFOCUS,
                 NM_SETFOCUS, cabecera);
    return;
  default:
    return;
  }
  // Focus codes of the button kinds.
  LlamarFoco(control, codigo, control->alPerderFoco, control->alRecibirFoco, BN_KILLFOCUS,
             BN_SETFOCUS, nullptr);
}

bool EncaminaComandos(int32_t tipo) {
  return (tipo >= TipoBoton && tipo <= TipoFrame) || (tipo >= TipoEdit && tipo <= TipoTab);
}

LRESULT Comando(Pantalla *pantalla, HWND ventana, WPARAM wParam, LPARAM lParam) {
  int32_t id = LOWORD(wParam);
  int32_t codigo = static_cast<int16_t>(HIWORD(wParam));
  if (id >= 500 && id <= 599) {
    LlamarGancho(pantalla->alComando, nullptr, id);
    return 0;
  }
  SmControl *control = ObjetoDe<SmControl>(reinterpret_cast<HWND>(lParam));
  if (!control)
    return DefWindowProcA(ventana, WM_COMMAND, wParam, lParam);
  if (control->tipoControl == TipoTool) {
    LlamarGancho(static_cast<Tool *>(control)->alComando, nullptr, id - 200);
  } else if (EncaminaComandos(control->tipoControl) && id >= 1 && id <= MaximoControles) {
    SmControl *registrado = pantalla->controles[id];
    if (registrado)
      Encaminar(pantalla, registrado, codigo, nullptr);
  }
  return 0;
}

// The tooltip reads its text after the procedure has returned.
char textoAyuda[30];

LRESULT Notificacion(Pantalla *pantalla, WPARAM wParam, LPARAM lParam) {
  NMHDR *cabecera = reinterpret_cast<NMHDR *>(lParam);
  if (!cabecera)
    return 0;
  if (wParam >= 201 && wParam <= 299) {
    if (cabecera->code == TTN_NEEDTEXTA) {
      std::memset(textoAyuda, 0, sizeof(textoAyuda));
      LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(cabecera->idFrom), textoAyuda,
                  sizeof(textoAyuda));
      reinterpret_cast<NMTTDISPINFOA *>(lParam)->lpszText = textoAyuda;
    }
    return 0;
  }
  SmControl *control = ObjetoDe<SmControl>(cabecera->hwndFrom);
  if (!control)
    return 0;
  int32_t codigo = static_cast<int32_t>(cabecera->code);
  switch (control->tipoControl) {
  case TipoTab:
  case TipoCalendar:
    Encaminar(pantalla, control, codigo, cabecera);
    break;
  case TipoTree:
    if (cabecera->code == TVN_SELCHANGEDA) {
      NMTREEVIEWA *cambio = reinterpret_cast<NMTREEVIEWA *>(lParam);
      LlamarGancho(static_cast<Tree *>(control)->alSeleccionar, nullptr,
                   BajoSinSigno(cambio->itemOld.lParam), AltoSinSigno(cambio->itemNew.lParam),
                   BajoSinSigno(cambio->itemNew.lParam));
    } else {
      Encaminar(pantalla, control, codigo, cabecera);
    }
    break;
  default:
    break;
  }
  return 0;
}

LRESULT AtenderPantalla(Pantalla *s, HWND w, UINT mensaje, WPARAM wParam, LPARAM lParam) {
  switch (mensaje) {
  case WM_DESTROY:
    LlamarGancho(s->alDestruir);
    PostQuitMessage(0);
    return 0;
  case WM_SIZE:
    s->ancho = LOWORD(lParam);
    s->alto = HIWORD(lParam);
    for (int32_t id = 1; id <= s->cantidadControles && id <= MaximoControles; ++id) {
      SmControl *control = s->controles[id];
      if (!control)
        continue;
      if (control->tipoControl == TipoStatus)
        SendMessageA(control->ventana, WM_SIZE, 0, 0);
      else if (control->tipoControl == TipoTool)
        SendMessageA(control->ventana, TB_AUTOSIZE, 0, 0);
    }
    LlamarGancho(s->alRedimensionar);
    return 0;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != 0)
      LlamarGancho(s->alActivar);
    return 0;
  case WM_PAINT: {
    PAINTSTRUCT pintura;
    HDC dc = BeginPaint(w, &pintura);
    LlamarGancho(s->alPintar, nullptr, reinterpret_cast<intptr_t>(dc));
    EndPaint(w, &pintura);
    return 0;
  }
  case WM_CLOSE:
    DestroyWindow(w);
    return 0;
  case WM_SHOWWINDOW:
    LlamarGancho(s->alMostrar);
    return 0;
  case WM_DRAWITEM:
    if (w == s->ventana) {
      DRAWITEMSTRUCT *dibujo = reinterpret_cast<DRAWITEMSTRUCT *>(lParam);
      LlamarGancho(
          s->alDibujarItem, nullptr, static_cast<intptr_t>(dibujo->itemID),
          reinterpret_cast<intptr_t>(dibujo->hDC), reinterpret_cast<intptr_t>(&dibujo->rcItem),
          static_cast<intptr_t>(dibujo->itemAction), static_cast<intptr_t>(dibujo->itemState));
    }
    return 0;
  case WM_MEASUREITEM:
    if (w == s->ventana) {
      MEASUREITEMSTRUCT *medida = reinterpret_cast<MEASUREITEMSTRUCT *>(lParam);
      LlamarGancho(s->alMedirItem, nullptr, static_cast<intptr_t>(medida->itemID),
                   reinterpret_cast<intptr_t>(&medida->itemWidth),
                   reinterpret_cast<intptr_t>(&medida->itemHeight));
    }
    return 0;
  case WM_NOTIFY:
    return Notificacion(s, wParam, lParam);
  case WM_KEYDOWN:
    if (s->controles[1] && wParam == VK_TAB)
      SetFocus(s->controles[1]->ventana);
    LlamarGancho(s->alPulsarTecla, nullptr, static_cast<intptr_t>(wParam));
    return 0;
  case WM_KEYUP:
    LlamarGancho(s->alSoltarTecla, nullptr, static_cast<intptr_t>(wParam));
    return 0;
  case WM_COMMAND:
    return Comando(s, w, wParam, lParam);
  case WM_MOUSEMOVE:
    LlamarGancho(s->alMoverRaton, nullptr, BajoSinSigno(lParam), AltoSinSigno(lParam));
    return 0;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
    LlamarGancho(s->alPulsarBoton, nullptr, mensaje == WM_LBUTTONDOWN ? 1 : 2, BajoSinSigno(lParam),
                 AltoSinSigno(lParam));
    return 0;
  case WM_LBUTTONUP:
    LlamarGancho(s->alSoltarBoton, nullptr, 1, BajoSinSigno(lParam), AltoSinSigno(lParam));
    LlamarGancho(s->alClic);
    return 0;
  case WM_RBUTTONUP:
    LlamarGancho(s->alSoltarBoton, nullptr, 2, BajoSinSigno(lParam), AltoSinSigno(lParam));
    return 0;
  case WM_LBUTTONDBLCLK:
    LlamarGancho(s->alDobleClic);
    return 0;
  case WM_MOUSEWHEEL:
    LlamarGancho(s->alRueda, nullptr, static_cast<int16_t>(HIWORD(wParam)) < 0 ? 1 : 0);
    return 0;
  case WM_NCDESTROY:
    // The handle may be given to another window from now on.
    s->ventana = nullptr;
    break;
  default:
    break;
  }
  return CallWindowProcA(procedimientoAnterior ? procedimientoAnterior : DefWindowProcA, w, mensaje,
                         wParam, lParam);
}

void AtenderControl(SmControl *c, HWND w, UINT mensaje, WPARAM wParam, LPARAM lParam) {
  switch (mensaje) {
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
    LlamarGancho(c->alPulsarBoton, nullptr, mensaje == WM_LBUTTONDOWN ? 1 : 2, BajoSinSigno(lParam),
                 AltoSinSigno(lParam));
    break;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
    LlamarGancho(c->alSoltarBoton, nullptr, mensaje == WM_LBUTTONUP ? 1 : 2, BajoSinSigno(lParam),
                 AltoSinSigno(lParam));
    break;
  case WM_LBUTTONDBLCLK:
    LlamarGancho(c->alDobleClic);
    break;
  case WM_MOUSEMOVE:
    LlamarGancho(c->alMoverRaton, nullptr, BajoSinSigno(lParam), AltoSinSigno(lParam));
    break;
  case WM_KEYDOWN:
    if (wParam == VK_TAB) {
      Pantalla *s = EsPantalla(c->ventanaPadre) ? ObjetoDe<Pantalla>(c->ventanaPadre) : nullptr;
      if (s && s->cantidadControles > 0)
        MoverFoco(s, c->identificador);
    }
    LlamarGancho(c->alPulsarTecla, nullptr, static_cast<intptr_t>(wParam));
    break;
  case WM_KEYUP:
    LlamarGancho(c->alSoltarTecla, nullptr, static_cast<intptr_t>(wParam));
    break;
  case WM_NCDESTROY:
    // The window goes with its screen even while the object lives on.
    if (c->ventana == w)
      c->ventana = nullptr;
    break;
  default:
    break;
  }
}

} // namespace

LRESULT CALLBACK procedimientoClase(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(ventana, mensaje, wParam, lParam);
}

LRESULT CALLBACK procedimientoPantalla(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam) {
  // Nothing may unwind through Windows: a hook's exception ends here.
  try {
    if (!EsPantalla(ventana))
      return DefWindowProcA(ventana, mensaje, wParam, lParam);
    Pantalla *pantalla = ObjetoDe<Pantalla>(ventana);
    if (!pantalla)
      return DefWindowProcA(ventana, mensaje, wParam, lParam);
    return AtenderPantalla(pantalla, ventana, mensaje, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK procedimientoControl(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam) {
  SmControl *control = ObjetoDe<SmControl>(ventana);
  if (!control)
    return DefWindowProcA(ventana, mensaje, wParam, lParam);
  WNDPROC original = control->procedimientoOriginal;
  try {
    AtenderControl(control, ventana, mensaje, wParam, lParam);
  } catch (...) {
    // The hooks only observe: the native control still gets the message.
  }
  if (!original)
    return DefWindowProcA(ventana, mensaje, wParam, lParam);
  return CallWindowProcA(original, ventana, mensaje, wParam, lParam);
}
