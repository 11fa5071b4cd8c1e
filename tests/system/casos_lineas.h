// Line reading shared by Archivo and Flujo: the same file contents must read back as the
// same lines, and a loop that reads until Fin must always end.
#ifndef QOR_TESTS_CASOS_LINEAS_H
#define QOR_TESTS_CASOS_LINEAS_H

#include <cstddef>
#include <string>
#include <vector>

struct CasoLineas {
  const char *que;
  std::string contenido;
  std::size_t capacidad; // room of the destination
  std::vector<std::string> lineas;
};

inline std::vector<CasoLineas> CasosLineas() {
  return {
      {"CR LF lines", "ab\r\ncd\r\n", 64, {"ab", "cd"}},
      {"last line without line end", "ab\r\ncd", 64, {"ab", "cd"}},
      {"empty lines", "\r\n\r\nx\r\n", 64, {"", "", "x"}},
      {"lone CR keeps the next byte", "a\rb\r\n", 64, {"a", "b"}},
      {"CR at the very end", "ab\r", 64, {"ab"}},
      {"empty file", "", 64, {}},
      // Longer than the 1023 bytes a line can carry: it comes back in pieces.
      {"over-long line",
       std::string(1500, 'x') + "\r\nfin\r\n",
       2048,
       {std::string(1023, 'x'), std::string(477, 'x'), "fin"}},
      {"CR just after the first piece",
       std::string(1023, 'y') + "\r\nz",
       2048,
       {std::string(1023, 'y'), "z"}},
      // A small destination gets pieces that fit it, each terminated.
      {"small destination", "abcdef\r\ngh\r\n", 4, {"abc", "def", "gh"}},
  };
}

// Reads lines until Fin, giving up after far more calls than the case could need.
template <typename T>
std::vector<std::string> LeerTodasLasLineas(T &archivo, std::size_t capacidad) {
  std::vector<std::string> lineas;
  for (int vueltas = 0; !archivo.Fin() && vueltas < 100; ++vueltas) {
    std::vector<char> destino(capacidad + 8, '#');
    destino[capacidad] = '!'; // just past the room given: must stay untouched
    archivo.LeerLinea(destino.data(), capacidad);
    if (destino[capacidad] != '!')
      return {"<overflow>"};
    lineas.emplace_back(destino.data());
  }
  return lineas;
}

#endif
