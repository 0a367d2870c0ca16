#include "game/XmlHandlers.h"

#include <cctype>
#include <limits>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/NumberRange.h"
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

namespace {
float const kLargestFloat = std::numeric_limits<float>::max();

// What each numeric setting may hold: factors of the motion steps stay where a step cannot
// grow without bound, distances and sizes within the coordinates of a level.
struct SettingRange {
  char const* tag;
  NumberRange range;
};
SettingRange const kSettingRanges[] = {
    {"friction", {0, 1}},
    {"air_density", {0, 1}},
    {"strafe_mult", {0, 10}},
    {"reverse_mult", {0, 10}},
    {"mouse_sensitivity", {-100, 100}},
    {"death_explosion_size", {0, 10000}},
    {"max_rotation", {0, 360}},
    {"far_dist", kSizeRange},
    {"fence_speed", {0, 1000}},
    {"grid_gap", {0.01, 1e6}},
    {"zoom", {0.01, 1000}},
    {"dist_player_to_bottom", kCoordinateRange},
    {"snap_dist", kSizeRange},
    {"command_mode", {-kLargestFloat, kLargestFloat}},
    {"fence_width", {0, 10000}},
    {"speed_multiplier", {0, 100}},
};

// What each number of a ship or weapon type may hold, in the same way.
SettingRange const kTypeRanges[] = {
    {"max_health", {0, 1e6}},
    {"max_speed", {0, 1000}},
    {"face_player", {-kLargestFloat, kLargestFloat}},
    {"damage", {-1e6, 1e6}},
    {"speed", {0, 10000}},
    {"angle", kAngleRange},
    {"origin_x", kCoordinateRange},
    {"origin_y", kCoordinateRange},
};

// Drops from a type definition, and the definitions within it, every number out of its range,
// with a log line naming the file and the record; the type keeps its default there.
void dropNumbersOutOfRange(Arguments& args, std::string const& where) {
  std::vector<XmlArgument>& list = args.getVect();
  for (size_t i = 0; i < list.size();) {
    if (!list[i].isElement()) {
      i++;
      continue;
    }
    XmlElement& element = list[i].getAsElement();
    std::string const tag = element.getTag();
    bool bInRange = true;
    for (SettingRange const& number : kTypeRanges)
      if (tag == number.tag)
        bInRange = checkNumber(element.getFloatArg(), number.range, where + " " + tag);
    if (!bInRange) {
      list.erase(list.begin() + static_cast<long>(i));
      continue;
    }
    dropNumbersOutOfRange(element.getArguments(), where);
    i++;
  }
}

// The file and the definition's name, for log lines.
std::string typeRecord(Arguments& args, std::string const& fileName, std::string const& kind) {
  std::string where = (fileName.empty() ? "xml" : fileName) + " " + kind;
  if (args.size() > 0 && args.at(0).isElement())
    where += " " + args.at(0).getAsElement().getStringArg();
  return where;
}

// False, with a log line naming the file and the tag, for a numeric setting out of its range.
bool isSettingInRange(std::string const& tag, float value, std::string const& fileName) {
  for (SettingRange const& setting : kSettingRanges)
    if (tag == setting.tag)
      return checkNumber(value, setting.range, (fileName.empty() ? "xml" : fileName) + " " + tag);
  return true;
}
}  // namespace

void handleQorElement(XmlElement& root, std::string const& fileName) {
  if (root.getTag() != "xml") {
    recordError("Error: the first tag in the file should be <xml>, instead found:", root.getTag());
    return;
  }
  handleGlobalElements(root.getArguments(), fileName);
}

void handleGlobalElements(Arguments& args, std::string const& fileName) {
  for (int i = 0; i < args.size(); i++) {
    XmlArgument& arg = args.at(i);
    // Loose text sets nothing: one line says so, rather than three per word, which a file of
    // a million words turned into a log of hundreds of megabytes.
    if (!arg.isElement()) {
      recordError("Error: global argument is not an element, getAsString():", arg.getAsString());
      continue;
    }
    XmlElement& element = arg.getAsElement();
    std::string const tag = element.getTag();
    float const f = element.getFloatArg();
    std::string const s = element.getStringArg();
    // A number out of range leaves the setting as it was.
    if (!isSettingInRange(tag, f, fileName)) continue;
    if (tag == "holodisplay") {
      dropNumbersOutOfRange(element.getArguments(),
                            typeRecord(element.getArguments(), fileName, tag));
      holoTypes.push_back(XmlParameters(element.getArguments()));
    } else if (tag == "weapon") {
      dropNumbersOutOfRange(element.getArguments(),
                            typeRecord(element.getArguments(), fileName, tag));
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
