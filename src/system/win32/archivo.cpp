#include "system/archivo.h"

#include "system/interno.h"

#include <windows.h>

namespace {

HANDLE Manejador(std::intptr_t valor) {
  return reinterpret_cast<HANDLE>(valor);
}

// Moves the file pointer to an absolute 32-bit offset (the high part keeps offsets past
// 2 GiB from being taken as negative).
bool Mover(HANDLE h, std::uint32_t desplazamiento) {
  LONG alto = 0;
  DWORD r = SetFilePointer(h, static_cast<LONG>(desplazamiento), &alto, FILE_BEGIN);
  return !(r == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

// WriteFile may move fewer bytes than asked: loop until all are written or it fails.
bool EscribirTodo(HANDLE h, const void *datos, std::uint32_t cantidad) {
  const char *p = static_cast<const char *>(datos);
  while (cantidad > 0) {
    DWORD escritos = 0;
    if (!WriteFile(h, p, cantidad, &escritos, nullptr) || escritos == 0)
      return false;
    p += escritos;
    cantidad -= escritos;
  }
  return true;
}

// Reads until the count is reached, the file ends or the system fails; returns the
// bytes read through leidos.
bool LeerHasta(HANDLE h, void *destino, std::uint32_t cantidad, std::uint32_t &leidos) {
  char *p = static_cast<char *>(destino);
  leidos = 0;
  while (leidos < cantidad) {
    DWORD n = 0;
    if (!ReadFile(h, p + leidos, cantidad - leidos, &n, nullptr))
      return false;
    if (n == 0)
      break;
    leidos += n;
  }
  return true;
}

} // namespace

Archivo::Archivo() : abierto(false), posicion(0), manejador(0), tamano(0) {}

Archivo::Archivo(const char *nombre) : Archivo() {
  AbrirCon(nombre, false);
}

Archivo::~Archivo() {
  abierto = false;
  posicion = 0;
  if (Usable()) {
    FlushFileBuffers(Manejador(manejador));
    CloseHandle(Manejador(manejador));
  }
  manejador = 0;
}

bool Archivo::Usable() const {
  return manejador != 0 && Manejador(manejador) != INVALID_HANDLE_VALUE;
}

bool Archivo::AbrirCon(const char *nombre, bool soloLectura) {
  // A file already held is closed first, so that its handle is not lost.
  if (Usable())
    Cerrar();
  abierto = false;
  posicion = 0;
  tamano = 0;
  manejador = 0;
  if (!nombre)
    return false;
  // Windows refuses write access to a read-only file; asked explicitly so that the
  // answer is the same where the system lets an administrator through (Wine run as root).
  DWORD atributos = GetFileAttributesA(nombre);
  if (!soloLectura && atributos != INVALID_FILE_ATTRIBUTES &&
      (atributos & FILE_ATTRIBUTE_READONLY) && !(atributos & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  HANDLE h = soloLectura ? CreateFileA(nombre, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                         : CreateFileA(nombre, GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE, nullptr);
  manejador = reinterpret_cast<std::intptr_t>(h);
  abierto = Usable();
  return abierto;
}

bool Archivo::Abrir(const char *nombre) {
  return AbrirCon(nombre, false);
}

bool Archivo::AbrirLectura(const char *nombre) {
  return AbrirCon(nombre, true);
}

std::uint32_t Archivo::Tamano() {
  HANDLE h = Manejador(manejador);
  SetFilePointer(h, 0, nullptr, FILE_BEGIN);
  DWORD alta = 0;
  tamano = GetFileSize(h, &alta);
  // A file past the 32-bit range gives the failure value rather than its size cut short.
  if (alta != 0)
    tamano = 0xFFFFFFFFu;
  return tamano;
}

bool Archivo::Fin() {
  if (tamano == 0)
    Tamano();
  return posicion >= tamano;
}

void Archivo::Posicionar(std::uint32_t desplazamiento) {
  if (!Usable())
    return;
  posicion = desplazamiento;
  Mover(Manejador(manejador), desplazamiento);
}

bool Archivo::EscribirEn(std::uint32_t desplazamiento, const void *datos, std::uint32_t cantidad) {
  return EscribirTodoEn(desplazamiento, datos, cantidad);
}

bool Archivo::EscribirTodoEn(std::uint32_t desplazamiento, const void *datos,
                             std::uint32_t cantidad) {
  posicion = desplazamiento;
  if (!Usable() || (!datos && cantidad > 0))
    return false;
  HANDLE h = Manejador(manejador);
  return Mover(h, desplazamiento) && EscribirTodo(h, datos, cantidad);
}

bool Archivo::LeerEn(std::uint32_t desplazamiento, void *destino, std::uint32_t cantidad) {
  posicion = desplazamiento;
  if (!Usable() || (!destino && cantidad > 0))
    return false;
  HANDLE h = Manejador(manejador);
  std::uint32_t leidos = 0;
  // Bytes past the end are not there to read: the destination keeps its contents there.
  return Mover(h, desplazamiento) && LeerHasta(h, destino, cantidad, leidos);
}

bool Archivo::LeerTodoEn(std::uint32_t desplazamiento, void *destino, std::uint32_t cantidad) {
  posicion = desplazamiento;
  if (!Usable() || (!destino && cantidad > 0))
    return false;
  HANDLE h = Manejador(manejador);
  std::uint32_t leidos = 0;
  return Mover(h, desplazamiento) && LeerHasta(h, destino, cantidad, leidos) && leidos == cantidad;
}

bool Archivo::FijarTamano(std::uint32_t longitud) {
  if (!Usable())
    return false;
  HANDLE h = Manejador(manejador);
  return Mover(h, longitud) && SetEndOfFile(h);
}

bool Archivo::EscribirLinea(const char *texto) {
  if (!Usable() || !texto)
    return false;
  std::uint32_t largo = static_cast<std::uint32_t>(lstrlenA(texto));
  bool bien = EscribirTodoEn(posicion, texto, largo);
  std::uint32_t despues = posicion + largo;
  bien = EscribirTodoEn(despues, "\r\n", 2) && bien;
  posicion = despues + 2;
  return bien;
}

void Archivo::LeerLinea(char *destino, std::size_t capacidad) {
  std::uint32_t total = Tamano();
  if (!Usable() || total == 0xFFFFFFFFu || posicion >= total || !destino || capacidad == 0)
    return;
  std::uint32_t resto = total - posicion;
  unsigned char ventana[interno::kVentanaLinea] = {};
  std::uint32_t pedir = resto < sizeof ventana ? resto : sizeof ventana;
  std::uint32_t leidos = 0;
  HANDLE h = Manejador(manejador);
  if (!Mover(h, posicion) || !LeerHasta(h, ventana, pedir, leidos) || leidos == 0)
    return;
  posicion += interno::CortarLinea(ventana, leidos, destino, capacidad);
}

bool Archivo::Cerrar() {
  if (!Usable())
    return false;
  HANDLE h = Manejador(manejador);
  FlushFileBuffers(h);
  bool cerrado = CloseHandle(h) != 0;
  abierto = false;
  posicion = 0;
  manejador = 0;
  return cerrado;
}
