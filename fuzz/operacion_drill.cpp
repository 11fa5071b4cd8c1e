// One operation on the installation of drive C: (QOR_DRIVE_C), for the drill scripts:
//   operacion_drill crear                  a complete backup
//   operacion_drill restaurar PREFIJO      restores the listed backup whose name starts
//                                          with PREFIJO, answering Yes
//   operacion_drill instalar [PAQUETE]     installs the package (a host file), as the
//                                          download leaves it in the install folder
//                                          (without PAQUETE: the one already there)
//   operacion_drill actualizar SMX         the update decision against a loopback server
//                                          offering the .smx (a host file): check,
//                                          download, install
//   operacion_drill listar                 the start-up listing
//   operacion_drill verificar              walks every file of the backup folder:
//                                          "copia: ESTADO ENTRADAS NAME" (0 is sound)
// Prints each notice as "aviso: TEXT" and each listed item as "item: TEXT". Exits 0
// when the command reported success, 1 when it did not, 2 on bad usage.
#include "backup/catalogo.h"
#include "backup/crear_copia.h"
#include "backup/formato_copia.h"
#include "backup/restaurar_copia.h"
#include "consola_grabadora.h"
#include "servidor_http.h"
#include "system/archivo.h"
#include "system/pc.h"
#include "update/actualizar.h"
#include "update/instalar_paquete.h"
#include "update/sesion_actualizacion.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char **argv) {
  if (argc < 2)
    return 2;
  const std::string operacion = argv[1];
  PC pc;
  elPC = &pc;
  ConsolaGrabadora consola;
  int resultado = 2;
  if (operacion == "crear") {
    resultado = CrearCopia(kCopiaCompleta) == ResultadoCopia::Completa ? 0 : 1;
  } else if (operacion == "listar") {
    ListarCopias();
    resultado = 0;
  } else if (operacion == "verificar") {
    const char *unidad = std::getenv("QOR_DRIVE_C");
    if (!unidad)
      return 2;
    resultado = 0;
    for (const auto &e :
         std::filesystem::directory_iterator(std::string(unidad) + "/QOR_Fenestrali_2/BK")) {
      std::string nombre = e.path().filename().string();
      Archivo copia;
      copia.AbrirLectura(("C:\\QOR_Fenestrali_2\\BK\\" + nombre).c_str());
      RecorridoCopia r = RecorrerCopia(copia, nullptr);
      std::printf("copia: %d %u %s\n", static_cast<int>(r.estado), r.entradas, nombre.c_str());
    }
  } else if (operacion == "restaurar" && argc == 3) {
    ListarCopias();
    consola.seleccion = -1;
    for (std::size_t i = 0; i < consola.items.size(); ++i)
      if (consola.items[i].rfind(argv[2], 0) == 0)
        consola.seleccion = static_cast<std::int32_t>(i);
    consola.Responder({true});
    resultado = RestaurarCopia() ? 0 : 1;
  } else if (operacion == "instalar" && argc <= 3) {
    SesionActualizacion &s = laSesionActualizacion;
    std::strcpy(s.carpetaInstalacion, "C:\\QOR_Fenestrali_2");
    std::strcpy(s.rutaPaquete, "C:\\QOR_Fenestrali_2\\QOR_Fenestrali_2.smx");
    const char *unidad = std::getenv("QOR_DRIVE_C");
    if (!unidad)
      return 2;
    if (argc == 3)
      std::filesystem::copy_file(argv[2],
                                 std::string(unidad) + "/QOR_Fenestrali_2/QOR_Fenestrali_2.smx",
                                 std::filesystem::copy_options::overwrite_existing);
    resultado = InstalarPaquete() ? 0 : 1;
  } else if (operacion == "actualizar" && argc == 3) {
    ServidorHttp servidor;
    ServidorHttp::Respuesta respuesta;
    respuesta.archivo = argv[2];
    servidor.Publicar("/QOR_Fenestrali_2.smx", respuesta);
    if (!servidor.Activo() || !FijarUrlActualizacion(servidor.UrlBase().c_str()))
      return 2;
    resultado = ComprobarYActualizar() ? 0 : 1;
  }
  for (const std::string &item : consola.items)
    std::printf("item: %s\n", item.c_str());
  for (const std::string &aviso : consola.Avisos())
    std::printf("aviso: %s\n", aviso.c_str());
  std::fflush(stdout);
  elPC = nullptr;
  return resultado;
}
