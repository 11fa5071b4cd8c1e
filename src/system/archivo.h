// Binary file over an operating-system handle, addressed by absolute 32-bit offsets.
// Opened for reading and writing with read/write sharing; created when missing and
// never truncated.
#ifndef QOR_SYSTEM_ARCHIVO_H
#define QOR_SYSTEM_ARCHIVO_H

#include <cstddef>
#include <cstdint>

class Archivo {
public:
  Archivo();
  explicit Archivo(const char *nombre);
  ~Archivo();
  Archivo(const Archivo &) = delete;
  Archivo &operator=(const Archivo &) = delete;

  // Closes a file already held before opening the new one.
  bool Abrir(const char *nombre);
  // Opens an existing file for reading only (read and write sharing); never creates.
  // For sources that may be read-only or that the product keeps open.
  bool AbrirLectura(const char *nombre);
  bool EstaAbierto() const { return abierto; }
  // File size; 4294967295 when no file is open.
  std::uint32_t Tamano();
  bool Fin();
  void Posicionar(std::uint32_t desplazamiento);
  bool EscribirEn(std::uint32_t desplazamiento, const void *datos, std::uint32_t cantidad);
  bool LeerEn(std::uint32_t desplazamiento, void *destino, std::uint32_t cantidad);
  // Full transfers: true only when every byte asked for was moved.
  bool EscribirTodoEn(std::uint32_t desplazamiento, const void *datos, std::uint32_t cantidad);
  bool LeerTodoEn(std::uint32_t desplazamiento, void *destino, std::uint32_t cantidad);
  // Cuts or extends the file to the given length.
  bool FijarTamano(std::uint32_t longitud);
  bool EscribirLinea(const char *texto);
  // Reads up to the next CR LF; the destination holds at most capacidad-1 characters.
  void LeerLinea(char *destino, std::size_t capacidad);
  template <std::size_t N> void LeerLinea(char (&d)[N]) { LeerLinea(d, N); }
  bool Cerrar();

private:
  bool abierto;
  std::uint32_t posicion;
  std::intptr_t manejador; // HANDLE on Windows, file descriptor + 1 on POSIX; 0 = none
  std::uint32_t tamano;

  bool Usable() const;
  bool AbrirCon(const char *nombre, bool soloLectura);
};

#endif
