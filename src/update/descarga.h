// Download of the update file, the CAB cut out of it and its expansion into the
// update package that the installer reads.
#ifndef QOR_UPDATE_DESCARGA_H
#define QOR_UPDATE_DESCARGA_H

// Both report to the console the commands report to (laConsola).

// Opens the internet session, downloads and extracts, closes the session. False when
// the session could not be opened or the download did not end in a usable CAB.
bool DescargarActualizacion();
// Fetches <urlBase>/<producto>.smx into the install folder with percentage progress,
// writes the CAB that follows its 128-byte descriptor and expands it into the package.
// False when nothing usable arrived (no session, no answer, a short or damaged download,
// a file that could not be written), the user having been told of the last three; true
// otherwise, also when the expansion itself failed.
bool DescargarYExtraer(const char *urlBase, const char *producto);

// What the user is told when a download fails.
extern const char *const kMensajeDescargaIncompleta;
extern const char *const kMensajeEscrituraFallida;
extern const char *const kMensajeActualizacionDanada;

#endif
