#include "update/sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string Hex(const std::string &datos, std::size_t trozo) {
  ResumenSha256 sha;
  for (std::size_t i = 0; i < datos.size(); i += trozo)
    sha.Agregar(datos.data() + i, std::min(trozo, datos.size() - i));
  char hex[65];
  sha.TerminarHex(hex);
  return hex;
}

} // namespace

// Published vectors, fed whole and in pieces that straddle the 64-byte blocks and the
// padding boundary (55/56/64 bytes).
TEST(Sha256, VectoresConocidosEnTrozosDeCualquierTamano) {
  struct Caso {
    std::string datos;
    const char *resumen;
  } casos[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrl"
       "mnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
  };
  for (const Caso &c : casos)
    for (std::size_t trozo :
         {std::size_t(1), std::size_t(7), std::size_t(63), std::size_t(64), std::size_t(65536)})
      EXPECT_EQ(Hex(c.datos, trozo), c.resumen) << c.datos.size() << " bytes, trozos de " << trozo;
}
