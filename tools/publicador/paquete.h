// The publisher's manifest and the update package written from a folder tree.
#ifndef QOR_TOOLS_PAQUETE_H
#define QOR_TOOLS_PAQUETE_H

#include <cstdint>
#include <set>
#include <string>

struct Manifiesto {
  std::int32_t version = 0;
  bool conVersion = false;
  // Tree-relative paths with "/" separators.
  std::set<std::string> sistema;     // folders whose files go to the Windows system folder
  std::set<std::string> idata;       // folders whose files go to <folder>\iData
  std::set<std::string> componentes; // files registered as COM components once installed
};

// Reads the manifest; false with a message naming the line when something is wrong.
bool LeerManifiesto(const std::string &ruta, Manifiesto &manifiesto, std::string &error);

// Writes the package of the tree's files into salida: the header record, then root
// files, then one folder record and its files per folder, in name order. False with a
// message when the tree does not fit the format or the manifest names what isn't there.
bool EscribirPaquete(const std::string &carpeta, const Manifiesto &manifiesto,
                     const std::string &salida, std::string &error);

#endif
