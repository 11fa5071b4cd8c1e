// Where the backups live, how their files are named and shown, the start-up listing and
// the delete command.
#ifndef QOR_BACKUP_CATALOGO_H
#define QOR_BACKUP_CATALOGO_H

#include <cstddef>

// The install folder: the Windows folder's drive root followed by "QOR_Fenestrali_2".
// False (empty text) when the Windows folder doesn't start with a drive root "X:\".
bool CarpetaInstalacion(char *destino, std::size_t capacidad);
// The install folder followed by the sub-folder, for example "\BK".
bool CarpetaDe(const char *subcarpeta, char *destino, std::size_t capacidad);
template <std::size_t N> bool CarpetaDe(const char *subcarpeta, char (&d)[N]) {
  return CarpetaDe(subcarpeta, d, N);
}

// Writes " Fecha dd-mm-aaaa Hora hh-mm-ss.smbk" for the current local time (at least 37
// characters of room).
void SelloFechaHora(char *destino, std::size_t capacidad);
template <std::size_t N> void SelloFechaHora(char (&d)[N]) {
  static_assert(N >= 37);
  SelloFechaHora(d, N);
}

// File name -> display name, in place: the first two "-" become "/", later ones ":",
// and the text ends at its first ".".
void NombreVisible(char *texto);
// Display name -> file name, in place: "/" and ":" become "-" and ".smbk" is appended.
// False (text unchanged) when the result doesn't fit the buffer.
bool NombreArchivo(char *texto, std::size_t capacidad);
template <std::size_t N> bool NombreArchivo(char (&d)[N]) {
  return NombreArchivo(d, N);
}

// Copies the text of the backup list's selected entry. False, having told the user, when
// nothing is selected; false as well when the text can't be taken whole.
bool TomarSeleccion(char (&texto)[150]);

// Fills the console's backup list from the backup folder and selects the first entry.
void ListarCopias();
// The delete command: deletes the selected backup after asking.
void EliminarCopia();

#endif
