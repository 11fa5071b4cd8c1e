#include "texto_inspector.h"

#include <cstdio>

namespace {

// Windows-1252's 0x80..0x9F; 0 where the code page assigns nothing.
const unsigned short kAlto[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void PonerUtf8(std::string &salida, unsigned punto) {
  if (punto < 0x80) {
    salida += static_cast<char>(punto);
  } else if (punto < 0x800) {
    salida += static_cast<char>(0xC0 | punto >> 6);
    salida += static_cast<char>(0x80 | (punto & 0x3F));
  } else {
    salida += static_cast<char>(0xE0 | punto >> 12);
    salida += static_cast<char>(0x80 | ((punto >> 6) & 0x3F));
    salida += static_cast<char>(0x80 | (punto & 0x3F));
  }
}

} // namespace

std::string Utf8DeAnsi(const std::string &ansi) {
  std::string r;
  for (unsigned char c : ansi) {
    unsigned punto = c;
    if (c >= 0x80 && c < 0xA0 && kAlto[c - 0x80] != 0)
      punto = kAlto[c - 0x80];
    PonerUtf8(r, punto);
  }
  return r;
}

bool EsUtf8(const std::string &texto) {
  std::size_t i = 0;
  while (i < texto.size()) {
    unsigned char c = static_cast<unsigned char>(texto[i]);
    std::size_t siguen = c < 0x80             ? 0
                         : (c & 0xE0) == 0xC0 ? 1
                         : (c & 0xF0) == 0xE0 ? 2
                         : (c & 0xF8) == 0xF0 ? 3
                                              : 9;
    if (siguen == 9 || (siguen == 1 && c < 0xC2) || i + siguen >= texto.size())
      return false;
    for (std::size_t k = 1; k <= siguen; ++k)
      if ((static_cast<unsigned char>(texto[i + k]) & 0xC0) != 0x80)
        return false;
    i += siguen + 1;
  }
  return true;
}

std::string Json(const std::string &utf8) {
  std::string r = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      r += '\\';
      r += static_cast<char>(c);
    } else if (c < 0x20) {
      char e[8];
      std::snprintf(e, sizeof e, "\\u%04x", c);
      r += e;
    } else {
      r += static_cast<char>(c);
    }
  }
  return r + "\"";
}

std::string Visible(const std::string &nombre) {
  std::string r;
  for (unsigned char c : nombre) {
    if (c < 0x20 || c == 0x7F) {
      char e[8];
      std::snprintf(e, sizeof e, "\\x%02X", c);
      r += e;
    } else {
      r += static_cast<char>(c);
    }
  }
  return r;
}
