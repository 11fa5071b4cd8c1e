#include "system/archivo.h"

#include "system/interno.h"
#include "system/rutas.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The handle is the file descriptor plus one, so that 0 still means "no file".
namespace {

// A file without any write permission stands for Windows' read-only attribute; it is
// refused for writing even to root, who could otherwise write it.
bool SoloLectura(const struct stat &st) {
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool EscribirTodo(int fd, const void *datos, std::uint32_t cantidad, std::uint32_t desplazamiento) {
  const char *p = static_cast<const char *>(datos);
  off_t donde = desplazamiento;
  while (cantidad > 0) {
    ssize_t n = pwrite(fd, p, cantidad, donde);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    p += n;
    donde += n;
    cantidad -= static_cast<std::uint32_t>(n);
  }
  return true;
}

bool LeerHasta(int fd, void *destino, std::uint32_t cantidad, std::uint32_t desplazamiento,
               std::uint32_t &leidos) {
  char *p = static_cast<char *>(destino);
  leidos = 0;
  while (leidos < cantidad) {
    ssize_t n =
        pread(fd, p + leidos, cantidad - leidos, static_cast<off_t>(desplazamiento) + leidos);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      return false;
    if (n == 0)
      break;
    leidos += static_cast<std::uint32_t>(n);
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
    fsync(static_cast<int>(manejador - 1));
    close(static_cast<int>(manejador - 1));
  }
  manejador = 0;
}

bool Archivo::Usable() const {
  return manejador > 0;
}

bool Archivo::AbrirCon(const char *nombre, bool soloLectura) {
  // A file already held is closed first, so that its descriptor is not lost.
  if (Usable())
    Cerrar();
  abierto = false;
  posicion = 0;
  tamano = 0;
  manejador = 0;
  if (!nombre)
    return false;
  std::string ruta = RutaLocal(nombre);
  int fd = soloLectura ? open(ruta.c_str(), O_RDONLY | O_CLOEXEC)
                       : open(ruta.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0)
    return false;
  struct stat st;
  // As on Windows: a folder is no file, and a read-only file can't be opened for writing.
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || (!soloLectura && SoloLectura(st))) {
    close(fd);
    return false;
  }
  manejador = static_cast<std::intptr_t>(fd) + 1;
  abierto = true;
  return true;
}

bool Archivo::Abrir(const char *nombre) {
  return AbrirCon(nombre, false);
}

bool Archivo::AbrirLectura(const char *nombre) {
  return AbrirCon(nombre, true);
}

std::uint32_t Archivo::Tamano() {
  struct stat st;
  // A file past the 32-bit range gives the failure value rather than its size cut short.
  if (!Usable() || fstat(static_cast<int>(manejador - 1), &st) != 0 || st.st_size > 0xFFFFFFFE)
    tamano = 0xFFFFFFFFu;
  else
    tamano = static_cast<std::uint32_t>(st.st_size);
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
  lseek(static_cast<int>(manejador - 1), static_cast<off_t>(desplazamiento), SEEK_SET);
}

bool Archivo::EscribirEn(std::uint32_t desplazamiento, const void *datos, std::uint32_t cantidad) {
  return EscribirTodoEn(desplazamiento, datos, cantidad);
}

bool Archivo::EscribirTodoEn(std::uint32_t desplazamiento, const void *datos,
                             std::uint32_t cantidad) {
  posicion = desplazamiento;
  if (!Usable() || (!datos && cantidad > 0))
    return false;
  return EscribirTodo(static_cast<int>(manejador - 1), datos, cantidad, desplazamiento);
}

bool Archivo::LeerEn(std::uint32_t desplazamiento, void *destino, std::uint32_t cantidad) {
  posicion = desplazamiento;
  if (!Usable() || (!destino && cantidad > 0))
    return false;
  std::uint32_t leidos = 0;
  // Bytes past the end are not there to read: the destination keeps its contents there.
  return LeerHasta(static_cast<int>(manejador - 1), destino, cantidad, desplazamiento, leidos);
}

bool Archivo::LeerTodoEn(std::uint32_t desplazamiento, void *destino, std::uint32_t cantidad) {
  posicion = desplazamiento;
  if (!Usable() || (!destino && cantidad > 0))
    return false;
  std::uint32_t leidos = 0;
  return LeerHasta(static_cast<int>(manejador - 1), destino, cantidad, desplazamiento, leidos) &&
         leidos == cantidad;
}

bool Archivo::FijarTamano(std::uint32_t longitud) {
  if (!Usable())
    return false;
  return ftruncate(static_cast<int>(manejador - 1), static_cast<off_t>(longitud)) == 0;
}

bool Archivo::EscribirLinea(const char *texto) {
  if (!Usable() || !texto)
    return false;
  std::uint32_t largo = static_cast<std::uint32_t>(std::strlen(texto));
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
  if (!LeerHasta(static_cast<int>(manejador - 1), ventana, pedir, posicion, leidos) || leidos == 0)
    return;
  posicion += interno::CortarLinea(ventana, leidos, destino, capacidad);
}

bool Archivo::Cerrar() {
  if (!Usable())
    return false;
  int fd = static_cast<int>(manejador - 1);
  fsync(fd);
  bool cerrado = close(fd) == 0;
  abierto = false;
  posicion = 0;
  manejador = 0;
  return cerrado;
}
