// publicador MANIFIESTO CARPETA SALIDA.smx [PAQUETE]
// Builds the update file from a folder tree: the update package (kept at PAQUETE when
// given), compressed into an MSZIP cabinet, behind the 128-byte descriptor
// "QOR_Fenestrali_2 <version>:<CAB size> sha256=<CAB digest>".
#include "paquete.h"
#include "update/sha256.h"

#include <libgcab.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char *kProducto = "QOR_Fenestrali_2";
constexpr std::size_t kLargoDescriptor = 128;

int Fallar(const std::string &mensaje) {
  std::cerr << "publicador: " << mensaje << "\n";
  return 1;
}

// The package, alone in one MSZIP folder, under the name the console expands it to.
bool Comprimir(const std::string &paquete, const std::string &cab, std::string &error) {
  GError *gerror = nullptr;
  GCabCabinet *gabinete = gcab_cabinet_new();
  GCabFolder *carpeta = gcab_folder_new(GCAB_COMPRESSION_MSZIP);
  GFile *origen = g_file_new_for_path(paquete.c_str());
  std::string nombre = std::string(kProducto) + ".smx";
  GCabFile *archivo = gcab_file_new_with_file(nombre.c_str(), origen);
  // A fixed date keeps the output the same for the same input.
  GDateTime *fecha = g_date_time_new_utc(2020, 1, 1, 0, 0, 0);
  gcab_file_set_date_time(archivo, fecha);
  g_date_time_unref(fecha);
  bool bien = gcab_folder_add_file(carpeta, archivo, FALSE, nullptr, &gerror) &&
              gcab_cabinet_add_folder(gabinete, carpeta, &gerror);
  if (bien) {
    GFile *destino = g_file_new_for_path(cab.c_str());
    GFileOutputStream *salida =
        g_file_replace(destino, nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, &gerror);
    bien = salida &&
           gcab_cabinet_write_simple(gabinete, G_OUTPUT_STREAM(salida), nullptr, nullptr, nullptr,
                                     &gerror) &&
           g_output_stream_close(G_OUTPUT_STREAM(salida), nullptr, &gerror);
    if (salida)
      g_object_unref(salida);
    g_object_unref(destino);
  }
  if (!bien)
    error = gerror ? gerror->message : "no se pudo escribir el CAB";
  if (gerror)
    g_error_free(gerror);
  g_object_unref(archivo);
  g_object_unref(origen);
  g_object_unref(carpeta);
  g_object_unref(gabinete);
  return bien;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 4 && argc != 5)
    return Fallar("uso: publicador MANIFIESTO CARPETA SALIDA.smx [PAQUETE]");
  std::string salida = argv[3];
  std::string paquete = argc == 5 ? argv[4] : salida + ".paquete";
  std::string cab = salida + ".cab";
  std::string error;
  Manifiesto manifiesto;
  if (!LeerManifiesto(argv[1], manifiesto, error))
    return Fallar(error);
  if (!EscribirPaquete(argv[2], manifiesto, paquete, error)) {
    std::error_code ec;
    fs::remove(paquete, ec);
    return Fallar(error);
  }
  bool comprimido = Comprimir(paquete, cab, error);
  if (argc == 4)
    fs::remove(paquete);
  if (!comprimido) {
    std::error_code ec;
    fs::remove(cab, ec);
    return Fallar(error);
  }

  std::error_code ec;
  std::uint64_t largoCab = fs::file_size(cab, ec);
  if (ec || largoCab == 0 || largoCab > 0x7fffffffULL - kLargoDescriptor) {
    fs::remove(cab, ec);
    return Fallar("el CAB no cabe en el formato de actualización");
  }
  ResumenSha256 sha;
  std::vector<char> bloque(1 << 16);
  {
    std::ifstream entrada(cab, std::ios::binary);
    while (entrada.read(bloque.data(), static_cast<std::streamsize>(bloque.size())) ||
           entrada.gcount() > 0)
      sha.Agregar(bloque.data(), static_cast<std::size_t>(entrada.gcount()));
  }
  char resumen[65];
  sha.TerminarHex(resumen);

  char descriptor[kLargoDescriptor] = {};
  int largo = std::snprintf(descriptor, sizeof descriptor, "%s %d:%llu sha256=%s", kProducto,
                            static_cast<int>(manifiesto.version),
                            static_cast<unsigned long long>(largoCab), resumen);
  if (largo < 0 || static_cast<std::size_t>(largo) >= sizeof descriptor)
    return Fallar("el descriptor no cabe en 128 bytes");

  std::ofstream smx(salida, std::ios::binary | std::ios::trunc);
  smx.write(descriptor, sizeof descriptor);
  std::ifstream entrada(cab, std::ios::binary);
  std::uint64_t copiados = 0;
  while (entrada.read(bloque.data(), static_cast<std::streamsize>(bloque.size())) ||
         entrada.gcount() > 0) {
    smx.write(bloque.data(), entrada.gcount());
    copiados += static_cast<std::uint64_t>(entrada.gcount());
  }
  entrada.close();
  fs::remove(cab, ec);
  smx.close();
  if (!smx || copiados != largoCab) {
    fs::remove(salida, ec);
    return Fallar("no se pudo escribir " + salida);
  }
  std::cout << descriptor << "\n";
  return 0;
}
