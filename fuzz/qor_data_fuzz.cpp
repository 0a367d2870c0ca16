// A data file of the folder "xml" on any bytes: read and handed to the data handlers, as
// start-up does, between the shipped settings and the shipped types (so that its settings and
// its types win); then a shipped level is loaded and played a few frames with what it set.
// Every input starts again from the shipped files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "QorFuzzGame.h"
#include "core/Files.h"
#include "core/Xml.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/XmlHandlers.h"

namespace {
struct DataFile {
  std::string name;
  XmlElement root;
};
std::vector<DataFile> shipped;

void handleShipped(bool bSettings) {
  for (DataFile& file : shipped)
    if ((file.name.find("settings") != std::string::npos) == bSettings)
      handleQorElement(file.root, file.name);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startQorForFuzzing();
  for (std::string const& name : getFilesInDir("xml", "*.xml")) {
    std::ifstream in(name.c_str());
    DataFile file;
    file.name = name;
    readElement(in, file.root, "");
    shipped.push_back(file);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  fuzzInput().reset();
  std::srand(1);
  holoTypes.clear();
  weaponTypes.clear();
  episodes.clear();
  handleShipped(true);
  std::istringstream in(std::string(reinterpret_cast<char const*>(data), size));
  XmlElement root;
  readElement(in, root, "");
  handleQorElement(root, "fuzz.xml");
  handleShipped(false);
  useTempLev = false;
  loadLevel("outpost.lev");
  // Play enters with the zoom and the command mode read.
  gameState = &localState;
  localState.enter();
  fuzzInput().hold('w', 'a', 9);
  for (int frame = 0; frame < 3; frame++) runFrame();
  fuzzInput().hold(0, 0, 0);
  return 0;
}
