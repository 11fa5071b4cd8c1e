#include "update/sha256.h"

#include <cstring>

namespace {

constexpr std::uint32_t kRondas[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

inline std::uint32_t Rotar(std::uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

} // namespace

ResumenSha256::ResumenSha256()
    : estado{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
             0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19},
      totalBytes(0), pendiente{}, cantidadPendiente(0) {}

void ResumenSha256::Bloque(const std::uint8_t *b) {
  std::uint32_t w[64];
  for (int i = 0; i < 16; ++i)
    w[i] = (std::uint32_t(b[4 * i]) << 24) | (std::uint32_t(b[4 * i + 1]) << 16) |
           (std::uint32_t(b[4 * i + 2]) << 8) | std::uint32_t(b[4 * i + 3]);
  for (int i = 16; i < 64; ++i) {
    std::uint32_t s0 = Rotar(w[i - 15], 7) ^ Rotar(w[i - 15], 18) ^ (w[i - 15] >> 3);
    std::uint32_t s1 = Rotar(w[i - 2], 17) ^ Rotar(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::uint32_t a = estado[0], b2 = estado[1], c = estado[2], d = estado[3], e = estado[4],
                f = estado[5], g = estado[6], h = estado[7];
  for (int i = 0; i < 64; ++i) {
    std::uint32_t t1 =
        h + (Rotar(e, 6) ^ Rotar(e, 11) ^ Rotar(e, 25)) + ((e & f) ^ (~e & g)) + kRondas[i] + w[i];
    std::uint32_t t2 =
        (Rotar(a, 2) ^ Rotar(a, 13) ^ Rotar(a, 22)) + ((a & b2) ^ (a & c) ^ (b2 & c));
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b2;
    b2 = a;
    a = t1 + t2;
  }
  estado[0] += a;
  estado[1] += b2;
  estado[2] += c;
  estado[3] += d;
  estado[4] += e;
  estado[5] += f;
  estado[6] += g;
  estado[7] += h;
}

void ResumenSha256::Agregar(const void *datos, std::size_t cantidad) {
  const auto *p = static_cast<const std::uint8_t *>(datos);
  totalBytes += cantidad;
  if (cantidadPendiente > 0) {
    std::size_t toma = 64 - cantidadPendiente;
    if (toma > cantidad)
      toma = cantidad;
    std::memcpy(pendiente + cantidadPendiente, p, toma);
    cantidadPendiente += toma;
    p += toma;
    cantidad -= toma;
    if (cantidadPendiente < 64)
      return;
    Bloque(pendiente);
    cantidadPendiente = 0;
  }
  for (; cantidad >= 64; p += 64, cantidad -= 64)
    Bloque(p);
  std::memcpy(pendiente, p, cantidad);
  cantidadPendiente = cantidad;
}

void ResumenSha256::Terminar(std::uint8_t resumen[32]) {
  std::uint64_t bits = totalBytes * 8;
  static const std::uint8_t relleno[64] = {0x80};
  std::size_t falta = cantidadPendiente < 56 ? 56 - cantidadPendiente : 120 - cantidadPendiente;
  Agregar(relleno, falta);
  std::uint8_t largo[8];
  for (int i = 0; i < 8; ++i)
    largo[i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
  Agregar(largo, 8);
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 4; ++j)
      resumen[4 * i + j] = static_cast<std::uint8_t>(estado[i] >> (24 - 8 * j));
}

void ResumenSha256::TerminarHex(char hex[65]) {
  static const char digitos[] = "0123456789abcdef";
  std::uint8_t resumen[32];
  Terminar(resumen);
  for (int i = 0; i < 32; ++i) {
    hex[2 * i] = digitos[resumen[i] >> 4];
    hex[2 * i + 1] = digitos[resumen[i] & 15];
  }
  hex[64] = '\0';
}
