#pragma once

#include <string>

namespace tess {

// The folder holding the program's bundled data (the WML 1.1 DTD, its XML
// catalog, the example deck). Looked up in this order: the environment
// variable TESSARINE_DATA_DIR; "../share/tessarine" beside the executable
// (an installed program); "share/tessarine" beside it; the build tree's copy;
// the install prefix. Empty when none holds the DTD.
std::string dataDir();

// dataDir() + "/" + name.
std::string dataFile(const std::string &name);

// The bundled DTD file and its catalog.
std::string bundledDtdPath();
std::string bundledCatalogPath();

} // namespace tess
