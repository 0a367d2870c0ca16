#include "game/Item.h"

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/LevelHooks.h"
#include "core/StringConversions.h"
#include "core/TypedLists.h"
#include "core/Utils.h"
#include "game/Prototypes.h"
#include "game/QorObjMan.h"
#include "presentation/Mouse.h"

Item::Item() : holder(nullptr) {}

bool Item::acceptActivation(Activator* activator) {
  return getLevel() == getCurrentLevel() && isLoose() && Activatable::acceptActivation(activator) &&
         isOfType(activator, "ItemHolder");
}

void Item::activate(Activator* activator) {
  if (!isLoose()) {
    doEffect();
    return;
  }
  ItemHolder* newHolder = dynamic_cast<ItemHolder*>(activator);
  if (!newHolder) {
    recordError("Error: item activated by something that holds no items:", getType(activator));
    return;
  }
  objMan.removeObject(this);
  persistants.erase(static_cast<Persistant*>(this));
  newHolder->getItem(this);
}

Rect Item::getActivatableRect(Activator* /*activator*/) { return currentSprite(); }

Point Item::getCenter() const { return Point(getXCenter(), getYCenter()); }

void Item::init(ItemHolder* newHolder) {
  holder = newHolder;
  loadSprites();
  if (getType(this) == "MedKit") looseSprite.setAngle(static_cast<float>(randRange(0, 359)));
}

void Item::loadSprites() {
  std::string const type = getType(this);
  windowSprite.loadFrame(type + "Window.bmp", true);
  looseSprite.loadFrame(type + "Loose.bmp", true);
}

void Item::adjustLists() { activatables.modify(static_cast<Activatable*>(this)); }

void Item::draw() { looseSprite.draw(); }

void Item::drawInWindow() { windowSprite.draw(); }

void Item::getTaken(ItemHolder* newHolder) {
  printInfo(3, "item got taken");
  holder = newHolder;
}

void Item::getDropped() {
  if (!holder) return;
  Point const center = holder->getCenter();
  looseSprite.setCenter(static_cast<float>(center.x + randRange(-4, 4)),
                        static_cast<float>(center.y + randRange(-4, 4)));
  // The inventory owned the item; now the manager does, and only it may delete it.
  holder->inventory.removeObject(this);
  holder = nullptr;
  objMan.newObject(this);
  setLevel(getCurrentLevel());
}

void Item::setToMouse() { currentSprite().setCenter(mouse.x, mouse.y); }

void Item::move(float x, float y) { currentSprite().move(x, y); }

bool Item::isPtIn(float x, float y) const { return currentSprite().isPtIn(x, y); }

float Item::getXCenter() const { return currentSprite().getXCenter(); }

float Item::getYCenter() const { return currentSprite().getYCenter(); }

float Item::getWidth() const { return currentSprite().getWidth(); }

float Item::getHeight() const { return currentSprite().getHeight(); }

Rect Item::getBounds() { return currentSprite(); }

bool Item::place(int x, int y) {
  looseSprite.setCenter(static_cast<float>(x), static_cast<float>(y));
  return true;
}

void Item::saveToFile(std::ostream& out) {
  out << !isLoose() << '\n' << looseSprite.getLeft() << " " << looseSprite.getTop();
}

void Item::initFromFile(std::istream& in) {
  bool bHeld = false;
  float left = 0, top = 0;
  in >> bHeld >> left >> top;
  init(bHeld ? getHolder() : nullptr);
  looseSprite.setLeft(left);
  looseSprite.setTop(top);
}

void Item::initForEditor() { init(nullptr); }

void ItemHolder::initFromFile(std::istream& in) {
  inventory.setPrototypes(getItemProtos());
  inventory.loadObjects(in);
}

void ItemHolder::getItem(Item* item) {
  inventory.newObject(item);
  item->getTaken(this);
}

void ItemHolder::updatePersistants(int level) {
  for (int i = 0; i < inventory.size(); i++)
    if (isOfType(inventory.at(i), "Persistant")) inventory.at(i)->setLevel(intToString(level));
}

void ItemHolder::processInventory() {
  for (int i = 0; i < inventory.size(); i++) inventory.at(i)->inventoryProcess();
}

void ItemHolder::drawInventory() {
  for (int i = 0; i < inventory.size(); i++) inventory.at(i)->inventoryDraw();
}

void ItemHolder::deleteFromInventory(Item* item) { inventory.deleteObject(item, true); }

bool ItemHolder::hasItemOfType(std::string const& type) {
  for (int i = 0; i < inventory.size(); i++)
    if (getType(inventory.at(i)) == type) return true;
  return false;
}
