#ifndef QOR_TOOLKIT_GANCHO_H
#define QOR_TOOLKIT_GANCHO_H

#include <cstdint>

class SmControl;

// The one form of every event hook of screens and controls. Each route fills the arguments it
// has, in order, and passes 0 for the rest; the result is ignored.
//   control: the control for the notification routes, otherwise none.
//   a..e:    the route's numbers (button, x, y; key; notification code and NMHDR; ...).
using Gancho = long (*)(SmControl *control, intptr_t a, intptr_t b, intptr_t c, intptr_t d,
                        intptr_t e);

// Calls the hook when it is set; an empty hook is skipped.
inline void LlamarGancho(Gancho gancho, SmControl *control = nullptr, intptr_t a = 0,
                         intptr_t b = 0, intptr_t c = 0, intptr_t d = 0, intptr_t e = 0) {
  if (gancho)
    gancho(control, a, b, c, d, e);
}

#endif
