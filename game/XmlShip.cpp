#include "game/XmlShip.h"

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/StringConversions.h"
#include "game/AgentState.h"
#include "game/XmlHandlers.h"
#include "presentation/Sound.h"

std::string defaultType = "global_pirate";

void setDefaultHolodisplay(std::string const& name) { defaultType = name; }

std::string getDefaultHoloType() { return defaultType; }

XmlShip::XmlShip() {}

void XmlShip::takeHit(Projectile* p) {
  handleEvent("take_hit");
  Ship::takeHit(p);
}

void XmlShip::initFromFile(std::istream& in) {
  init();
  std::string typeName;
  in >> typeName;
  setFlip(false, true);
  setType(holoTypes, typeName);
  EditableSprite::initFromFile(in);
  Shape::updateLastPosition();
}

void XmlShip::saveToFile(std::ostream& out) {
  out << (name.empty() ? defaultType : name) << '\n';
  EditableSprite::saveToFile(out);
}

void XmlShip::handleSeePlayer() {
  if (bOnRails) Ship::handleSeePlayer();
}

void XmlShip::handleElement(XmlElement& element) {
  std::string const tag = element.getTag();
  if (tag == "max_health") {
    health = element.getFloatArg();
  } else if (tag == "max_speed") {
    float speed = element.getFloatArg();
    setBaseSpeed(speed);
    maxSpeed = speed;
  } else if (tag == "weapon_name") {
    setWeapon(element.getStringArg());
  } else if (tag == "face_player") {
    bFacePlayer = element.getFloatArg() != 0;
  } else if (tag == "events") {
    storeEvents(element.getArguments());
  } else {
    recordError("Error: unknown tag passed to holodisplay:", tag);
  }
}

void XmlShip::handleSeePlayerFirst() { handleEvent("see_player"); }

void XmlShip::handleEvent(std::string const& eventName) {
  for (int i = 0; i < events.size(); i++)
    if (events.at(i).getTag() == eventName) takeAction(events.at(i).getArguments());
}

void XmlShip::takeAction(Arguments& actions) {
  debug("take Action");
  for (int i = 0; i < actions.size(); i++) {
    if (!actions.at(i).isElement()) continue;
    XmlElement& action = actions.at(i).getAsElement();
    std::string const tag = action.getTag();
    if (tag == "switch_state") {
      std::string stateName = toLower(action.getStringArg() + "state");
      AgentState* found = nullptr;
      for (int j = 0; j < agentStates.size() && !found; j++)
        if (toLower(::getType(agentStates.at(j))) == stateName) found = agentStates.at(j);
      if (found) {
        switchState(found);
      } else {
        recordError("Error: unrecognized state:", stateName);
        recordError("Command given to:", ::getType(this));
      }
    } else if (tag == "play_sound") {
      playSound(action.getStringArg());
    } else {
      recordError("Error: unrecognized action in takeAction:", tag);
    }
  }
}

void XmlShip::storeEvents(Arguments& newEvents) {
  for (int i = 0; i < newEvents.size(); i++)
    if (newEvents.at(i).isElement()) events.push_back(newEvents.at(i).getAsElement());
}

void XmlShip::setWeapon(std::string const& weaponName) { weapon.setType(weaponTypes, weaponName); }
