#include "consola_grabadora.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// The sorted list box compares texts without regard to letter case.
bool AntesSinMayusculas(const std::string &a, const std::string &b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

} // namespace

ConsolaGrabadora::ConsolaGrabadora() {
  laConsola = this;
}

ConsolaGrabadora::~ConsolaGrabadora() {
  if (laConsola == this)
    laConsola = nullptr;
}

void ConsolaGrabadora::Anotar(Operacion operacion, std::int64_t valor, std::string texto) {
  llamadas.push_back({operacion, valor, std::move(texto)});
}

void ConsolaGrabadora::MostrarEstado(const char *texto) {
  estado = texto;
  Anotar(Operacion::MostrarEstado, 0, texto);
}

void ConsolaGrabadora::FijarMinimoProgreso(std::int32_t valor) {
  minimo = valor;
  Anotar(Operacion::FijarMinimoProgreso, valor);
}

void ConsolaGrabadora::FijarMaximoProgreso(std::int32_t valor) {
  maximo = valor;
  Anotar(Operacion::FijarMaximoProgreso, valor);
}

void ConsolaGrabadora::FijarProgreso(std::int32_t valor) {
  posicion = std::clamp(valor, minimo, std::max(minimo, maximo));
  Anotar(Operacion::FijarProgreso, valor);
}

void ConsolaGrabadora::AtenderMensaje() {
  Anotar(Operacion::AtenderMensaje, 0);
}

void ConsolaGrabadora::DeshabilitarComandos() {
  Anotar(Operacion::DeshabilitarComandos, 0);
  AtenderMensaje();
}

void ConsolaGrabadora::HabilitarComandos() {
  Anotar(Operacion::HabilitarComandos, 0);
  AtenderMensaje();
}

std::int32_t ConsolaGrabadora::CantidadItems() {
  return static_cast<std::int32_t>(items.size());
}

void ConsolaGrabadora::AgregarItem(const char *texto) {
  // Like LB_ADDSTRING on a sorted list: after every text that doesn't sort after it.
  auto donde = std::upper_bound(items.begin(), items.end(), std::string(texto), AntesSinMayusculas);
  auto indice = static_cast<std::int32_t>(donde - items.begin());
  items.insert(donde, texto);
  if (seleccion >= indice)
    ++seleccion;
  ultimoIndice = indice;
  Anotar(Operacion::AgregarItem, indice, texto);
}

void ConsolaGrabadora::BorrarItem(std::int32_t indice) {
  Anotar(Operacion::BorrarItem, indice);
  if (indice < 0 || indice >= CantidadItems())
    return;
  items.erase(items.begin() + indice);
  if (seleccion == indice)
    seleccion = -1;
  else if (seleccion > indice)
    --seleccion;
}

void ConsolaGrabadora::TextoItem(std::int32_t indice, char *destino, std::size_t capacidad) {
  if (capacidad == 0)
    return;
  std::memset(destino, 0, capacidad);
  if (indice < 0 || indice >= CantidadItems())
    return;
  const std::string &texto = items[static_cast<std::size_t>(indice)];
  if (texto.size() < capacidad)
    std::memcpy(destino, texto.c_str(), texto.size());
}

void ConsolaGrabadora::Seleccionar(std::int32_t indice) {
  seleccion = indice >= 0 && indice < CantidadItems() ? indice : -1;
  Anotar(Operacion::Seleccionar, indice);
}

std::int32_t ConsolaGrabadora::Seleccion() {
  return seleccion;
}

void ConsolaGrabadora::Aviso(const char *texto, IconoAviso icono) {
  Anotar(Operacion::Aviso, static_cast<std::int64_t>(icono), texto);
}

bool ConsolaGrabadora::Pregunta(const char *texto) {
  bool si = false;
  if (!respuestas_.empty()) {
    si = respuestas_.front();
    respuestas_.pop_front();
  }
  Anotar(Operacion::Pregunta, si ? 1 : 0, texto);
  return si;
}

void ConsolaGrabadora::Responder(std::initializer_list<bool> respuestas) {
  respuestas_.insert(respuestas_.end(), respuestas.begin(), respuestas.end());
}

std::vector<ConsolaGrabadora::Llamada> ConsolaGrabadora::De(Operacion operacion) const {
  std::vector<Llamada> r;
  for (const Llamada &l : llamadas)
    if (l.operacion == operacion)
      r.push_back(l);
  return r;
}

std::vector<std::int64_t> ConsolaGrabadora::Posiciones() const {
  std::vector<std::int64_t> r;
  for (const Llamada &l : De(Operacion::FijarProgreso))
    r.push_back(l.valor);
  return r;
}

std::vector<std::string> ConsolaGrabadora::Avisos() const {
  std::vector<std::string> r;
  for (const Llamada &l : De(Operacion::Aviso))
    r.push_back(l.texto);
  return r;
}
