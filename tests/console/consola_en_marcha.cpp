#include "consola_en_marcha.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

const char *const kTablas[24] = {
    "Clientes.dft",     "Clientes.tbl",     "Obras.dft",    "Obras.tbl",      "Camaras.dft",
    "Camaras.tbl",      "ConfigD.dft",      "ConfigD.tbl",  "ConfigG.dft",    "ConfigG.tbl",
    "DVH.dft",          "DVH.tbl",          "Monedas.dft",  "Monedas.tbl",    "Partes.dft",
    "Partes.tbl",       "Perfiles.dft",     "Perfiles.tbl", "TipoConfig.dft", "TipoConfig.tbl",
    "Tratamientos.dft", "Tratamientos.tbl", "Vidrios.dft",  "Vidrios.tbl"};

namespace {

constexpr const char *kTitulo = "Consola QOR_Fenestrali_2";

struct Busqueda {
  DWORD proceso;
  HWND encontrada;
};

BOOL CALLBACK BuscarAviso(HWND w, LPARAM l) {
  auto *b = reinterpret_cast<Busqueda *>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != b->proceso || !IsWindowVisible(w))
    return TRUE;
  char clase[64] = {0};
  char titulo[64] = {0};
  GetClassNameA(w, clase, sizeof clase);
  GetWindowTextA(w, titulo, sizeof titulo);
  if (std::strcmp(clase, "#32770") == 0 && std::strcmp(titulo, "QOR") == 0) {
    b->encontrada = w;
    return FALSE;
  }
  return TRUE;
}

} // namespace

std::string ConsolaEnMarcha::ContenidoTabla(const std::string &tabla, std::size_t bytes) {
  std::string c;
  while (c.size() < bytes)
    c += "tabla " + tabla + " fila " + std::to_string(c.size()) + "\r\n";
  c.resize(bytes);
  return c;
}

void ConsolaEnMarcha::PrepararInstalacion(
    const std::vector<std::pair<std::string, std::string>> &obras, std::size_t bytesTabla) {
  CrearCarpetas(std::string(kInstalacion) + "\\Obras");
  for (const auto &[nombre, contenido] : obras)
    EscribirArchivo(std::string(kInstalacion) + "\\Obras\\" + nombre, contenido);
  for (const char *tabla : kTablas)
    EscribirArchivo(std::string(kInstalacion) + "\\Data\\" + tabla,
                    ContenidoTabla(tabla, bytesTabla));
}

std::string ConsolaEnMarcha::RutaWindows(const std::string &rutaHost) {
  std::string r = "Z:" + rutaHost;
  std::replace(r.begin(), r.end(), '/', '\\');
  return r;
}

bool ConsolaEnMarcha::Arrancar(bool esperarVentana) {
  // Xvfb has no window manager: Wine is told to draw this program's caption and frame
  // itself, as Windows does, so that the picture of the window shows them. Windows
  // ignores the key.
  HKEY clave;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\QOR_Consola.exe\\X11 Driver",
                      0, nullptr, 0, KEY_SET_VALUE, nullptr, &clave, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(clave, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE *>("N"), 2);
    RegCloseKey(clave);
  }
  // The caption's close box is a glyph of Wine's Marlett font, which a new prefix may lack.
  CopyFileA("Z:\\usr\\share\\wine\\fonts\\marlett.ttf", "C:\\windows\\Fonts\\marlett.ttf", TRUE);
  std::string exe = RutaWindows(QOR_CONSOLA_EXE);
  STARTUPINFOA inicio{};
  inicio.cb = sizeof inicio;
  if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                      &proceso_)) {
    ADD_FAILURE() << "CreateProcessA " << exe << " failed: " << GetLastError();
    return false;
  }
  return esperarVentana ? EsperarVentana() : true;
}

bool ConsolaEnMarcha::EsperarVentana() {
  for (int i = 0; i < 400; ++i) {
    HWND w = FindWindowA("SmDialogo", kTitulo);
    DWORD pid = 0;
    if (w)
      GetWindowThreadProcessId(w, &pid);
    if (w && pid == proceso_.dwProcessId && IsWindowVisible(w)) {
      ventana_ = w;
      // The loop runs once the window takes messages.
      DWORD_PTR r = 0;
      SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &r);
      return true;
    }
    Sleep(50);
  }
  return false;
}

void ConsolaEnMarcha::Pulsar(int id) const {
  PostMessageA(Control(id), BM_CLICK, 0, 0);
}

HWND ConsolaEnMarcha::EsperarAviso(DWORD ms) const {
  DWORD inicio = GetTickCount();
  do {
    Busqueda b{proceso_.dwProcessId, nullptr};
    EnumWindows(BuscarAviso, reinterpret_cast<LPARAM>(&b));
    if (b.encontrada)
      return b.encontrada;
    Sleep(20);
  } while (GetTickCount() - inicio < ms);
  return nullptr;
}

std::string ConsolaEnMarcha::TextoAviso(HWND aviso) {
  char texto[512] = {0};
  // The message box's text is the static control 0xFFFF.
  GetDlgItemTextA(aviso, 0xFFFF, texto, sizeof texto);
  return texto;
}

void ConsolaEnMarcha::Responder(HWND aviso, int boton) {
  HWND b = GetDlgItem(aviso, boton);
  ASSERT_NE(b, nullptr) << "the box has no button " << boton;
  PostMessageA(b, BM_CLICK, 0, 0);
  for (int i = 0; i < 500 && IsWindow(aviso); ++i)
    Sleep(20);
}

bool ConsolaEnMarcha::EsperarInactiva(DWORD ms) const {
  DWORD inicio = GetTickCount();
  do {
    Busqueda b{proceso_.dwProcessId, nullptr};
    EnumWindows(BuscarAviso, reinterpret_cast<LPARAM>(&b));
    bool todos = true;
    for (int id : kComandos)
      todos = todos && Habilitado(id);
    if (!b.encontrada && todos)
      return true;
    Sleep(20);
  } while (GetTickCount() - inicio < ms);
  return false;
}

std::vector<std::string> ConsolaEnMarcha::Lista() const {
  std::vector<std::string> items;
  DWORD_PTR n = 0;
  SendMessageTimeoutA(Control(kListaCopias), LB_GETCOUNT, 0, 0, SMTO_NORMAL, 20000, &n);
  for (int i = 0; i < static_cast<int>(n); ++i) {
    // Across processes Wine hands list texts over faithfully only in UTF-16.
    DWORD_PTR largo = 0;
    SendMessageTimeoutW(Control(kListaCopias), LB_GETTEXTLEN, i, 0, SMTO_NORMAL, 20000, &largo);
    std::wstring unicode(2 * (largo + 1) + 16, L'\0');
    DWORD_PTR r = 0;
    SendMessageTimeoutW(Control(kListaCopias), LB_GETTEXT, i,
                        reinterpret_cast<LPARAM>(unicode.data()), SMTO_NORMAL, 20000, &r);
    char texto[512] = {0};
    WideCharToMultiByte(1252, 0, unicode.c_str(), -1, texto, sizeof texto - 1, nullptr, nullptr);
    items.emplace_back(texto);
  }
  return items;
}

int ConsolaEnMarcha::Seleccion() const {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(Control(kListaCopias), LB_GETCURSEL, 0, 0, SMTO_NORMAL, 20000, &r);
  return static_cast<int>(static_cast<LRESULT>(r));
}

std::string ConsolaEnMarcha::Texto(int id) const {
  char texto[512] = {0};
  GetWindowTextA(id == 0 ? ventana_ : Control(id), texto, sizeof texto);
  return texto;
}

bool ConsolaEnMarcha::EsperarCantidad(std::size_t cantidad, DWORD ms) const {
  DWORD inicio = GetTickCount();
  do {
    if (Lista().size() == cantidad)
      return true;
    Sleep(20);
  } while (GetTickCount() - inicio < ms);
  return false;
}

long ConsolaEnMarcha::EsperarFin(DWORD ms) {
  if (!proceso_.hProcess)
    return -1;
  if (WaitForSingleObject(proceso_.hProcess, ms) != WAIT_OBJECT_0)
    return -1;
  DWORD codigo = 0;
  GetExitCodeProcess(proceso_.hProcess, &codigo);
  CloseHandle(proceso_.hProcess);
  CloseHandle(proceso_.hThread);
  proceso_ = {};
  ventana_ = nullptr;
  return static_cast<long>(codigo);
}

std::vector<std::string> ConsolaEnMarcha::Archivos() const {
  std::vector<std::string> nombres;
  std::error_code ec;
  for (const auto &e : fs::directory_iterator(Local(std::string(kInstalacion) + "\\BK"), ec))
    nombres.push_back(e.path().filename().string());
  std::sort(nombres.begin(), nombres.end());
  return nombres;
}

bool ConsolaEnMarcha::ArchivoCompleto(const std::string &nombre) const {
  std::string a = LeerArchivo(std::string(kInstalacion) + "\\BK\\" + nombre);
  if (a.size() < 160)
    return false;
  std::uint32_t longitud = 0;
  std::memcpy(&longitud, a.data() + 152, 4);
  return longitud == a.size() && std::strncmp(a.data(), nombre.c_str(), 152) == 0;
}

void ConsolaEnMarcha::TearDown() {
  if (proceso_.hProcess) {
    // Leave no program behind: answer boxes with their default, then close the window.
    for (int i = 0; i < 10; ++i) {
      HWND aviso = EsperarAviso(0);
      if (!aviso)
        break;
      PostMessageA(aviso, WM_CLOSE, 0, 0);
      Sleep(100);
    }
    if (ventana_)
      CerrarVentana();
    if (EsperarFin(30000) == -1 && proceso_.hProcess) {
      TerminateProcess(proceso_.hProcess, 1);
      WaitForSingleObject(proceso_.hProcess, 10000);
      CloseHandle(proceso_.hProcess);
      CloseHandle(proceso_.hThread);
      proceso_ = {};
      ADD_FAILURE() << "the program did not end and was terminated";
    }
  }
  UnidadTemporal::TearDown();
}
