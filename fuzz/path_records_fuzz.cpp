// Path records as a level file holds them after a "PathFollower" word: read into a follower,
// linked up, written back, and a node deleted, as the editor does.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzLog.h"
#include "geometry/PathNode.h"
#include "geometry/Rect.h"

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size) {
  silenceQorLog();
  nextNodeId = 1;
  std::istringstream in(std::string(reinterpret_cast<char const*>(data), size));
  Rect follower;
  follower.initFromFile(in);
  follower.connectPathNodes();
  std::ostringstream out;
  follower.saveToFile(out);
  if (follower.getPathSize() > 1) follower.deleteNode(follower.getPathRef().at(0));
  return 0;
}
