// Binary file over the standard library's file stream, with the same operation names
// as Archivo. A missing file is created empty; a failure of the stream is sticky.
#ifndef QOR_SYSTEM_FLUJO_H
#define QOR_SYSTEM_FLUJO_H

#include <cstddef>
#include <cstdint>
#include <fstream>

class Flujo {
public:
  explicit Flujo(const char *ruta);
  ~Flujo();
  Flujo(const Flujo &) = delete;
  Flujo &operator=(const Flujo &) = delete;

  bool Abrir(const char *ruta);
  bool EstaAbierto() const { return abierto; }
  // False once the stream has failed (a short read, a refused write); sticky.
  bool Correcto() const;
  std::uint32_t Tamano();
  bool Fin();
  void LeerLinea(char *destino, std::size_t capacidad);
  template <std::size_t N> void LeerLinea(char (&d)[N]) { LeerLinea(d, N); }
  void Posicionar(std::int32_t desplazamiento);
  void EscribirLinea(const char *texto);
  void EscribirEn(std::int32_t desplazamiento, const void *datos, std::uint32_t longitud);
  void LeerEn(std::int32_t desplazamiento, void *destino, std::uint32_t longitud);
  void Cerrar();

private:
  bool abierto;
  std::int32_t posicion;
  std::fstream *flujoArchivo;
  std::uint32_t tamano;
};

#endif
