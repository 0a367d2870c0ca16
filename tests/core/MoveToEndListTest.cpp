#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <type_traits>
#include <vector>

#include "core/MoveToEndList.h"
#include "core/MultiListed.h"

class MoveTestEntry {
 public:
  virtual ~MoveTestEntry() {}
};

namespace {
// What the list must hold: the plain vector under erase-the-first-entry and append.
bool takeOutFirstOf(std::vector<MoveTestEntry*>& model, MoveTestEntry* value) {
  auto found = std::find(model.begin(), model.end(), value);
  if (found == model.end()) return false;
  model.erase(found);
  return true;
}
}  // namespace

// Seeded runs of the moves a frame makes (take out, put back, often many in a row, entries
// listed twice, objects that were never listed) mixed with every other way in: adding and
// removing through modify, removals batched, writes through getVect, and reads by index, by
// cursor and by copy. After each step the list reads as the plain vector does.
TEST(MoveToEndListTest, ReadsAsErasingTheFirstEntryAndAppendingWould) {
  std::vector<MoveTestEntry> objects(12);
  for (unsigned seed = 1; seed <= 40; seed++) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    MoveToEndList<MoveTestEntry*> list;
    std::vector<MoveTestEntry*> model;
    std::vector<MoveTestEntry*> takenOut;
    for (int step = 0; step < 600; step++) {
      MoveTestEntry* object = &objects[pick(static_cast<int>(objects.size()))];
      int const action = pick(100);
      if (action < 40) {
        bool const bTaken = list.takeOutFirst(object);
        ASSERT_EQ(bTaken, takeOutFirstOf(model, object)) << "seed " << seed << " step " << step;
        if (bTaken) takenOut.push_back(object);
      } else if (action < 75) {
        // Put back what was taken out, or append any object (a second entry).
        if (!takenOut.empty() && action < 70) {
          object = takenOut[pick(static_cast<int>(takenOut.size()))];
          takenOut.erase(std::find(takenOut.begin(), takenOut.end(), object));
        }
        list.putBack(object);
        model.push_back(object);
      } else if (action < 80) {
        bAddingObject = true;
        list.modify(object);
        model.push_back(object);
      } else if (action < 85) {
        bAddingObject = false;
        list.modify(object);
        takeOutFirstOf(model, object);
      } else if (action < 87) {
        // Removals in a batch are applied at its end; a move in between sees them pending.
        beginRemovalBatch();
        bAddingObject = false;
        std::vector<MoveTestEntry*> removed;
        for (int k = 0; k < 3; k++) {
          removed.push_back(&objects[pick(static_cast<int>(objects.size()))]);
          list.modify(removed.back());
        }
        if (list.takeOutFirst(object)) list.putBack(object);
        if (takeOutFirstOf(model, object)) model.push_back(object);
        endRemovalBatch();
        for (MoveTestEntry* gone : removed) takeOutFirstOf(model, gone);
      } else if (action < 89) {
        // A writer behind the list's back.
        std::vector<MoveTestEntry*>& raw = list.getVect();
        int const at = pick(static_cast<int>(raw.size()) + 1);
        raw.insert(raw.begin() + at, object);
        model.insert(model.begin() + at, object);
      } else if (action < 91 && !model.empty()) {
        int const at = pick(static_cast<int>(model.size()));
        list.eraseAt(at);
        model.erase(model.begin() + at);
      } else if (action < 94) {
        ASSERT_EQ(list.size(), static_cast<int>(model.size()));
        for (int i = 0; i < list.size(); i++) ASSERT_EQ(list.at(i), model[i]);
      } else if (action < 97) {
        MoveToEndList<MoveTestEntry*> const& reader = list;
        std::vector<MoveTestEntry*> seen;
        It it;
        while (reader.loop(it)) seen.push_back(reader.getAt(it.getInt()));
        ASSERT_EQ(seen, model) << "seed " << seed << " step " << step;
      } else {
        MoveToEndList<MoveTestEntry*> copy = list;
        ASSERT_EQ(copy.getVect(), model) << "seed " << seed << " step " << step;
      }
    }
    EXPECT_EQ(list.getVect(), model) << "seed " << seed;
  }
}

// A caller holding the list as a plain typed list would read it before the marked entries are
// dropped: the list offers no such base.
TEST(MoveToEndListTest, CannotBeHeldAsAPlainList) {
  using List = MoveToEndList<MoveTestEntry*>;
  EXPECT_FALSE((std::is_convertible<List*, ObjectVector<MoveTestEntry*>*>::value));
  EXPECT_FALSE((std::is_convertible<List*, VectorInterface<MoveTestEntry*>*>::value));
}
