// The console's "Actualizar" command.
#ifndef QOR_UPDATE_ACTUALIZAR_H
#define QOR_UPDATE_ACTUALIZAR_H

// The button's handler: busy state, safety backup, the update decision, the post-update
// step, the notice that the product will open, busy state off, the product started.
// Reports through laConsola, which must be set.
void Actualizar();
// The decision: version check, then download, stop and install, or a notice. True only
// when a package was installed whole.
bool ComprobarYActualizar();

extern const char *const kMensajeSinActualizaciones;
extern const char *const kMensajeServidorNoDisponible;
extern const char *const kMensajeSeAbriraProducto;
// The status text during the download: the words and 38 spaces.
extern const char *const kEstadoDescargando;

#endif
