// One shared value per distinct argument list: objects that only read what a type definition
// gave them (the events of a ship type, the shots of a weapon type) share one copy instead of
// each copying the tree. A value is found by the content of the list it was made from, so a
// definition that changed, or another one at the same place, never gets a stale value.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/Xml.h"

template <class T>
class SharedByContent {
 public:
  explicit SharedByContent(std::function<T(Arguments const&)> newMake) : make(std::move(newMake)) {}

  // The value made from a list of this content, made now when there is none; never changed.
  std::shared_ptr<T const> get(Arguments const& source) {
    for (Entry const& entry : entries)
      if (sameArguments(entry.source, source)) return entry.value;
    // A handful of types are in use at a time; the oldest value goes first.
    if (entries.size() >= kMaxEntries) entries.erase(entries.begin());
    entries.push_back(Entry{source, std::make_shared<T const>(make(source))});
    return entries.back().value;
  }

 private:
  static constexpr std::size_t kMaxEntries = 64;

  struct Entry {
    Arguments source;
    std::shared_ptr<T const> value;
  };

  std::function<T(Arguments const&)> make;
  std::vector<Entry> entries;
};
