#include "game/XmlHandlers.h"

#include <cctype>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/StringConversions.h"
#include "editor/Editor.h"
#include "editor/SnapGrid.h"
#include "game/Fence.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/Ship.h"
#include "game/SpaceObject.h"
#include "game/XmlShip.h"
#include "geometry/Mobile.h"

VectorInterface<XmlParameters> holoTypes;
VectorInterface<XmlParameters> weaponTypes;

void handleQorElement(XmlElement& root) {
  if (root.getTag() != "xml") {
    recordError("Error: the first tag in the file should be <xml>, instead found:", root.getTag());
    return;
  }
  handleGlobalElements(root.getArguments());
}

void handleGlobalElements(Arguments& args) {
  for (int i = 0; i < args.size(); i++) {
    XmlArgument& arg = args.at(i);
    if (!arg.isElement())
      recordError("Error: global argument is not an element, getAsString():", arg.getAsString());
    XmlElement& element = arg.getAsElement();
    std::string const tag = element.getTag();
    float const f = element.getFloatArg();
    std::string const s = element.getStringArg();
    if (tag == "holodisplay") {
      holoTypes.push_back(XmlParameters(element.getArguments()));
    } else if (tag == "weapon") {
      weaponTypes.push_back(XmlParameters(element.getArguments()));
    } else if (tag == "episode") {
      handleEpisode(element.getArguments());
    } else if (tag == "friction") {
      setFriction(f);
    } else if (tag == "air_density") {
      setAirDensity(f);
    } else if (tag == "strafe_mult") {
      setStrafeMult(f);
    } else if (tag == "reverse_mult") {
      setReverseMult(f);
    } else if (tag == "mouse_sensitivity") {
      setMouseSens(f);
    } else if (tag == "death_explosion_size") {
      setDeathExplosionSize(f);
    } else if (tag == "max_rotation") {
      setMaxRot(f);
    } else if (tag == "far_dist") {
      setFarDist(f);
    } else if (tag == "fence_speed") {
      setFenceSpeed(f);
    } else if (tag == "default_holodisplay") {
      setDefaultHolodisplay(s);
    } else if (tag == "grid_gap") {
      setGridGap(f);
    } else if (tag == "grid_color") {
      setGridColor(s);
    } else if (tag == "zoom") {
      setZoom(f);
    } else if (tag == "dist_player_to_bottom") {
      setDistPlayerToBottom(f);
    } else if (tag == "snap_dist") {
      setSnapDist(f);
    } else if (tag == "command_mode") {
      setCommandMode(f);
    } else if (tag == "fence_width") {
      setFenceWidth(f);
    } else if (tag == "speed_multiplier") {
      speedMultiplier = f;
    } else {
      recordError("Error, unknown tag:", tag);
    }
  }
}

void handleGlobalEvent(std::string const& event) {
  if (event == "trigger_line") handleTriggerLines();
}

void handleTriggerLines() {
  int const id = getIdOfCrossed();
  if (id == -1) recordError("Error: trigger_line event fired, but trigger index is not set");
  for (int i = 0; i < triggerEvents.size(); i++) {
    XmlArgument& event = triggerEvents.at(i);
    if (!event.isElement()) continue;
    std::string const tag = event.getAsElement().getTag();
    // Only a whole decimal number names a line: "x" or "" must not read as line 0.
    if (tag.empty() || !isdigit(static_cast<unsigned char>(tag[0]))) continue;
    if (stringToInt(tag) == id) handleEffect(event.getArguments());
  }
}

void handleEffect(Arguments& effects) {
  for (int i = 0; i < effects.size(); i++) {
    XmlArgument& arg = effects.at(i);
    if (!arg.isElement()) continue;
    XmlElement& effect = arg.getAsElement();
    std::string const value = effect.getStringArg();
    if (effect.getTag() == "color") {
      Line* crossed = getCrossedLine();
      if (TriggerLine* trigger = dynamic_cast<TriggerLine*>(crossed))
        trigger->setColor(value);
      else if (crossed)
        crossed->setColor(value);
    } else if (effect.getTag() == "affect_player") {
      if (value == "speed_boost") {
        if (player) player->applyForce(4.0f * player->getMaxSpeed(), player->getAngle());
      } else if (value == "boost_health") {
        if (player) player->adjustHealth(1.0f);
      } else {
        recordError("Error: unknown effect:", value);
      }
    }
  }
}
