// Vectors whose index is checked: a bad index writes "Illegal vector index: " and stops
// the program, since it can only come from a fault in the game itself.
#pragma once

#include <cstdlib>
#include <iostream>
#include <vector>

namespace lockdown {

[[noreturn]] inline void IllegalVectorIndex(int index, int count) {
  std::cerr << "Illegal vector index: " << index << " max index = " << count - 1 << std::endl;
  std::abort();
}

template <class T>
class CheckedVector {
 public:
  CheckedVector() = default;
  explicit CheckedVector(int n) : items(n > 0 ? n : 0) {}

  int Count() const { return static_cast<int>(items.size()); }
  T& At(int i) {
    if (i < 0 || i >= Count()) IllegalVectorIndex(i, Count());
    return items[i];
  }
  const T& At(int i) const {
    if (i < 0 || i >= Count()) IllegalVectorIndex(i, Count());
    return items[i];
  }
  // Keeps the first min(old, n) entries; new entries are default values.
  void Resize(int n) { items.resize(n > 0 ? n : 0); }
  void Add(const T& value) { items.push_back(value); }
  void Clear() { items.clear(); }

 private:
  std::vector<T> items;
};

using IntVector = CheckedVector<int>;

}  // namespace lockdown
