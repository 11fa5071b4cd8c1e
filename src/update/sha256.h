// SHA-256 of a byte stream, fed in pieces of any size; for checking downloaded updates.
#ifndef QOR_UPDATE_SHA256_H
#define QOR_UPDATE_SHA256_H

#include <cstddef>
#include <cstdint>

class ResumenSha256 {
public:
  ResumenSha256();
  void Agregar(const void *datos, std::size_t cantidad);
  // The 32-byte digest; the object must not be fed afterwards.
  void Terminar(std::uint8_t resumen[32]);
  // The digest as 64 lower-case hex digits and a NUL (65 characters).
  void TerminarHex(char hex[65]);

private:
  void Bloque(const std::uint8_t *bloque);

  std::uint32_t estado[8];
  std::uint64_t totalBytes;
  std::uint8_t pendiente[64];
  std::size_t cantidadPendiente;
};

#endif
