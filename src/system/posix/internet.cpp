#include "system/internet.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What the transfer may hold ahead of the reader before the transfer is paused.
constexpr std::size_t kVentana = 256 * 1024;

struct Manejador {
  virtual ~Manejador() = default;
};

struct Sesion : Manejador {
  std::string agente;
};

struct Recurso : Manejador {
  CURLM *multi = nullptr;
  CURL *easy = nullptr;
  std::vector<char> datos;
  std::size_t inicio = 0;
  bool pausado = false;
  bool cabecerasListas = false;
  bool terminado = false;
  CURLcode resultado = CURLE_OK;

  Recurso() = default;
  Recurso(const Recurso &) = delete;
  Recurso &operator=(const Recurso &) = delete;
  ~Recurso() override {
    if (multi && easy)
      curl_multi_remove_handle(multi, easy);
    if (easy)
      curl_easy_cleanup(easy);
    if (multi)
      curl_multi_cleanup(multi);
  }

  std::size_t Pendiente() const { return datos.size() - inicio; }

  // One step of the transfer: runs what is ready, waits a little when nothing is.
  void Avanzar() {
    int activos = 0;
    curl_multi_perform(multi, &activos);
    int quedan = 0;
    while (CURLMsg *m = curl_multi_info_read(multi, &quedan)) {
      if (m->msg == CURLMSG_DONE) {
        terminado = true;
        resultado = m->data.result;
      }
    }
    if (!terminado && Pendiente() == 0 && !cabecerasListas)
      curl_multi_poll(multi, nullptr, 0, 200, nullptr);
  }
};

std::size_t AlRecibir(char *bytes, std::size_t tamano, std::size_t cantidad, void *usuario) {
  auto *r = static_cast<Recurso *>(usuario);
  std::size_t total = tamano * cantidad;
  if (r->Pendiente() >= kVentana) {
    r->pausado = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  if (r->inicio > 0 && r->inicio == r->datos.size()) {
    r->datos.clear();
    r->inicio = 0;
  } else if (r->inicio >= kVentana / 2) {
    r->datos.erase(r->datos.begin(), r->datos.begin() + static_cast<std::ptrdiff_t>(r->inicio));
    r->inicio = 0;
  }
  r->datos.insert(r->datos.end(), bytes, bytes + total);
  r->cabecerasListas = true;
  return total;
}

// The end of a response's headers: the answer is there unless curl follows a redirect.
std::size_t AlCabecera(char *bytes, std::size_t tamano, std::size_t cantidad, void *usuario) {
  auto *r = static_cast<Recurso *>(usuario);
  std::size_t total = tamano * cantidad;
  if (total == 2 && bytes[0] == '\r' && bytes[1] == '\n') {
    long codigo = 0;
    curl_easy_getinfo(r->easy, CURLINFO_RESPONSE_CODE, &codigo);
    if (codigo / 100 != 1 && codigo / 100 != 3)
      r->cabecerasListas = true;
  }
  return total;
}

} // namespace

ManejadorInternet AbrirInternet(const char *agente) {
  static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (!iniciado || !agente)
    return nullptr;
  auto *s = new Sesion;
  s->agente = agente;
  return static_cast<Manejador *>(s);
}

ManejadorInternet AbrirUrlInternet(ManejadorInternet sesion, const char *url) {
  auto *s = dynamic_cast<Sesion *>(static_cast<Manejador *>(sesion));
  if (!s || !url)
    return nullptr;
  auto *r = new Recurso;
  r->multi = curl_multi_init();
  r->easy = curl_easy_init();
  if (!r->multi || !r->easy) {
    delete r;
    return nullptr;
  }
  curl_easy_setopt(r->easy, CURLOPT_URL, url);
  curl_easy_setopt(r->easy, CURLOPT_USERAGENT, s->agente.c_str());
  // Direct access: the environment's proxy settings are not used.
  curl_easy_setopt(r->easy, CURLOPT_PROXY, "");
  curl_easy_setopt(r->easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(r->easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(r->easy, CURLOPT_CONNECTTIMEOUT, 30L);
  // A server that stops sending ends the transfer instead of blocking the reader forever.
  curl_easy_setopt(r->easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(r->easy, CURLOPT_LOW_SPEED_TIME, 60L);
  curl_easy_setopt(r->easy, CURLOPT_WRITEFUNCTION, AlRecibir);
  curl_easy_setopt(r->easy, CURLOPT_WRITEDATA, r);
  curl_easy_setopt(r->easy, CURLOPT_HEADERFUNCTION, AlCabecera);
  curl_easy_setopt(r->easy, CURLOPT_HEADERDATA, r);
  curl_multi_add_handle(r->multi, r->easy);
  while (!r->cabecerasListas && !r->terminado)
    r->Avanzar();
  if (!r->cabecerasListas && r->resultado != CURLE_OK) {
    delete r;
    return nullptr;
  }
  return static_cast<Manejador *>(r);
}

bool LeerInternet(ManejadorInternet recurso, void *destino, std::uint32_t capacidad,
                  std::uint32_t *leidos) {
  *leidos = 0;
  auto *r = dynamic_cast<Recurso *>(static_cast<Manejador *>(recurso));
  if (!r)
    return false;
  while (r->Pendiente() == 0 && !r->terminado) {
    if (r->pausado) {
      r->pausado = false;
      curl_easy_pause(r->easy, CURLPAUSE_CONT);
      if (r->Pendiente() > 0)
        break;
    }
    r->Avanzar();
    if (r->Pendiente() == 0 && !r->terminado)
      curl_multi_poll(r->multi, nullptr, 0, 200, nullptr);
  }
  std::size_t n = std::min<std::size_t>(capacidad, r->Pendiente());
  if (n == 0)
    return r->resultado == CURLE_OK;
  std::memcpy(destino, r->datos.data() + r->inicio, n);
  r->inicio += n;
  *leidos = static_cast<std::uint32_t>(n);
  return true;
}

void CerrarInternet(ManejadorInternet manejador) {
  delete static_cast<Manejador *>(manejador);
}
