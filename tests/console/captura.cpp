#include "captura.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

std::uint32_t Crc32(const std::uint8_t *datos, std::size_t largo, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < largo; ++i) {
    crc ^= datos[i];
    for (int k = 0; k < 8; ++k)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Grande32(std::vector<std::uint8_t> &v, std::uint32_t n) {
  for (int s = 24; s >= 0; s -= 8)
    v.push_back(static_cast<std::uint8_t>(n >> s));
}

void Trozo(std::vector<std::uint8_t> &png, const char *tipo,
           const std::vector<std::uint8_t> &datos) {
  Grande32(png, static_cast<std::uint32_t>(datos.size()));
  std::vector<std::uint8_t> cuerpo(tipo, tipo + 4);
  cuerpo.insert(cuerpo.end(), datos.begin(), datos.end());
  png.insert(png.end(), cuerpo.begin(), cuerpo.end());
  Grande32(png, Crc32(cuerpo.data(), cuerpo.size()));
}

// A zlib stream of stored (uncompressed) blocks: plain and enough for an artefact.
std::vector<std::uint8_t> Zlib(const std::vector<std::uint8_t> &crudo) {
  std::vector<std::uint8_t> z = {0x78, 0x01};
  std::size_t hecho = 0;
  do {
    std::size_t n = std::min<std::size_t>(65535, crudo.size() - hecho);
    bool ultimo = hecho + n == crudo.size();
    z.push_back(ultimo ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n));
    z.push_back(static_cast<std::uint8_t>(~n >> 8));
    z.insert(z.end(), crudo.begin() + static_cast<std::ptrdiff_t>(hecho),
             crudo.begin() + static_cast<std::ptrdiff_t>(hecho + n));
    hecho += n;
  } while (hecho < crudo.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t c : crudo) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Grande32(z, (b << 16) | a);
  return z;
}

} // namespace

bool GuardarCaptura(HWND ventana, const std::string &ruta) {
  RECT r;
  if (!GetWindowRect(ventana, &r))
    return false;
  const int ancho = r.right - r.left, alto = r.bottom - r.top;
  if (ancho <= 0 || alto <= 0)
    return false;

  HDC pantalla = GetDC(nullptr);
  HDC memoria = CreateCompatibleDC(pantalla);
  HBITMAP mapa = CreateCompatibleBitmap(pantalla, ancho, alto);
  HGDIOBJ antes = SelectObject(memoria, mapa);
  BOOL copiado = BitBlt(memoria, 0, 0, ancho, alto, pantalla, r.left, r.top, SRCCOPY);
  SelectObject(memoria, antes);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = ancho;
  info.bmiHeader.biHeight = -alto; // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const int fila = (ancho * 3 + 3) & ~3;
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(fila) * alto);
  int filas = copiado ? GetDIBits(memoria, mapa, 0, alto, bgr.data(), &info, DIB_RGB_COLORS) : 0;
  DeleteObject(mapa);
  DeleteDC(memoria);
  ReleaseDC(nullptr, pantalla);
  if (filas != alto)
    return false;

  std::vector<std::uint8_t> crudo;
  crudo.reserve(static_cast<std::size_t>(alto) * (1 + ancho * 3));
  for (int y = 0; y < alto; ++y) {
    crudo.push_back(0); // no filter
    const std::uint8_t *p = bgr.data() + static_cast<std::size_t>(y) * fila;
    for (int x = 0; x < ancho; ++x) {
      crudo.push_back(p[3 * x + 2]);
      crudo.push_back(p[3 * x + 1]);
      crudo.push_back(p[3 * x]);
    }
  }
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> cabecera;
  Grande32(cabecera, static_cast<std::uint32_t>(ancho));
  Grande32(cabecera, static_cast<std::uint32_t>(alto));
  cabecera.insert(cabecera.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
  Trozo(png, "IHDR", cabecera);
  Trozo(png, "IDAT", Zlib(crudo));
  Trozo(png, "IEND", {});

  std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char *>(png.data()), static_cast<std::streamsize>(png.size()));
  return f.good();
}
