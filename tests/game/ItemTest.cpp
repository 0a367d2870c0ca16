// Items: their record, being taken into an inventory and dropped back into the level.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/GetParents.h"
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

class TestItemBag : public ItemHolder {
 public:
  Point getCenter() const override { return Point(300, 200); }
  float getLastX() override { return 300; }
  float getLastY() override { return 200; }
  void setCenter(Point const&) override {}
};

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
