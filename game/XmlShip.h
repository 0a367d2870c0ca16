// Ships configured from a named ship type of the data files ("holodisplay"): hit points, top
// speed, primary weapon, facing the player, and the actions to take on events ("take_hit",
// "see_player"). The base of the player's ship and of every other ship.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "core/VectorUtils.h"
#include "core/Xml.h"
#include "game/Gun.h"
#include "game/Ship.h"

class XmlShip : public Ship, public XmlObject {
 public:
  XmlShip();

  // Runs the "take_hit" actions before the hit.
  void takeHit(Projectile* p) override;
  // The type name, then the sprite record.
  void initFromFile(std::istream& in) override;
  void saveToFile(std::ostream& out) override;
  // Only while on rails: an attacking ship has seen enough.
  void handleSeePlayer() override;
  Gun* getPrimaryGun() override { return &weapon; }
  Gun* getSecondaryGun() override { return nullptr; }
  void handleElement(XmlElement& element) override;
  void handleSeePlayerFirst() override;

  // Runs the actions of every event of that name, in order.
  void handleEvent(std::string const& name);
  void takeAction(Arguments const& actions);
  void storeEvents(Arguments& newEvents);
  void setWeapon(std::string const& weaponName);
  using Ship::getCenter;
  using XmlObject::getName;
  VectorInterface<XmlElement> const& getEvents() const { return *events; }
  ShipGun& getWeapon() { return weapon; }

 protected:
  // Read only, and shared by the ships whose types gave the same events.
  std::shared_ptr<VectorInterface<XmlElement> const> events;
  ShipGun weapon;
};

// The type written for a ship without a type name.
extern std::string defaultType;
void setDefaultHolodisplay(std::string const& name);
std::string getDefaultHoloType();
