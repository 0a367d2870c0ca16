// Items: their record, being taken into an inventory and dropped back into the level.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/GetParents.h"
#include "core/LevelHooks.h"
#include "game/Console.h"
#include "game/Item.h"
#include "game/QorObjMan.h"

class TestItemKind : public Item {
 public:
  void doEffect() override { effects++; }
  bool isEquipment() override { return false; }
  SaveLoad* makeCopy() override { return new TestItemKind; }
  int effects = 0;
};

class TestItemBag : public ItemHolder, public Activator {
 public:
  Point getCenter() const override { return Point(300, 200); }
  float getLastX() override { return 300; }
  float getLastY() override { return 200; }
  void setCenter(Point const&) override {}
  float getXCenter() const override { return 300; }
  float getYCenter() const override { return 200; }
};

// Something that activates but holds no items.
class TestItemPoker : public Activator {
 public:
  float getXCenter() const override { return 300; }
  float getYCenter() const override { return 200; }
};

namespace {
// The shipped class table with the test's own classes added.
void readTestClassTable() {
  readHeirarchy();
  std::istringstream table(
      "TestItemKind Item ;\nTestItemBag ItemHolder Activator ;\nTestItemPoker Activator ;\n"
      "Activator ;\n");
  readHeirarchy(table);
}

bool managedByTheGame(Item* item) {
  for (int i = 0; i < objMan.size(); i++)
    if (objMan.at(i) == item) return true;
  return false;
}
}  // namespace

TEST(ItemTest, ALooseItemIsWrittenAsNotHeldAndItsCornerAndReadBackThere) {
  TestItemKind item;
  item.initForEditor();
  item.place(100, 50);
  std::ostringstream out;
  item.saveToFile(out);
  std::string const text = out.str();
  EXPECT_EQ(text.substr(0, 2), "0\n");
  TestItemKind copy;
  std::istringstream in(text);
  copy.initFromFile(in);
  EXPECT_TRUE(copy.isLoose());
  EXPECT_FLOAT_EQ(copy.getXCenter(), item.getXCenter());
  EXPECT_FLOAT_EQ(copy.getYCenter(), item.getYCenter());
}

TEST(ItemTest, ATakenItemAppliesItsEffectAndADroppedOneBelongsToTheManagerAlone) {
  TestItemBag bag;
  TestItemKind* item = new TestItemKind;
  item->initForEditor();
  bag.getItem(item);
  EXPECT_FALSE(item->isLoose());
  EXPECT_EQ(info[3], "item got taken");
  EXPECT_TRUE(bag.hasItemOfType("TestItemKind"));
  item->activate(nullptr);
  EXPECT_EQ(item->effects, 1);
  item->getDropped();
  EXPECT_TRUE(item->isLoose());
  EXPECT_EQ(bag.inventory.size(), 0);
  EXPECT_NEAR(item->getCenter().x, 300, 4.5);
  EXPECT_NEAR(item->getCenter().y, 200, 4.5);
  bool bManaged = false;
  for (int i = 0; i < objMan.size(); i++)
    if (objMan.at(i) == item) bManaged = true;
  EXPECT_TRUE(bManaged);
  // Deleted once, by the manager; the bag's inventory no longer holds it.
  objMan.deleteObjects(true);
}

TEST(ItemTest, ALooseItemNearAHolderIsAcceptedAndTakenIntoItsInventory) {
  readTestClassTable();
  TestItemBag bag;
  TestItemPoker poker;
  TestItemKind* item = new TestItemKind;
  item->initForEditor();
  item->place(310, 210);
  objMan.newObject(item);
  ASSERT_TRUE(managedByTheGame(item));
  EXPECT_FALSE(item->acceptActivation(&poker)) << "holds no items";
  ASSERT_TRUE(item->acceptActivation(&bag));
  item->activate(&bag);
  EXPECT_FALSE(item->isLoose());
  EXPECT_FALSE(managedByTheGame(item));
  ASSERT_EQ(bag.inventory.size(), 1);
  EXPECT_EQ(bag.inventory.at(0), item);
  EXPECT_EQ(info[3], "item got taken");
  EXPECT_FALSE(item->acceptActivation(&bag)) << "a held item is not taken again";
  item->activate(&bag);
  EXPECT_EQ(item->effects, 1);
  // The bag's inventory deletes it.
}

TEST(ItemTest, ADroppedItemAlwaysTakesTheCurrentLevel) {
  readTestClassTable();
  struct Case {
    bool bHadLevel;
  } const cases[] = {{false}, {true}};
  for (Case const& c : cases) {
    TestItemBag bag;
    TestItemKind* item = new TestItemKind;
    item->initForEditor();
    if (c.bHadLevel) item->setLevel("another.lev");
    bag.getItem(item);
    item->getDropped();
    EXPECT_TRUE(item->levelSet()) << "had a level: " << c.bHadLevel;
    EXPECT_EQ(item->getLevel(), getCurrentLevel()) << "had a level: " << c.bHadLevel;
    EXPECT_TRUE(managedByTheGame(item));
    objMan.deleteObjects(true);
  }
}
