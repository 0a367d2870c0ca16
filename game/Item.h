// Pick-up items and the inventory that holds them. An item lies loose in a level, is taken by
// an item holder that activates it, then lives in the holder's inventory, can apply its
// effect and can be dropped back into the level. Nothing in the game makes items yet: no item
// class has a prototype and no holder exists.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/Activatable.h"
#include "core/Editable.h"
#include "core/HeteroList.h"
#include "core/Persistant.h"
#include "presentation/Sprite.h"

class ItemHolder;

class Item : public Activatable, public Persistant, public Editable {
 public:
  Item();
  ~Item() override {}

  bool acceptActivation(Activator* activator) override;
  void activate(Activator* activator) override;
  Rect getActivatableRect(Activator* activator) override;
  Point getCenter() const override;

  virtual void init(ItemHolder* newHolder);
  // "<class>Window.bmp" and "<class>Loose.bmp".
  virtual void loadSprites();
  virtual int getWeight() { return 2; }
  void adjustLists() override;
  void process() override {}
  virtual void inventoryProcess() {}
  virtual void windowProcess() {}
  void draw() override;
  virtual void drawInWindow();
  virtual void inventoryDraw() {}
  virtual void doEffect() = 0;
  virtual void getTaken(ItemHolder* newHolder);
  void setToMouse() override;
  void move(float x, float y) override;
  bool isPtIn(float x, float y) const override;
  float getXCenter() const override;
  float getYCenter() const override;
  bool place(int x, int y) override;
  void saveToFile(std::ostream& out) override;
  void initFromFile(std::istream& in) override;
  void initForEditor() override;
  virtual bool isUseable() { return true; }
  virtual bool placeRandomlyInWindow() { return true; }
  virtual bool isEquipment() = 0;

  float getWidth() const override;
  float getHeight() const override;
  Rect getBounds() override;
  void activateDefaultCommand() override {}

  bool isLoose() const { return holder == nullptr; }
  void getDropped();

 protected:
  // The sprite of the item's place: loose in the level or in the inventory window.
  Sprite const& currentSprite() const { return isLoose() ? looseSprite : windowSprite; }
  Sprite& currentSprite() { return isLoose() ? looseSprite : windowSprite; }

  Sprite looseSprite;
  Sprite windowSprite;
  ItemHolder* holder;
};

class ItemHolder {
 public:
  virtual ~ItemHolder() {}

  virtual void initFromFile(std::istream& in);
  virtual void getItem(Item* item);
  virtual Point getCenter() const = 0;
  virtual float getLastX() = 0;
  virtual float getLastY() = 0;
  virtual void setCenter(Point const& point) = 0;

  void updatePersistants(int level);
  void processInventory();
  void drawInventory();
  void deleteFromInventory(Item* item);
  bool hasItemOfType(std::string const& type);

  HeteroList<Item, Item> inventory;
};
