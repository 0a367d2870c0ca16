// The system's list type, its cursor, and free helpers over standard vectors.
#pragma once

#include <ostream>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Debug.h"

// Cursor of a counting pass over a VectorInterface: starts before the first element.
class It {
 public:
  It() : myVal(-1) {}
  It(It const& other) : myVal(other.myVal) {}
  It& operator=(It const& other) {
    myVal = other.myVal;
    return *this;
  }
  virtual ~It() {}

  int operator++() { return ++myVal; }
  int getInt() const { return myVal; }
  void reset() { myVal = -1; }

 protected:
  int myVal;
};

std::ostream& operator<<(std::ostream& out, It const& it);

template <class T>
void eraseFromVector(T const& value, std::vector<T>& vect) {
  if (vect.empty()) return;
  for (typename std::vector<T>::iterator i = vect.begin(); i != vect.end(); ++i) {
    if (*i == value) {
      vect.erase(i);
      return;
    }
  }
}

// For each value counted n times, drops its first n entries, keeping the order of the rest:
// what n erasures of the first equal entry would leave, in one pass. Empties the counts.
template <class T, class Counts>
void dropFirstEntries(std::vector<T>& entries, Counts& counts) {
  if (counts.empty()) return;
  size_t kept = 0;
  for (size_t i = 0; i < entries.size(); i++) {
    auto pending = counts.find(entries[i]);
    if (pending != counts.end() && pending->second > 0) {
      pending->second--;
      continue;
    }
    entries[kept++] = entries[i];
  }
  entries.resize(kept);
  counts.clear();
}

template <class T>
void eraseFromVector(std::vector<T>& vect, T const& value) {
  eraseFromVector(value, vect);
}

template <class T>
void eraseIndexFromVector(int index, std::vector<T>& vect) {
  if (static_cast<unsigned>(index) < vect.size()) vect.erase(vect.begin() + index);
}

template <class T>
void appendToVector(std::vector<T>& dest, std::vector<T> const& source) {
  for (size_t i = 0; i < source.size(); i++) dest.push_back(source[i]);
}

template <class T>
void pop(std::vector<T>& vect) {
  if (!vect.empty()) vect.erase(vect.begin());
}

template <class T>
T findMax(std::vector<T> const& vect) {
  if (vect.empty()) {
    recordError("Error: Empty vector passed to findMax");
    return T();
  }
  T result = vect[0];
  for (size_t i = 1; i < vect.size(); i++)
    if (vect[i] > result) result = vect[i];
  return result;
}

template <class T>
T findMin(std::vector<T> const& vect) {
  if (vect.empty()) {
    recordError("Error: Empty vector passed to findMin");
    return T();
  }
  T result = vect[0];
  for (size_t i = 1; i < vect.size(); i++)
    if (vect[i] < result) result = vect[i];
  return result;
}

namespace vector_utils_detail {
// Downcasts are run-time tested (a wrong class gives null); upcasts are implicit.
template <class Target, class Source>
Target convertPointer(Source* p, std::true_type /*implicit*/) {
  return p;
}
template <class Target, class Source>
Target convertPointer(Source* p, std::false_type) {
  return dynamic_cast<Target>(p);
}
}  // namespace vector_utils_detail

template <class Source, class Target>
std::vector<Target> casteVector(std::vector<Source> const& source, Target) {
  std::vector<Target> result;
  for (size_t i = 0; i < source.size(); i++)
    result.push_back(vector_utils_detail::convertPointer<Target>(
        source[i], std::is_convertible<Source, Target>()));
  return result;
}

// A list over one standard vector with range-tested access and the cursor pass.
template <class T>
class VectorInterface {
 public:
  VectorInterface() {}
  VectorInterface(VectorInterface const& other) : myVect(other.myVect) {}
  // Moves, so that lists of lists (markup trees) grow without copying every subtree.
  VectorInterface(VectorInterface&& other) noexcept : myVect(std::move(other.myVect)) {}
  VectorInterface& operator=(VectorInterface&& other) noexcept {
    myVect = std::move(other.myVect);
    return *this;
  }
  VectorInterface& operator=(VectorInterface const& other) {
    myVect = other.myVect;
    return *this;
  }
  virtual ~VectorInterface() {}

  int size() const { return static_cast<int>(myVect.size()); }
  void resize(int count) { myVect.resize(count); }
  T const& getAt(int index) const { return myVect.at(index); }
  T& at(int index) { return myVect.at(index); }
  T& at(It const& it) { return myVect.at(it.getInt()); }
  void push_back(T const& value) { myVect.push_back(value); }
  void erase(T const& value) { eraseFromVector(value, myVect); }
  // Removal by index; int lists remove by index with eraseAt, where this would clash.
  template <class U = T, class = typename std::enable_if<!std::is_same<U, int>::value>::type>
  void erase(int index) {
    eraseIndexFromVector(index, myVect);
  }
  void eraseAt(int index) { eraseIndexFromVector(index, myVect); }
  void clear() { myVect.clear(); }
  bool loop(It& it) const { return ++it < size(); }
  std::vector<T>& getVect() { return myVect; }
  std::vector<T> const& getVect() const { return myVect; }

  template <class Target>
  VectorInterface<Target> caste(Target) const {
    VectorInterface<Target> result;
    for (size_t i = 0; i < myVect.size(); i++) result.push_back(myVect[i]);
    return result;
  }
  template <class Target>
  std::vector<Target> casteAsVect(Target t) const {
    return casteVector(myVect, t);
  }

 protected:
  std::vector<T> myVect;
};
