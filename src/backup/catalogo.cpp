#include "backup/catalogo.h"

#include "backup/formato_copia.h"
#include "backup/texto_copia.h"
#include "backup/textos_copia.h"
#include "console/operaciones_consola.h"
#include "system/lista_nombres.h"
#include "system/pc.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

bool CarpetaInstalacion(char *destino, std::size_t capacidad) {
  char windows[255];
  std::memset(windows, 0, sizeof windows);
  elPC->DirectorioWindows(windows);
  // Only a drive root gives an install folder; anything else would make a relative path.
  bool raiz = std::isalpha(static_cast<unsigned char>(windows[0])) && windows[1] == ':' &&
              windows[2] == '\\';
  if (!raiz) {
    if (capacidad > 0)
      std::memset(destino, 0, capacidad);
    return false;
  }
  windows[3] = '\0';
  return Componer(destino, capacidad, {windows, "QOR_Fenestrali_2"});
}

bool CarpetaDe(const char *subcarpeta, char *destino, std::size_t capacidad) {
  char instalacion[512];
  if (!CarpetaInstalacion(instalacion, sizeof instalacion))
    return Componer(destino, capacidad, {}) && false;
  return Componer(destino, capacidad, {instalacion, subcarpeta});
}

void SelloFechaHora(char *destino, std::size_t capacidad) {
  std::time_t ahora = std::time(nullptr);
  std::tm local{};
  const std::tm *t = std::localtime(&ahora);
  if (t != nullptr)
    local = *t;
  std::snprintf(destino, capacidad, " Fecha %02d-%02d-%d Hora %02d-%02d-%02d.smbk", local.tm_mday,
                local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
}

void NombreVisible(char *texto) {
  int guiones = 0;
  for (char *p = texto; *p != '\0'; ++p) {
    if (*p == '-') {
      *p = ++guiones <= 2 ? '/' : ':';
    } else if (*p == '.') {
      p[0] = '\0';
      p[1] = '\0';
      return;
    }
  }
}

bool NombreArchivo(char *texto, std::size_t capacidad) {
  std::size_t largo = std::strlen(texto);
  if (largo + 5 >= capacidad)
    return false;
  for (char *p = texto; *p != '\0'; ++p)
    if (*p == '/' || *p == ':')
      *p = '-';
  std::memcpy(texto + largo, ".smbk", 6);
  return true;
}

void ListarCopias() {
  char instalacion[512];
  if (!CarpetaInstalacion(instalacion, sizeof instalacion) || !elPC->ExisteCarpeta(instalacion)) {
    laConsola->Aviso(kTextoNoInstalado, IconoAviso::Ninguno);
    return;
  }
  char carpeta[255];
  if (!CarpetaDe("\\BK", carpeta) || !elPC->ExisteCarpeta(carpeta))
    return;
  auto lista = std::make_unique<ListaNombres>(carpeta);
  for (std::int32_t i = 1; i <= lista->Cantidad(); ++i) {
    ItemNombre *item = lista->Item(i);
    NombreVisible(item->nombre);
    // A name the commands couldn't take back from the list isn't offered.
    if (std::strlen(item->nombre) < 150)
      laConsola->AgregarItem(item->nombre);
  }
  lista.reset();
  if (laConsola->CantidadItems() > 0)
    laConsola->Seleccionar(0);
}

bool TomarSeleccion(char (&texto)[150]) {
  std::memset(texto, 0, sizeof texto);
  std::int32_t seleccion = laConsola->Seleccion();
  if (seleccion < 0 || seleccion >= laConsola->CantidadItems()) {
    laConsola->Aviso(kTextoSinSeleccion, IconoAviso::Informacion);
    return false;
  }
  laConsola->TextoItem(seleccion, texto, sizeof texto);
  return texto[0] != '\0';
}

void EliminarCopia() {
  if (laConsola->CantidadItems() == 0)
    return;
  char ruta[512];
  if (!CarpetaDe("\\BK\\", ruta))
    return;
  std::int32_t seleccion = laConsola->Seleccion();
  char texto[150];
  if (!TomarSeleccion(texto))
    return;
  if (!laConsola->Pregunta(kTextoConfirmaEliminar))
    return;
  // The file name must stay a plain name in the backup folder.
  if (NombreArchivo(texto) && NombreEntradaValido(texto) && Anexar(ruta, sizeof ruta, texto) &&
      elPC->ExisteArchivo(ruta))
    elPC->BorrarArchivo(ruta);
  laConsola->BorrarItem(seleccion);
  if (laConsola->CantidadItems() > 0)
    laConsola->Seleccionar(0);
}
