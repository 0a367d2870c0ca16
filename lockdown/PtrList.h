// A singly linked list of pointers with a head node and a tail pointer. It never deletes
// the items it points to.
//
// Walks use cursors of their own, so walks can nest. Items removed while any walk is
// under way leave an empty node behind that every walk skips; the empty nodes are
// unlinked when the last walk ends, so no cursor is ever left on a freed node.
#pragma once

namespace lockdown {

template <class T>
class PtrList {
  struct Node {
    T* value = nullptr;
    Node* next = nullptr;
  };

 public:
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
    Node* node = new Node{value, nullptr};
    tail->next = node;
    tail = node;
    ++count;
  }
  // Adds at the front.
  void Prepend(T* value) {
    Node* node = new Node{value, head.next};
    head.next = node;
    if (tail == &head) tail = node;
    ++count;
  }
  bool Contains(const T* value) const {
    for (Node* n = head.next; n; n = n->next)
      if (n->value == value) return true;
    return false;
  }
  T* First() const {
    for (Node* n = head.next; n; n = n->next)
      if (n->value) return n->value;
    return nullptr;
  }
  // Removes the first node holding the value; false when there is none.
  bool Remove(const T* value) {
    if (!value) return false;
    for (Node* prev = &head; prev->next; prev = prev->next) {
      Node* node = prev->next;
      if (node->value != value) continue;
      --count;
      if (walkers > 0) {
        node->value = nullptr;
        bHasHoles = true;
      } else {
        prev->next = node->next;
        if (tail == node) tail = prev;
        delete node;
      }
      return true;
    }
    return false;
  }
  void Clear() {
    if (walkers > 0) {
      for (Node* n = head.next; n; n = n->next) n->value = nullptr;
      bHasHoles = true;
      count = 0;
      return;
    }
    FreeNodes();
  }

 private:
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
  }
  void Compact() {
    Node* prev = &head;
    while (prev->next) {
      Node* node = prev->next;
      if (node->value) {
        prev = node;
        continue;
      }
      prev->next = node->next;
      delete node;
    }
    tail = prev;
    bHasHoles = false;
  }

  Node head;
  Node* tail = &head;
  int count = 0;
  int walkers = 0;
  bool bHasHoles = false;
};

}  // namespace lockdown
