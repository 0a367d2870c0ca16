// A linked list of pointers with a head node and a tail pointer. It never deletes the items
// it points to.
//
// Walks use cursors of their own, so walks can nest. Items removed while any walk is
// under way leave an empty node behind that every walk skips; the empty nodes are
// unlinked when the last walk ends, so no cursor is ever left on a freed node.
//
// Each item's first node is kept in a map, so that Contains and Remove take constant time
// however long the list grows (a level holds tens of thousands of objects).
#pragma once

#include <unordered_map>

namespace lockdown {

template <class T>
class PtrList {
  struct Node {
    T* value = nullptr;
    Node* next = nullptr;
    Node* prev = nullptr;
    // The next node holding the same value, when an item is in the list more than once.
    Node* nextSame = nullptr;
  };

 public:
  // A place in the list, to tell whether items were put in front of it since.
  using Place = const void*;

  class Cursor {
   public:
    explicit Cursor(const PtrList& l) : list(const_cast<PtrList*>(&l)), node(list->head.next) {
      ++list->walkers;
      Skip();
    }
    ~Cursor() {
      if (--list->walkers == 0 && list->bHasHoles) list->Compact();
    }
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    bool AtEnd() const { return node == nullptr; }
    T* Current() const { return node ? node->value : nullptr; }
    void Next() {
      if (node) node = node->next;
      Skip();
    }
    bool IsAt(Place place) const { return node == place; }

   private:
    void Skip() {
      while (node && !node->value) node = node->next;
    }
    PtrList* list;
    Node* node;
  };

  PtrList() = default;
  ~PtrList() { FreeNodes(); }
  PtrList(const PtrList&) = delete;
  PtrList& operator=(const PtrList&) = delete;

  int Count() const { return count; }
  bool Empty() const { return count == 0; }

  // Adds at the tail, so walks see items in the order they were added.
  void Append(T* value) {
    Node* node = new Node{value, nullptr, tail, nullptr};
    tail->next = node;
    tail = node;
    ++count;
    ++appends;
    if (!value) return;
    auto found = firstOf.find(value);
    if (found == firstOf.end()) {
      firstOf.emplace(value, node);
      return;
    }
    Node* last = found->second;
    while (last->nextSame) last = last->nextSame;
    last->nextSame = node;
  }
  // Adds at the front.
  void Prepend(T* value) {
    Node* node = new Node{value, head.next, &head, nullptr};
    if (head.next) head.next->prev = node;
    head.next = node;
    if (tail == &head) tail = node;
    ++count;
    ++prepends;
    if (!value) return;
    auto found = firstOf.find(value);
    if (found != firstOf.end()) node->nextSame = found->second;
    firstOf[value] = node;
  }
  bool Contains(const T* value) const {
    if (value) return firstOf.count(value) != 0;
    for (Node* n = head.next; n; n = n->next)
      if (!n->value) return true;
    return false;
  }
  T* First() const {
    for (Node* n = head.next; n; n = n->next)
      if (n->value) return n->value;
    return nullptr;
  }
  // The first item's place; a walk that reaches it has seen every item put in front since.
  Place Front() const {
    Node* n = head.next;
    while (n && !n->value) n = n->next;
    return n;
  }
  // How many times an item was appended, and prepended: counts that only grow.
  unsigned Appends() const { return appends; }
  unsigned Prepends() const { return prepends; }
  // Removes the first node holding the value; false when there is none.
  bool Remove(const T* value) {
    if (!value) return false;
    auto found = firstOf.find(value);
    if (found == firstOf.end()) return false;
    Node* node = found->second;
    if (node->nextSame)
      found->second = node->nextSame;
    else
      firstOf.erase(found);
    --count;
    if (walkers > 0) {
      node->value = nullptr;
      node->nextSame = nullptr;
      bHasHoles = true;
    } else {
      Unlink(node);
    }
    return true;
  }
  void Clear() {
    firstOf.clear();
    if (walkers > 0) {
      for (Node* n = head.next; n; n = n->next) {
        n->value = nullptr;
        n->nextSame = nullptr;
      }
      bHasHoles = true;
      count = 0;
      return;
    }
    FreeNodes();
  }

 private:
  void Unlink(Node* node) {
    node->prev->next = node->next;
    if (node->next)
      node->next->prev = node->prev;
    else
      tail = node->prev;
    delete node;
  }
  void FreeNodes() {
    Node* n = head.next;
    while (n) {
      Node* next = n->next;
      delete n;
      n = next;
    }
    head.next = nullptr;
    tail = &head;
    count = 0;
    bHasHoles = false;
    firstOf.clear();
  }
  void Compact() {
    Node* n = head.next;
    while (n) {
      Node* next = n->next;
      if (!n->value) Unlink(n);
      n = next;
    }
    bHasHoles = false;
  }

  Node head;
  Node* tail = &head;
  int count = 0;
  int walkers = 0;
  unsigned appends = 0, prepends = 0;
  bool bHasHoles = false;
  std::unordered_map<const T*, Node*> firstOf;
};

}  // namespace lockdown
