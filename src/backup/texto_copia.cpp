#include "backup/texto_copia.h"

#include <cstring>

bool Componer(char *destino, std::size_t capacidad, std::initializer_list<const char *> partes) {
  if (capacidad == 0)
    return false;
  std::memset(destino, 0, capacidad);
  std::size_t usado = 0;
  for (const char *parte : partes) {
    std::size_t largo = std::strlen(parte);
    if (largo >= capacidad - usado) {
      std::memset(destino, 0, capacidad);
      return false;
    }
    std::memcpy(destino + usado, parte, largo);
    usado += largo;
  }
  return true;
}

bool Anexar(char *destino, std::size_t capacidad, const char *texto) {
  const void *fin = std::memchr(destino, 0, capacidad);
  std::size_t actual =
      fin ? static_cast<std::size_t>(static_cast<const char *>(fin) - destino) : capacidad;
  std::size_t largo = std::strlen(texto);
  if (actual >= capacidad || largo >= capacidad - actual)
    return false;
  std::memcpy(destino + actual, texto, largo + 1);
  return true;
}

std::string TextoConNombres(const char *encabezado, const std::vector<std::string> &nombres) {
  constexpr std::size_t kMaximo = 20;
  std::string texto = encabezado;
  texto += "\n";
  for (std::size_t i = 0; i < nombres.size() && i < kMaximo; ++i)
    texto += "\n" + nombres[i];
  if (nombres.size() > kMaximo)
    texto += "\n(y " + std::to_string(nombres.size() - kMaximo) + " más)";
  return texto;
}
