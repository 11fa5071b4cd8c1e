#include "util/lista.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Registro {
  int valor;
};

// The values held by the list, in order, read through Dato.
std::vector<int> Valores(Lista &lista) {
  std::vector<int> valores;
  for (int32_t i = 1; i <= lista.cantidad; ++i)
    valores.push_back(static_cast<Registro *>(*lista.Dato(i))->valor);
  return valores;
}

} // namespace

TEST(UtilLista, DatoLlevaAlHuecoDeCadaPosicion) {
  Lista lista;
  Registro *a = new Registro{1};
  EXPECT_EQ(lista.ultimo, nullptr);
  ASSERT_TRUE(lista.AgregarDato(a));
  ASSERT_TRUE(lista.AgregarDato(new Registro{2}));
  EXPECT_EQ(lista.cantidad, 2);
  EXPECT_EQ(*lista.Dato(1), a);
  ASSERT_NE(lista.Dato(0), nullptr);
  EXPECT_EQ(*lista.Dato(0), nullptr);
  // The slot is the node's own field: writing it replaces the data.
  Registro *b = new Registro{3};
  void **hueco = lista.Dato(1);
  *hueco = b;
  delete a;
  EXPECT_EQ(Valores(lista), (std::vector<int>{3, 2}));
  // Outside the list there is no slot.
  for (int32_t i : {-1, 3, 1000})
    EXPECT_EQ(lista.Dato(i), nullptr) << i;
}

TEST(UtilLista, RechazaSinDatoYNombreRepetidoOInvalido) {
  Lista lista;
  Registro r{0};
  Lista prestada(false);
  EXPECT_FALSE(prestada.AgregarDato(nullptr));
  EXPECT_TRUE(prestada.AgregarConNombre(&r, "uno"));
  std::string largo149(149, 'x');
  std::string largo150(150, 'x');
  struct Caso {
    void *dato;
    const char *nombre;
    bool agregado;
  } casos[] = {
      {nullptr, "dos", false},
      {&r, "uno", false}, // already there
      {&r, "UNO", true},  // letter case counts
      {&r, "", false},    // a name is required
      {&r, nullptr, false},
      {&r, largo150.c_str(), false}, // would not fit with its terminator
      {&r, largo149.c_str(), true},
  };
  for (const Caso &c : casos) {
    int32_t antes = prestada.cantidad;
    EXPECT_EQ(prestada.AgregarConNombre(c.dato, c.nombre), c.agregado)
        << (c.nombre ? c.nombre : "(none)");
    EXPECT_EQ(prestada.cantidad, antes + (c.agregado ? 1 : 0));
  }
  EXPECT_EQ(std::string(prestada.cabeza->siguiente->siguiente->siguiente->nombre), largo149);
  EXPECT_EQ(lista.cantidad, 0);
}

TEST(UtilLista, BuscaPorNombreExacto) {
  Lista lista(false);
  Registro a{1}, b{2}, c{3};
  lista.AgregarConNombre(&a, "ventana");
  lista.AgregarDato(&b);
  lista.AgregarConNombre(&c, "puerta");
  EXPECT_TRUE(lista.Contiene("puerta"));
  EXPECT_FALSE(lista.Contiene("Puerta"));
  EXPECT_FALSE(lista.Contiene("vent"));
  // The unnamed node is not found by an empty name.
  EXPECT_FALSE(lista.Contiene(""));
  EXPECT_EQ(lista.BuscarDato(""), nullptr);
  ASSERT_NE(lista.BuscarDato("puerta"), nullptr);
  EXPECT_EQ(*lista.BuscarDato("puerta"), &c);
  EXPECT_EQ(lista.BuscarDato("persiana"), nullptr);
}

TEST(UtilLista, QuitarEnMantieneElFinal) {
  struct Caso {
    int32_t quitar;
    std::vector<int> quedan; // after removing and appending 9
  } casos[] = {
      {0, {1, 2, 3, 9}}, {4, {1, 2, 3, 9}}, {-1, {1, 2, 3, 9}},
      {1, {2, 3, 9}},    {2, {1, 3, 9}},    {3, {1, 2, 9}},
  };
  for (const Caso &c : casos) {
    Lista lista;
    for (int v : {1, 2, 3})
      lista.AgregarDato(new Registro{v});
    lista.QuitarEn(c.quitar);
    lista.AgregarDato(new Registro{9});
    EXPECT_EQ(Valores(lista), c.quedan) << "quitar " << c.quitar;
    EXPECT_EQ(static_cast<Registro *>(lista.ultimo->datos)->valor, 9);
  }
}

TEST(UtilLista, VaciadaYVueltaALlenar) {
  Lista lista;
  lista.AgregarConNombre(new Registro{1}, "a");
  lista.AgregarConNombre(new Registro{2}, "b");
  lista.QuitarNombre("zz");
  EXPECT_EQ(lista.cantidad, 2);
  lista.QuitarNombre("b");
  lista.QuitarNombre("a");
  EXPECT_EQ(lista.cantidad, 0);
  EXPECT_EQ(lista.cabeza->siguiente, nullptr);
  EXPECT_EQ(lista.ultimo, lista.cabeza);
  lista.AgregarConNombre(new Registro{3}, "b");
  EXPECT_EQ(Valores(lista), (std::vector<int>{3}));
  EXPECT_TRUE(lista.Contiene("b"));
  EXPECT_FALSE(lista.Contiene("a"));
}

// Natively the leak checker fails this test if an owned record is not released.
TEST(UtilLista, LaDuenaLiberaSusDatosYLaPrestadaNo) {
  std::vector<Registro> ajenos(3, Registro{7});
  {
    Lista prestada(false);
    Lista duena(true);
    for (Registro &r : ajenos) {
      prestada.AgregarDato(&r);
      duena.AgregarDato(new Registro{r.valor});
    }
    duena.QuitarEn(2);
    // The head's slot follows the list's ownership too.
    *prestada.Dato(0) = &ajenos[0];
    *duena.Dato(0) = new Registro{8};
  }
  for (Registro &r : ajenos)
    EXPECT_EQ(r.valor, 7);
}

TEST(UtilLista, UnaListaLargaSeDestruyeSinAgotarLaPila) {
  Lista lista;
  for (int i = 0; i < 300000; ++i)
    lista.AgregarDato(new Registro{i});
  EXPECT_EQ(lista.cantidad, 300000);
  EXPECT_EQ(static_cast<Registro *>(*lista.Dato(300000))->valor, 299999);
}

// A long random run of appends and removals, checked after every step against a plain
// vector: positions, names, the end pointer and the count must always agree.
TEST(UtilLista, SigueAUnModeloEnUnaSerieAlAzar) {
  struct Entrada {
    int valor;
    std::string nombre;
  };
  std::vector<Entrada> modelo;
  Lista lista;
  uint32_t semilla = 12345;
  auto azar = [&semilla](uint32_t n) {
    semilla = semilla * 1103515245u + 12345u;
    return (semilla >> 16) % n;
  };
  for (int paso = 0; paso < 3000; ++paso) {
    std::string nombre = std::to_string(azar(20));
    nombre.insert(nombre.begin(), 'n');
    switch (azar(4)) {
    case 0:
      ASSERT_TRUE(lista.AgregarDato(new Registro{paso}));
      modelo.push_back({paso, ""});
      break;
    case 1: {
      bool repetido = false;
      for (const Entrada &e : modelo)
        repetido = repetido || e.nombre == nombre;
      Registro *r = new Registro{paso};
      bool agregado = lista.AgregarConNombre(r, nombre.c_str());
      ASSERT_EQ(agregado, !repetido) << nombre;
      if (agregado)
        modelo.push_back({paso, nombre});
      else
        delete r;
      break;
    }
    case 2: {
      int32_t i = static_cast<int32_t>(azar(static_cast<uint32_t>(modelo.size()) + 2));
      lista.QuitarEn(i);
      if (i >= 1 && i <= static_cast<int32_t>(modelo.size()))
        modelo.erase(modelo.begin() + (i - 1));
      break;
    }
    default: {
      void **hueco = lista.BuscarDato(nombre.c_str());
      auto hallado = std::find_if(modelo.begin(), modelo.end(),
                                  [&](const Entrada &e) { return e.nombre == nombre; });
      ASSERT_EQ(hueco != nullptr, hallado != modelo.end()) << nombre;
      if (hueco != nullptr) {
        ASSERT_EQ(static_cast<Registro *>(*hueco)->valor, hallado->valor);
      }
      lista.QuitarNombre(nombre.c_str());
      if (hallado != modelo.end())
        modelo.erase(hallado);
      break;
    }
    }
    ASSERT_EQ(lista.cantidad, static_cast<int32_t>(modelo.size())) << "paso " << paso;
    std::vector<int> esperados;
    for (const Entrada &e : modelo)
      esperados.push_back(e.valor);
    ASSERT_EQ(Valores(lista), esperados) << "paso " << paso;
    if (!modelo.empty()) {
      NodoLista *final = lista.cabeza;
      while (final->siguiente != nullptr)
        final = final->siguiente;
      ASSERT_EQ(lista.ultimo, final) << "paso " << paso;
    }
  }
}
