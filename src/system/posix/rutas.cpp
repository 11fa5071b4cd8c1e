#include "system/rutas.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

std::string RaizUnidad(char letra) {
  char mayuscula = static_cast<char>(std::toupper(static_cast<unsigned char>(letra)));
  std::string variable = std::string("QOR_DRIVE_") + mayuscula;
  if (const char *valor = std::getenv(variable.c_str()); valor && *valor) {
    std::string raiz = valor;
    while (raiz.size() > 1 && raiz.back() == '/')
      raiz.pop_back();
    return raiz;
  }
  std::string datos;
  if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    datos = xdg;
  else if (const char *home = std::getenv("HOME"); home && *home)
    datos = std::string(home) + "/.local/share";
  else
    datos = "/tmp";
  char minuscula = static_cast<char>(std::tolower(static_cast<unsigned char>(letra)));
  return datos + "/qor/drive_" + minuscula;
}

bool Existe(const std::string &ruta) {
  struct stat st;
  return lstat(ruta.c_str(), &st) == 0;
}

bool IgualesSinMayusculas(const std::string &a, const char *b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == '\0';
}

std::string Plegado(const char *nombre) {
  std::string r = nombre;
  for (char &c : r)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// The first entry of the folder that matches the name without regard to case.
bool BuscarLeyendo(const std::string &base, const std::string &nombre, std::string &hallado) {
  DIR *d = opendir(base.c_str());
  if (!d)
    return false;
  bool encontrado = false;
  while (dirent *e = readdir(d)) {
    if (IgualesSinMayusculas(nombre, e->d_name)) {
      hallado = e->d_name;
      encontrado = true;
      break;
    }
  }
  closedir(d);
  return encontrado;
}

// The names of recently searched folders, kept current by inotify, so that looking up
// many missing names in one big folder (a restore writing thousands of job files) does
// not read the whole folder each time. A folder is held only on file systems whose
// changes all pass through this kernel, where the change event is queued before the
// changing call returns: every event is read before each answer, so the names are never
// older than what a fresh read of the folder would give. Anything unusual (no inotify,
// no room for a watch, a lost event) falls back to reading the folder.
class NombresDeCarpetas {
public:
  NombresDeCarpetas() { aviso = inotify_init1(IN_NONBLOCK | IN_CLOEXEC); }
  ~NombresDeCarpetas() {
    if (aviso >= 0)
      close(aviso);
  }

  // Answers true with hallado set when the folder (as given, or held) is known;
  // false when the caller must read it.
  bool Buscar(const std::string &base, const std::string &nombre, std::string &hallado,
              bool &encontrado) {
    if (aviso < 0)
      return false;
    struct stat st;
    if (stat(base.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
      return false;
    std::lock_guard<std::mutex> cerrojo(mutex);
    Atender();
    auto it = porInodo.find({st.st_dev, st.st_ino});
    if (it == porInodo.end()) {
      it = Cargar(base);
      if (it == porInodo.end())
        return false;
      // What changed while it was being read.
      Atender();
      it = porInodo.find({st.st_dev, st.st_ino});
      if (it == porInodo.end())
        return false;
    }
    it->second.uso = ++reloj;
    auto n = it->second.nombres.find(Plegado(nombre.c_str()));
    encontrado = n != it->second.nombres.end() && !n->second.empty();
    if (encontrado)
      hallado = n->second.front();
    return true;
  }

private:
  using Clave = std::pair<dev_t, ino_t>;
  struct Carpeta {
    int vigilancia;
    std::uint64_t uso;
    // Folded name -> the names that fold to it, in the order they were seen.
    std::unordered_map<std::string, std::vector<std::string>> nombres;
  };
  static constexpr std::size_t kMaximoCarpetas = 64;

  static bool SistemaLocal(int fd) {
    struct statfs sf;
    if (fstatfs(fd, &sf) != 0)
      return false;
    switch (static_cast<unsigned long>(sf.f_type)) {
    case 0x01021994UL: // tmpfs
    case 0xEF53UL:     // ext2, ext3, ext4
    case 0x58465342UL: // xfs
    case 0x9123683EUL: // btrfs
    case 0x794C7630UL: // overlayfs
    case 0xF2F52010UL: // f2fs
      return true;
    default:
      return false;
    }
  }

  std::map<Clave, Carpeta>::iterator Cargar(const std::string &base) {
    int fd = open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
      return porInodo.end();
    struct stat st;
    if (fstat(fd, &st) != 0 || !SistemaLocal(fd)) {
      close(fd);
      return porInodo.end();
    }
    if (porInodo.size() >= kMaximoCarpetas)
      OlvidarMenosUsada();
    // Watched through the descriptor, so the watch and the reading are of the same folder
    // even if its path changes meanwhile; the watch comes first so no change is lost.
    std::string enlace = "/proc/self/fd/" + std::to_string(fd);
    int vigilancia = inotify_add_watch(
        aviso, enlace.c_str(), IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR);
    if (vigilancia < 0) {
      close(fd);
      return porInodo.end();
    }
    DIR *d = fdopendir(fd);
    if (!d) {
      close(fd);
      inotify_rm_watch(aviso, vigilancia);
      return porInodo.end();
    }
    Clave clave{st.st_dev, st.st_ino};
    // The same folder under another path shares its watch.
    if (auto previa = porVigilancia.find(vigilancia); previa != porVigilancia.end())
      porInodo.erase(previa->second);
    Carpeta carpeta{vigilancia, ++reloj, {}};
    while (dirent *e = readdir(d))
      Agregar(carpeta, e->d_name);
    closedir(d);
    porVigilancia[vigilancia] = clave;
    return porInodo.insert_or_assign(clave, std::move(carpeta)).first;
  }

  static void Agregar(Carpeta &c, const char *nombre) {
    auto &lista = c.nombres[Plegado(nombre)];
    for (const std::string &n : lista)
      if (n == nombre)
        return;
    lista.emplace_back(nombre);
  }

  static void Quitar(Carpeta &c, const char *nombre) {
    auto it = c.nombres.find(Plegado(nombre));
    if (it == c.nombres.end())
      return;
    std::erase(it->second, std::string(nombre));
    if (it->second.empty())
      c.nombres.erase(it);
  }

  void Olvidar(int vigilancia, bool quitarVigilancia) {
    auto it = porVigilancia.find(vigilancia);
    if (it == porVigilancia.end())
      return;
    porInodo.erase(it->second);
    porVigilancia.erase(it);
    if (quitarVigilancia)
      inotify_rm_watch(aviso, vigilancia);
  }

  void OlvidarTodo() {
    for (auto &[vigilancia, clave] : porVigilancia)
      inotify_rm_watch(aviso, vigilancia);
    porVigilancia.clear();
    porInodo.clear();
  }

  void OlvidarMenosUsada() {
    auto menos = porInodo.begin();
    for (auto it = porInodo.begin(); it != porInodo.end(); ++it)
      if (it->second.uso < menos->second.uso)
        menos = it;
    if (menos != porInodo.end())
      Olvidar(menos->second.vigilancia, true);
  }

  // Applies every queued change, in order.
  void Atender() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
      ssize_t leido = read(aviso, buffer, sizeof buffer);
      if (leido <= 0) {
        if (leido < 0 && errno == EINTR)
          continue;
        if (leido < 0 && errno != EAGAIN)
          OlvidarTodo(); // can't tell what changed: nothing held is trusted
        return;
      }
      for (char *p = buffer; p < buffer + leido;) {
        auto *e = reinterpret_cast<inotify_event *>(p);
        p += sizeof(inotify_event) + e->len;
        if (e->mask & IN_Q_OVERFLOW) {
          OlvidarTodo();
          continue;
        }
        if (e->mask & IN_IGNORED) {
          Olvidar(e->wd, false);
          continue;
        }
        auto v = porVigilancia.find(e->wd);
        if (v == porVigilancia.end() || e->len == 0)
          continue;
        Carpeta &c = porInodo.at(v->second);
        if (e->mask & (IN_CREATE | IN_MOVED_TO))
          Agregar(c, e->name);
        else if (e->mask & (IN_DELETE | IN_MOVED_FROM))
          Quitar(c, e->name);
      }
    }
  }

  int aviso = -1;
  std::mutex mutex;
  std::uint64_t reloj = 0;
  std::map<Clave, Carpeta> porInodo;
  std::unordered_map<int, Clave> porVigilancia;
};

// The component as it stands in the folder: exact case first, else the first entry
// that matches without regard to case, else as given.
std::string Componente(const std::string &carpeta, const std::string &nombre) {
  std::string base = carpeta.empty() ? "." : carpeta;
  if (Existe(base + "/" + nombre))
    return nombre;
  static NombresDeCarpetas nombres;
  std::string hallado;
  bool encontrado = false;
  if (!nombres.Buscar(base, nombre, hallado, encontrado))
    encontrado = BuscarLeyendo(base, nombre, hallado);
  return encontrado ? hallado : nombre;
}

} // namespace

std::string RutaLocal(const char *rutaWindows) {
  std::string ruta = rutaWindows ? rutaWindows : "";
  std::string raiz;
  std::size_t inicio = 0;
  bool absoluta = false;
  if (ruta.size() >= 2 && std::isalpha(static_cast<unsigned char>(ruta[0])) && ruta[1] == ':') {
    raiz = RaizUnidad(ruta[0]);
    inicio = 2;
    absoluta = true;
  } else if (!ruta.empty() && (ruta[0] == '\\' || ruta[0] == '/')) {
    // Rooted on the current drive, which is always C: here.
    raiz = RaizUnidad('C');
    absoluta = true;
  }

  std::vector<std::string> partes;
  std::string parte;
  auto cerrar = [&] {
    if (parte.empty() || parte == ".") {
    } else if (parte == ".." && absoluta) {
      // As on Windows, nothing climbs above a drive's root.
      if (!partes.empty())
        partes.pop_back();
    } else {
      partes.push_back(parte);
    }
    parte.clear();
  };
  for (std::size_t i = inicio; i < ruta.size(); ++i) {
    if (ruta[i] == '\\' || ruta[i] == '/')
      cerrar();
    else
      parte += ruta[i];
  }
  cerrar();
  bool barraFinal =
      !ruta.empty() && ruta.size() > inicio && (ruta.back() == '\\' || ruta.back() == '/');

  std::string salida = raiz;
  bool existe = true;
  for (const std::string &p : partes) {
    std::string nombre = existe ? Componente(salida, p) : p;
    salida = salida.empty() && !absoluta ? nombre : salida + "/" + nombre;
    existe = existe && Existe(salida);
  }
  if (salida.empty())
    salida = absoluta ? raiz : ".";
  if (barraFinal && salida.back() != '/')
    salida += '/';
  return salida;
}
