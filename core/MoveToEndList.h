// A typed list whose entries are often taken out and appended again (every shot in flight moves
// its ship to the end of the ship list once a frame). Taking an object's first entry out only
// marks it; the marked entries are dropped, in one pass that keeps the order of the rest, before
// anything reads the list, or when they make up half of it. Every reader therefore sees exactly
// the list that erasing the first entry and appending would have left.
#pragma once

#include <unordered_map>
#include <vector>

#include "core/ObjectVector.h"

template <class T>
class MoveToEndList : public ObjectVector<T> {
 public:
  MoveToEndList() {}
  MoveToEndList(MoveToEndList const& other) : ObjectVector<T>(other.settled()) {}
  MoveToEndList& operator=(MoveToEndList const& other) {
    settle();
    ObjectVector<T>::operator=(other.settled());
    return *this;
  }

  // Takes the first entry equal to value out of the list; false when there is none.
  bool takeOutFirst(T const& value) {
    buildIndex();
    auto found = firstAt.find(value);
    if (found == firstAt.end() || found->second.count == 0) return false;
    Place& place = found->second;
    markTakenOut(place.first);
    if (--place.count > 0) place.first = findLiveFrom(value, place.first + 1);
    if (2 * takenOut > static_cast<int>(this->myVect.size())) settle();
    return true;
  }

  // Appends value, as push_back (value, true) does.
  void putBack(T const& value) {
    buildIndex();
    Place& place = firstAt[value];
    if (place.count++ == 0) place.first = static_cast<int>(this->myVect.size());
    this->myVect.push_back(value);
    if (takenOut > 0) bTakenOut.push_back(false);
  }

  // Every other access sees the settled list (and a writer may change it behind the index).
  template <class U>
  void modify(U* obj) {
    settleAndForget();
    ObjectVector<T>::modify(obj);
  }
  void applyRemovals() override {
    settleAndForget();
    ObjectVector<T>::applyRemovals();
  }
  void push_back(T const& value, bool bAdd) {
    settleAndForget();
    ObjectVector<T>::push_back(value, bAdd);
  }
  void push_back(T const& value) {
    settleAndForget();
    ObjectVector<T>::push_back(value);
  }
  int size() const { return settled().ObjectVector<T>::size(); }
  void resize(int count) {
    settleAndForget();
    ObjectVector<T>::resize(count);
  }
  T const& getAt(int index) const { return settled().ObjectVector<T>::getAt(index); }
  T& at(int index) {
    settleAndForget();
    return ObjectVector<T>::at(index);
  }
  T& at(It const& it) {
    settleAndForget();
    return ObjectVector<T>::at(it);
  }
  void erase(T const& value) {
    settleAndForget();
    ObjectVector<T>::erase(value);
  }
  void eraseAt(int index) {
    settleAndForget();
    ObjectVector<T>::eraseAt(index);
  }
  void clear() {
    settleAndForget();
    ObjectVector<T>::clear();
  }
  bool loop(It& it) const { return ++it < size(); }
  std::vector<T>& getVect() {
    settleAndForget();
    return this->myVect;
  }
  std::vector<T> const& getVect() const { return settled().myVect; }

 private:
  struct Place {
    int first = 0;  // index of the first entry still in the list
    int count = 0;  // entries still in the list
  };

  // The list as readers see it (the marks are an inner detail, so const readers may drop them).
  MoveToEndList const& settled() const {
    const_cast<MoveToEndList*>(this)->settle();
    return *this;
  }

  void settle() {
    if (takenOut == 0) return;
    size_t kept = 0;
    for (size_t i = 0; i < this->myVect.size(); i++)
      if (!bTakenOut[i]) this->myVect[kept++] = this->myVect[i];
    this->myVect.resize(kept);
    bTakenOut.clear();
    takenOut = 0;
    bIndexed = false;
  }

  void settleAndForget() {
    settle();
    bIndexed = false;
  }

  // Rebuilt after a settle: the places of departed objects are kept at no entries (and dropped
  // when they outnumber the entries), so that rebuilding seldom allocates.
  void buildIndex() {
    if (bIndexed) return;
    if (firstAt.size() > 2 * this->myVect.size() + 16) firstAt.clear();
    for (auto& known : firstAt) known.second.count = 0;
    for (size_t i = 0; i < this->myVect.size(); i++) {
      if (takenOut > 0 && bTakenOut[i]) continue;
      Place& place = firstAt[this->myVect[i]];
      if (place.count++ == 0) place.first = static_cast<int>(i);
    }
    bIndexed = true;
  }

  void markTakenOut(int index) {
    if (takenOut == 0) bTakenOut.assign(this->myVect.size(), false);
    bTakenOut[index] = true;
    takenOut++;
  }

  int findLiveFrom(T const& value, int from) const {
    for (size_t i = from; i < this->myVect.size(); i++)
      if (this->myVect[i] == value && !bTakenOut[i]) return static_cast<int>(i);
    return -1;
  }

  std::unordered_map<T, Place> firstAt;
  bool bIndexed = false;
  std::vector<bool> bTakenOut;  // beside the entries while any is taken out
  int takenOut = 0;
};
