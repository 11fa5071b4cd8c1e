#include "servidor_http.h"

#include <chrono>
#include <cstring>
#include <fstream>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using LargoDireccion = int;
using SocketNativo = SOCKET;
namespace {
void CerrarSocket(std::intptr_t s) {
  closesocket(static_cast<SOCKET>(s));
}
constexpr int kSinSenal = 0;
} // namespace
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using LargoDireccion = socklen_t;
using SocketNativo = int;
namespace {
void CerrarSocket(std::intptr_t s) {
  close(static_cast<int>(s));
}
constexpr int kSinSenal = MSG_NOSIGNAL;
} // namespace
#endif

namespace {

#ifdef _WIN32
struct IniciarWinsock {
  IniciarWinsock() {
    WSADATA datos;
    WSAStartup(MAKEWORD(2, 2), &datos);
  }
};
#endif

// Waits up to 100 ms for the socket to become readable.
bool Legible(std::intptr_t s) {
  fd_set conjunto;
  FD_ZERO(&conjunto);
  FD_SET(static_cast<SocketNativo>(s), &conjunto);
  timeval espera{0, 100000};
  return select(static_cast<int>(s + 1), &conjunto, nullptr, nullptr, &espera) > 0;
}

const char *TextoEstado(int estado) {
  switch (estado) {
  case 200:
    return "OK";
  case 404:
    return "Not Found";
  default:
    return "Error";
  }
}

} // namespace

ServidorHttp::ServidorHttp(std::uint16_t puerto) {
#ifdef _WIN32
  static IniciarWinsock winsock;
#endif
  auto s = static_cast<Socket>(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (s < 0)
    return;
  sockaddr_in direccion{};
  direccion.sin_family = AF_INET;
  direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  direccion.sin_port = htons(puerto);
  LargoDireccion largo = sizeof direccion;
  if (bind(static_cast<SocketNativo>(s), reinterpret_cast<sockaddr *>(&direccion),
           sizeof direccion) != 0 ||
      listen(static_cast<SocketNativo>(s), 16) != 0 ||
      getsockname(static_cast<SocketNativo>(s), reinterpret_cast<sockaddr *>(&direccion), &largo) !=
          0) {
    CerrarSocket(s);
    return;
  }
  escucha_ = s;
  puerto_ = ntohs(direccion.sin_port);
  hilo_ = std::thread([this] { Escuchar(); });
}

ServidorHttp::~ServidorHttp() {
  parar_ = true;
  if (hilo_.joinable())
    hilo_.join();
  for (std::thread &t : conexiones_)
    if (t.joinable())
      t.join();
  if (escucha_ != kSinSocket)
    CerrarSocket(escucha_);
}

std::string ServidorHttp::UrlBase() const {
  return "http://127.0.0.1:" + std::to_string(puerto_);
}

void ServidorHttp::Publicar(const std::string &ruta, Respuesta respuesta) {
  std::lock_guard<std::mutex> cerrojo(mutex_);
  for (auto &r : rutas_)
    if (r.first == ruta) {
      r.second = std::move(respuesta);
      return;
    }
  rutas_.emplace_back(ruta, std::move(respuesta));
}

void ServidorHttp::Publicar(const std::string &ruta, const std::string &cuerpo) {
  Respuesta r;
  r.cuerpo = cuerpo;
  Publicar(ruta, std::move(r));
}

std::vector<std::string> ServidorHttp::Solicitudes() {
  std::lock_guard<std::mutex> cerrojo(mutex_);
  return solicitudes_;
}

void ServidorHttp::Escuchar() {
  while (!parar_) {
    if (!Legible(escucha_))
      continue;
    auto cliente =
        static_cast<Socket>(accept(static_cast<SocketNativo>(escucha_), nullptr, nullptr));
    if (cliente < 0)
      continue;
    std::lock_guard<std::mutex> cerrojo(mutex_);
    conexiones_.emplace_back([this, cliente] { Atender(cliente); });
  }
}

bool ServidorHttp::Enviar(Socket cliente, const char *datos, std::size_t cantidad) {
  while (cantidad > 0 && !parar_) {
    int parte = cantidad > 65536 ? 65536 : static_cast<int>(cantidad);
    int enviados =
        static_cast<int>(send(static_cast<SocketNativo>(cliente), datos, parte, kSinSenal));
    if (enviados <= 0)
      return false;
    datos += enviados;
    cantidad -= static_cast<std::size_t>(enviados);
  }
  return cantidad == 0;
}

void ServidorHttp::Atender(Socket cliente) {
  std::string cabeza;
  char bloque[4096];
  while (cabeza.find("\r\n\r\n") == std::string::npos && cabeza.size() < 65536 && !parar_) {
    if (!Legible(cliente))
      continue;
    int n = static_cast<int>(recv(static_cast<SocketNativo>(cliente), bloque, sizeof bloque, 0));
    if (n <= 0)
      break;
    cabeza.append(bloque, static_cast<std::size_t>(n));
  }
  std::string ruta;
  std::size_t espacio = cabeza.find(' ');
  if (espacio != std::string::npos)
    ruta = cabeza.substr(espacio + 1, cabeza.find(' ', espacio + 1) - espacio - 1);

  Respuesta r;
  bool encontrada = false;
  {
    std::lock_guard<std::mutex> cerrojo(mutex_);
    solicitudes_.push_back(cabeza.substr(0, cabeza.find("\r\n\r\n")));
    for (const auto &p : rutas_)
      if (p.first == ruta) {
        r = p.second;
        encontrada = true;
      }
  }
  if (!encontrada) {
    r.estado = 404;
    r.cuerpo = "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1>"
               "<p>The requested URL was not found on this server.</p></body></html>";
  }

  std::ifstream archivo;
  std::uint64_t largo = r.cuerpo.size();
  if (!r.archivo.empty()) {
    archivo.open(r.archivo, std::ios::binary | std::ios::ate);
    largo = archivo ? static_cast<std::uint64_t>(archivo.tellg()) : 0;
    archivo.seekg(0);
  }
  std::string encabezado =
      "HTTP/1.1 " + std::to_string(r.estado) + " " + TextoEstado(r.estado) +
      "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(largo) +
      "\r\nConnection: close\r\n\r\n";
  if (Enviar(cliente, encabezado.data(), encabezado.size())) {
    std::uint64_t enviar = largo < r.cortarTras ? largo : r.cortarTras;
    std::size_t trozo = r.trozo ? r.trozo : 256 * 1024;
    std::vector<char> datos(trozo);
    for (std::uint64_t hecho = 0; hecho < enviar && !parar_;) {
      std::size_t n = static_cast<std::size_t>(enviar - hecho < trozo ? enviar - hecho : trozo);
      if (archivo.is_open()) {
        archivo.read(datos.data(), static_cast<std::streamsize>(n));
        if (archivo.gcount() != static_cast<std::streamsize>(n))
          break;
      } else {
        std::memcpy(datos.data(), r.cuerpo.data() + hecho, n);
      }
      if (!Enviar(cliente, datos.data(), n))
        break;
      hecho += n;
      if (r.pausaMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(r.pausaMs));
    }
  }
#ifdef _WIN32
  shutdown(static_cast<SOCKET>(cliente), SD_SEND);
#else
  shutdown(static_cast<int>(cliente), SHUT_WR);
#endif
  // Let the client read to the end before the socket goes, so that it sees a clean close.
  for (int i = 0; i < 20 && Legible(cliente);) {
    if (recv(static_cast<SocketNativo>(cliente), bloque, sizeof bloque, 0) <= 0)
      break;
    ++i;
  }
  CerrarSocket(cliente);
}
