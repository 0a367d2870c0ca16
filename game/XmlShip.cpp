#include "game/XmlShip.h"

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/SharedByContent.h"
#include "core/StringConversions.h"
#include "game/AgentState.h"
#include "game/XmlHandlers.h"
#include "presentation/Sound.h"

std::string defaultType = "global_pirate";

void setDefaultHolodisplay(std::string const& name) { defaultType = name; }

std::string getDefaultHoloType() { return defaultType; }

namespace {
// The event elements of an "events" element, in order.
VectorInterface<XmlElement> eventElements(Arguments const& source) {
  VectorInterface<XmlElement> found;
  for (int i = 0; i < source.size(); i++)
    if (source.getAt(i).isElement()) found.push_back(source.getAt(i).getAsElement());
  return found;
}

// Every ship of a type is given the same events.
SharedByContent<VectorInterface<XmlElement>>& sharedEvents() {
  static SharedByContent<VectorInterface<XmlElement>> shared(eventElements);
  return shared;
}

std::shared_ptr<VectorInterface<XmlElement> const> const& noEvents() {
  static std::shared_ptr<VectorInterface<XmlElement> const> const none =
      std::make_shared<VectorInterface<XmlElement> const>();
  return none;
}
}  // namespace

XmlShip::XmlShip() : events(noEvents()) {}

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
  // Held, so that the list lives through the actions whatever they do to the ship.
  std::shared_ptr<VectorInterface<XmlElement> const> const held = events;
  for (int i = 0; i < held->size(); i++)
    if (held->getAt(i).getTag() == eventName) takeAction(held->getAt(i).getArguments());
}

void XmlShip::takeAction(Arguments const& actions) {
  debug("take Action");
  for (int i = 0; i < actions.size(); i++) {
    if (!actions.getAt(i).isElement()) continue;
    XmlElement const& action = actions.getAt(i).getAsElement();
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

// The first "events" element of a type gives the ships the shared list; a later one appends to
// a list of the ship's own.
void XmlShip::storeEvents(Arguments& newEvents) {
  std::shared_ptr<VectorInterface<XmlElement> const> stored = sharedEvents().get(newEvents);
  if (events->size() == 0) {
    events = std::move(stored);
    return;
  }
  auto joined = std::make_shared<VectorInterface<XmlElement>>(*events);
  for (int i = 0; i < stored->size(); i++) joined->push_back(stored->getAt(i));
  events = std::move(joined);
}

void XmlShip::setWeapon(std::string const& weaponName) { weapon.setType(weaponTypes, weaponName); }
