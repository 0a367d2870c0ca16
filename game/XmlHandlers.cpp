#include "game/XmlHandlers.h"

#include <cctype>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/StringConversions.h"
#include "game/Game.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/WorldParts.h"
#include "geometry/Mobile.h"

// The setters of the settings that other units keep; a unit not in this build takes none, and
// its tags are accepted and passed over.
#ifdef QOR_HAVE_SHIP
void setStrafeMult(float value);
void setReverseMult(float value);
void setMouseSens(float value);
void setDeathExplosionSize(float value);
void setMaxRot(float value);
void setFarDist(float value);
#endif
#ifdef QOR_HAVE_SPACE_OBJECT
void setFenceSpeed(float value);
#endif
#ifdef QOR_HAVE_XML_SHIP
void setDefaultHolodisplay(std::string const& name);
#endif
#ifdef QOR_HAVE_FENCE
void setFenceWidth(float value);
#endif
#ifdef QOR_HAVE_SNAP_GRID
void setGridGap(float value);
void setGridColor(std::string const& name);
#endif
#ifdef QOR_HAVE_EDITOR
void setSnapDist(float value);
#endif

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
#ifdef QOR_HAVE_SHIP
      setStrafeMult(f);
#endif
    } else if (tag == "reverse_mult") {
#ifdef QOR_HAVE_SHIP
      setReverseMult(f);
#endif
    } else if (tag == "mouse_sensitivity") {
#ifdef QOR_HAVE_SHIP
      setMouseSens(f);
#endif
    } else if (tag == "death_explosion_size") {
#ifdef QOR_HAVE_SHIP
      setDeathExplosionSize(f);
#endif
    } else if (tag == "max_rotation") {
#ifdef QOR_HAVE_SHIP
      setMaxRot(f);
#endif
    } else if (tag == "far_dist") {
#ifdef QOR_HAVE_SHIP
      setFarDist(f);
#endif
    } else if (tag == "fence_speed") {
#ifdef QOR_HAVE_SPACE_OBJECT
      setFenceSpeed(f);
#endif
    } else if (tag == "default_holodisplay") {
#ifdef QOR_HAVE_XML_SHIP
      setDefaultHolodisplay(s);
#endif
    } else if (tag == "grid_gap") {
#ifdef QOR_HAVE_SNAP_GRID
      setGridGap(f);
#endif
    } else if (tag == "grid_color") {
#ifdef QOR_HAVE_SNAP_GRID
      setGridColor(s);
#endif
    } else if (tag == "zoom") {
      setZoom(f);
    } else if (tag == "dist_player_to_bottom") {
      setDistPlayerToBottom(f);
    } else if (tag == "snap_dist") {
#ifdef QOR_HAVE_EDITOR
      setSnapDist(f);
#endif
    } else if (tag == "command_mode") {
      setCommandMode(f);
    } else if (tag == "fence_width") {
#ifdef QOR_HAVE_FENCE
      setFenceWidth(f);
#endif
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
#ifdef QOR_HAVE_SHIP
        if (player) player->applyForce(4.0f * player->getMaxSpeed(), player->getAngle());
#endif
      } else if (value == "boost_health") {
#ifdef QOR_HAVE_SHIP
        if (player) player->adjustHealth(1.0f);
#endif
      } else {
        recordError("Error: unknown effect:", value);
      }
    }
  }
}
