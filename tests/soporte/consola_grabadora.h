// A console for tests: keeps every call in order, keeps the backup list sorted as the
// native sorted list box does, and answers questions from a script.
#ifndef QOR_TESTS_CONSOLA_GRABADORA_H
#define QOR_TESTS_CONSOLA_GRABADORA_H

#include "console/operaciones_consola.h"

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

class ConsolaGrabadora : public OperacionesConsola {
public:
  enum class Operacion {
    MostrarEstado,
    FijarMinimoProgreso,
    FijarMaximoProgreso,
    FijarProgreso,
    AtenderMensaje,
    DeshabilitarComandos,
    HabilitarComandos,
    AgregarItem,
    BorrarItem,
    Seleccionar,
    Aviso,
    Pregunta,
  };
  struct Llamada {
    Operacion operacion;
    std::int64_t valor; // position, bound, index, icon, or the answer (1 Yes, 0 No)
    std::string texto;
  };

  // Installs itself as the console the commands report to, and leaves at destruction.
  ConsolaGrabadora();
  ~ConsolaGrabadora() override;
  ConsolaGrabadora(const ConsolaGrabadora &) = delete;
  ConsolaGrabadora &operator=(const ConsolaGrabadora &) = delete;

  void MostrarEstado(const char *texto) override;
  void FijarMinimoProgreso(std::int32_t minimo) override;
  void FijarMaximoProgreso(std::int32_t maximo) override;
  void FijarProgreso(std::int32_t posicion) override;
  void AtenderMensaje() override;
  void DeshabilitarComandos() override;
  void HabilitarComandos() override;
  std::int32_t CantidadItems() override;
  void AgregarItem(const char *texto) override;
  void BorrarItem(std::int32_t indice) override;
  void TextoItem(std::int32_t indice, char *destino, std::size_t capacidad) override;
  void Seleccionar(std::int32_t indice) override;
  std::int32_t Seleccion() override;
  void Aviso(const char *texto, IconoAviso icono) override;
  bool Pregunta(const char *texto) override;

  // Answers for the coming questions, in order; when none is left the answer is No, the
  // default button.
  void Responder(std::initializer_list<bool> respuestas);

  std::vector<Llamada> llamadas;
  std::vector<std::string> items; // the list's texts, in list order
  std::int32_t seleccion = -1;
  std::string estado = "...";
  std::int32_t minimo = 0, maximo = 100, posicion = 0;

  // The calls of one kind, in order.
  std::vector<Llamada> De(Operacion operacion) const;
  // The positions set, in order.
  std::vector<std::int64_t> Posiciones() const;
  // The texts of the notices shown, in order.
  std::vector<std::string> Avisos() const;

private:
  std::deque<bool> respuestas_;
  void Anotar(Operacion operacion, std::int64_t valor, std::string texto = {});
};

#endif
