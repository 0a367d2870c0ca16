// A typed list whose entries are often taken out and appended again (every shot in flight moves
// its ship to the end of the ship list once a frame). Taking an object's first entry out only
// marks it; the marked entries are dropped, in one pass that keeps the order of the rest, before
// anything reads the list, or when they make up half of it. Every reader therefore sees exactly
// the list that erasing the first entry and appending would have left. The list holds its
// ObjectVector rather than deriving from it, so that no caller can reach the entries through a
// base that skips the settling.
#pragma once

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "core/ObjectVector.h"

template <class T>
class MoveToEndList {
 public:
  MoveToEndList() {}
  MoveToEndList(MoveToEndList const& other) : list(other.settled().list) {}
  MoveToEndList& operator=(MoveToEndList const& other) {
    settleAndForget();
    list = other.settled().list;
    return *this;
  }

  // Takes the first entry equal to value out of the list; false when there is none.
  bool takeOutFirst(T const& value) {
    // Inside a removal batch the list takes the entry out at once, so that the removals it
    // applies at the batch's end find no marks among the entries.
    if (bBatchingRemovals) return eraseFirstNow(value);
    buildIndex();
    auto found = firstAt.find(value);
    if (found == firstAt.end() || found->second.count == 0) return false;
    Place& place = found->second;
    markTakenOut(place.first);
    if (--place.count > 0) place.first = findLiveFrom(value, place.first + 1);
    if (2 * takenOut > static_cast<int>(entries().size())) settle();
    return true;
  }

  // Appends value, as push_back (value, true) does.
  void putBack(T const& value) {
    if (bBatchingRemovals) {
      settleAndForget();
      entries().push_back(value);
      return;
    }
    buildIndex();
    Place& place = firstAt[value];
    if (place.count++ == 0) place.first = static_cast<int>(entries().size());
    entries().push_back(value);
    if (takenOut > 0) bTakenOut.push_back(false);
  }

  // The typed list's own functions, each on the settled list (a writer may change the entries
  // behind the index, so the index is rebuilt at the next move).
  template <class U>
  void modify(U* obj) {
    settleAndForget();
    list.modify(obj);
  }
  void push_back(T const& value, bool bAdd) {
    settleAndForget();
    list.push_back(value, bAdd);
  }
  void push_back(T const& value) {
    settleAndForget();
    list.push_back(value);
  }
  int size() const { return settled().list.size(); }
  void resize(int count) {
    settleAndForget();
    list.resize(count);
  }
  T const& getAt(int index) const { return settled().list.getAt(index); }
  T& at(int index) {
    settleAndForget();
    return list.at(index);
  }
  T& at(It const& it) {
    settleAndForget();
    return list.at(it);
  }
  void erase(T const& value) {
    settleAndForget();
    list.erase(value);
  }
  void eraseAt(int index) {
    settleAndForget();
    list.eraseAt(index);
  }
  void clear() {
    settleAndForget();
    list.clear();
  }
  bool loop(It& it) const { return ++it < size(); }
  std::vector<T>& getVect() {
    settleAndForget();
    return list.getVect();
  }
  std::vector<T> const& getVect() const { return settled().list.getVect(); }

 private:
  struct Place {
    int first = 0;  // index of the first entry still in the list
    int count = 0;  // entries still in the list
  };

  std::vector<T>& entries() { return list.getVect(); }
  std::vector<T> const& entries() const { return list.getVect(); }

  // The list as readers see it (the marks are an inner detail, so const readers may drop them).
  MoveToEndList const& settled() const {
    const_cast<MoveToEndList*>(this)->settle();
    return *this;
  }

  void settle() {
    if (takenOut == 0) return;
    std::vector<T>& all = entries();
    size_t kept = 0;
    for (size_t i = 0; i < all.size(); i++)
      if (!bTakenOut[i]) all[kept++] = all[i];
    all.resize(kept);
    bTakenOut.clear();
    takenOut = 0;
    bIndexed = false;
  }

  void settleAndForget() {
    settle();
    bIndexed = false;
  }

  bool eraseFirstNow(T const& value) {
    settleAndForget();
    std::vector<T>& all = entries();
    auto found = std::find(all.begin(), all.end(), value);
    if (found == all.end()) return false;
    all.erase(found);
    return true;
  }

  // Rebuilt after a settle: the places of departed objects are kept at no entries (and dropped
  // when they outnumber the entries), so that rebuilding seldom allocates.
  void buildIndex() {
    if (bIndexed) return;
    std::vector<T> const& all = entries();
    if (firstAt.size() > 2 * all.size() + 16) firstAt.clear();
    for (auto& known : firstAt) known.second.count = 0;
    for (size_t i = 0; i < all.size(); i++) {
      if (takenOut > 0 && bTakenOut[i]) continue;
      Place& place = firstAt[all[i]];
      if (place.count++ == 0) place.first = static_cast<int>(i);
    }
    bIndexed = true;
  }

  void markTakenOut(int index) {
    if (takenOut == 0) bTakenOut.assign(entries().size(), false);
    bTakenOut[index] = true;
    takenOut++;
  }

  int findLiveFrom(T const& value, int from) const {
    std::vector<T> const& all = entries();
    for (size_t i = from; i < all.size(); i++)
      if (all[i] == value && !bTakenOut[i]) return static_cast<int>(i);
    return -1;
  }

  // The entries, with the typed list's add/remove protocol and its removal batches.
  ObjectVector<T> list;
  std::unordered_map<T, Place> firstAt;
  bool bIndexed = false;
  std::vector<bool> bTakenOut;  // beside the entries while any is taken out
  int takenOut = 0;
};
