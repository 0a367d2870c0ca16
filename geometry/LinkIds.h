// The ids a node's record lists as links, held until they are resolved into links. Most nodes
// list one or two: a few are kept in place, so that reading a level does not allocate a list
// for every node; more go to a list of their own.
#pragma once

#include <stdexcept>
#include <vector>

class LinkIds {
 public:
  int size() const { return count; }
  int at(int index) const {
    if (index < 0 || index >= count) throw std::out_of_range("LinkIds::at");
    return count <= kInPlace ? inPlace[index] : more[static_cast<size_t>(index)];
  }
  void push_back(int id) {
    if (count < kInPlace) {
      inPlace[count++] = id;
      return;
    }
    if (count == kInPlace) more.assign(inPlace, inPlace + kInPlace);
    more.push_back(id);
    count++;
  }
  void clear() {
    more.clear();
    count = 0;
  }

 private:
  static constexpr int kInPlace = 4;
  int inPlace[kInPlace] = {};
  // Every id, once there are more than fit in place.
  std::vector<int> more;
  int count = 0;
};
