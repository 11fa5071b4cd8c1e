#include "system/reemplazo.h"

#include <windows.h>

bool ReemplazarArchivo(const char *nuevo, const char *destino) {
  if (!nuevo || !destino)
    return false;
  // Windows refuses to replace a read-only file; Wine does not, so it is asked first.
  DWORD atributos = GetFileAttributesA(destino);
  if (atributos != INVALID_FILE_ATTRIBUTES &&
      (atributos & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;
  // A destination held open makes the move fail; nothing is lost then.
  return MoveFileExA(nuevo, destino, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
