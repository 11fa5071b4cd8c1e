// The resources the program carries, read back from the built executable as Windows
// reads them: the two group icons, the version record and the manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Exe() {
  std::string r = std::string("Z:") + QOR_CONSOLA_EXE;
  std::replace(r.begin(), r.end(), '/', '\\');
  return r;
}

class Recursos : public ::testing::Test {
protected:
  void SetUp() override {
    modulo_ = LoadLibraryExA(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(modulo_, nullptr) << Exe();
  }
  void TearDown() override {
    if (modulo_)
      FreeLibrary(modulo_);
  }
  std::string Datos(const char *nombre, LPCSTR tipo) const {
    HRSRC r = FindResourceA(modulo_, nombre, tipo);
    if (!r)
      return {};
    const char *p = static_cast<const char *>(LockResource(LoadResource(modulo_, r)));
    return p ? std::string(p, SizeofResource(modulo_, r)) : std::string();
  }
  HMODULE modulo_ = nullptr;
};

#pragma pack(push, 2)
struct EntradaGrupo {
  BYTE ancho, alto, colores, reservado;
  WORD planos, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

BOOL CALLBACK Nombre(HMODULE, LPCSTR, LPSTR nombre, LONG_PTR l) {
  auto *nombres = reinterpret_cast<std::vector<std::string> *>(l);
  std::string texto = "#";
  if (IS_INTRESOURCE(nombre))
    texto += std::to_string(reinterpret_cast<UINT_PTR>(nombre));
  else
    texto = nombre;
  nombres->push_back(texto);
  return TRUE;
}

} // namespace

TEST_F(Recursos, DosGruposDeIconosDeUnaImagen32x32De256Colores) {
  std::vector<std::string> grupos;
  EnumResourceNamesA(modulo_, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, Nombre,
                     reinterpret_cast<LONG_PTR>(&grupos));
  EXPECT_EQ(grupos, (std::vector<std::string>{"A", "CB"})) << "\"A\" first: the program's own";
  for (const char *grupo : {"A", "CB"}) {
    SCOPED_TRACE(grupo);
    std::string g = Datos(grupo, MAKEINTRESOURCEA(14));
    ASSERT_EQ(g.size(), 6 + sizeof(EntradaGrupo));
    WORD cabecera[3];
    std::memcpy(cabecera, g.data(), 6);
    EXPECT_EQ(cabecera[1], 1); // icons
    EXPECT_EQ(cabecera[2], 1); // one image
    EntradaGrupo e;
    std::memcpy(&e, g.data() + 6, sizeof e);
    EXPECT_EQ(e.ancho, 32);
    EXPECT_EQ(e.alto, 32);
    EXPECT_EQ(e.bits, 8);
    EXPECT_EQ(e.colores, 0) << "256 colours are written as 0";
    // The image itself: a 32 x 32 bitmap (XOR and AND halves) of 8 bits with 256 colours.
    HRSRC imagen = FindResourceA(modulo_, MAKEINTRESOURCEA(e.id), MAKEINTRESOURCEA(3));
    ASSERT_NE(imagen, nullptr);
    const auto *bih =
        static_cast<const BITMAPINFOHEADER *>(LockResource(LoadResource(modulo_, imagen)));
    EXPECT_EQ(bih->biWidth, 32);
    EXPECT_EQ(bih->biHeight, 64);
    EXPECT_EQ(bih->biBitCount, 8);
    EXPECT_EQ(SizeofResource(modulo_, imagen), 40u + 256 * 4 + 32 * 32 + 32 * 4);
  }
  // The window's icon loads as the program loads it.
  EXPECT_NE(LoadIconA(modulo_, "CB"), nullptr);
}

TEST_F(Recursos, RegistroDeVersionEnInglesDeEEUUCodigo1252) {
  std::string exe = Exe();
  DWORD h = 0;
  DWORD largo = GetFileVersionInfoSizeA(exe.c_str(), &h);
  ASSERT_GT(largo, 0u);
  std::vector<char> info(largo);
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, largo, info.data()));

  VS_FIXEDFILEINFO *fijo = nullptr;
  UINT n = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fijo), &n));
  EXPECT_EQ(fijo->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fijo->dwFileVersionLS, 0u);
  EXPECT_EQ(fijo->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fijo->dwProductVersionLS, 0u);

  WORD *traduccion = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void **>(&traduccion), &n));
  ASSERT_EQ(n, 4u);
  EXPECT_EQ(traduccion[0], 0x0409);
  EXPECT_EQ(traduccion[1], 1252);

  const std::pair<const char *, const char *> textos[] = {{"FileDescription", "Archivo exe"},
                                                          {"InternalName", "QOR"},
                                                          {"ProductName", "QOR"},
                                                          {"FileVersion", "1.0.0.0"},
                                                          {"ProductVersion", "1.0.0.0"}};
  for (const auto &[clave, valor] : textos) {
    char *texto = nullptr;
    std::string ruta = std::string("\\StringFileInfo\\040904E4\\") + clave;
    ASSERT_TRUE(VerQueryValueA(info.data(), ruta.c_str(), reinterpret_cast<void **>(&texto), &n))
        << clave;
    EXPECT_STREQ(texto, valor) << clave;
  }
}

TEST_F(Recursos, ManifiestoPideAdministradorYControlesComunes6) {
  std::string m = Datos(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
  ASSERT_FALSE(m.empty());
  for (const char *parte :
       {"<assemblyIdentity name=\"QOR\" version=\"1.0.0.0\" processorArchitecture=\"x86\"",
        "<description>QOR</description>", "level=\"requireAdministrator\"",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\""})
    EXPECT_NE(m.find(parte), std::string::npos) << parte;
  // No menu, dialog or string-table resources: the window is built in code.
  for (int tipo : {4, 5, 6}) {
    std::vector<std::string> nombres;
    EnumResourceNamesA(modulo_, MAKEINTRESOURCEA(tipo), Nombre,
                       reinterpret_cast<LONG_PTR>(&nombres));
    EXPECT_TRUE(nombres.empty()) << "resource type " << tipo;
  }
}
