// The game's type definitions (the xml files of the run directory), read for the benchmarks
// and the play tests that run the scenarios.
#pragma once

#include <fstream>
#include <string>

#include "core/Files.h"
#include "core/Xml.h"
#include "game/XmlHandlers.h"

inline void readQorDataFiles() {
  for (std::string const& file : getFilesInDir("xml", "*.xml")) {
    std::ifstream in(file.c_str());
    XmlElement root;
    readElement(in, root, "");
    handleQorElement(root);
  }
}
