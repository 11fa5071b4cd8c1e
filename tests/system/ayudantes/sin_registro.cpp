// A library with no registration entry points, for the registration tests.
#ifdef _WIN32
#define EXPORTAR extern "C" __declspec(dllexport)
#else
#define EXPORTAR extern "C" __attribute__((visibility("default")))
#endif

EXPORTAR int Suma(int a, int b) {
  return a + b;
}
