// A small HTTP/1.1 file server on 127.0.0.1 for tests and the download benchmark: a
// port chosen by the system, one thread per connection, every answer closes its
// connection. Serves in-memory bodies or host files, and can misbehave on purpose.
#ifndef QOR_TESTS_SERVIDOR_HTTP_H
#define QOR_TESTS_SERVIDOR_HTTP_H

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ServidorHttp {
public:
  struct Respuesta {
    int estado = 200;
    std::string cuerpo;
    // When set, the body is this host file, sent as it is read.
    std::string archivo;
    // Close the connection after this many body bytes (the declared length stays whole).
    std::size_t cortarTras = SIZE_MAX;
    // A slow body: pieces of this many bytes with a pause between them.
    std::size_t trozo = 0;
    int pausaMs = 0;
  };

  // Port 0: one chosen by the system.
  explicit ServidorHttp(std::uint16_t puerto = 0);
  ~ServidorHttp();
  ServidorHttp(const ServidorHttp &) = delete;
  ServidorHttp &operator=(const ServidorHttp &) = delete;

  // False when no socket could be bound (the test then fails on it).
  bool Activo() const { return escucha_ != kSinSocket; }
  std::uint16_t Puerto() const { return puerto_; }
  // "http://127.0.0.1:<port>", the folder address the system takes as its base URL.
  std::string UrlBase() const;

  // What a GET of the path (for example "/QOR_Fenestrali_2.smx") answers; any other
  // path gets a 404 HTML page.
  void Publicar(const std::string &ruta, Respuesta respuesta);
  void Publicar(const std::string &ruta, const std::string &cuerpo);
  // The request heads received so far (request line and headers), in order.
  std::vector<std::string> Solicitudes();

private:
  using Socket = std::intptr_t;
  static constexpr Socket kSinSocket = -1;

  void Escuchar();
  void Atender(Socket cliente);
  bool Enviar(Socket cliente, const char *datos, std::size_t cantidad);

  Socket escucha_ = kSinSocket;
  std::uint16_t puerto_ = 0;
  std::atomic<bool> parar_{false};
  std::thread hilo_;
  std::mutex mutex_;
  std::vector<std::pair<std::string, Respuesta>> rutas_;
  std::vector<std::string> solicitudes_;
  std::vector<std::thread> conexiones_;
};

#endif
