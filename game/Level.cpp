#include "game/Level.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/NumberRange.h"
#include "core/StringConversions.h"
#include "core/TextStream.h"
#include "core/TypedLists.h"
#include "editor/EditorGlobals.h"
#include "game/Console.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/Game.h"
#include "game/Line.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "geometry/PathFollower.h"
#include "presentation/StarField.h"
#include "presentation/View.h"

VectorInterface<Arguments> episodes;
int iEpisode = 0;
int iLevel = 0;
std::string currLevel;
std::string victoryCondition;
int levelTime = 0;
int originalNumEnemies = 0;
int lastLineI = 0;
XmlElement triggerRoot;
Arguments triggerEvents;
bool useTempLev = false;
bool bEdit = false;

std::string getScratchLevelName() { return "temp-" + std::to_string(getpid()) + ".lev"; }

void removeScratchLevel() { std::remove(getScratchLevelName().c_str()); }

namespace {
// The system's name of the scratch level, which no episode may name either.
char const* const tempLevel = "temp.lev";

bool validEpisode(int index) { return index >= 0 && index < episodes.size(); }

// The first level element of an episode; false for an episode without levels.
bool handleFirstLevel(int episode) {
  Arguments& levels = episodes.at(episode);
  if (levels.size() == 0) {
    recordError("Error: episode has no levels:", episode);
    return false;
  }
  Arguments levelArgs = levels.at(0).getArguments();
  return handleLevel(levelArgs);
}
}  // namespace

void handleEpisode(Arguments const& args) { episodes.push_back(args); }

bool handleLevel(Arguments& levelArgs) {
  victoryCondition = "kill_all";
  bool bNamed = false;
  for (int i = 0; i < levelArgs.size(); i++) {
    XmlElement& element = levelArgs.at(i).getAsElement();
    std::string const tag = element.getTag();
    if (tag == "name") {
      bNamed = true;
      std::string const name = element.getStringArg();
      if (name == tempLevel || name == getScratchLevelName())
        recordError("Error: loading temp level");
      if (!loadLevel(name)) {
        recordError("Error: failed to load level:", name);
        return false;
      }
    } else if (tag == "victory") {
      victoryCondition = element.getStringArg();
    } else {
      recordError("Error unrecognized argument in level:", tag);
    }
  }
  if (!bNamed) {
    recordError("Error: level has no name");
    return false;
  }
  originalNumEnemies = allShips.size() - 1;
  return true;
}

void loadNextLevel() {
  useTempLev = false;
  if (!validEpisode(iEpisode)) return;
  while (!onLastLevel()) {
    Arguments levelArgs = episodes.at(iEpisode).at(iLevel).getArguments();
    iLevel++;
    if (handleLevel(levelArgs)) return;
  }
  loadNextEpisode();
}

void loadPrevLevel() {
  useTempLev = false;
  if (!validEpisode(iEpisode)) return;
  while (iLevel >= 2) {
    iLevel--;
    if (iLevel - 1 >= episodes.at(iEpisode).size()) continue;
    Arguments levelArgs = episodes.at(iEpisode).at(iLevel - 1).getArguments();
    if (handleLevel(levelArgs)) return;
  }
  loadPrevEpisode();
}

void loadNextEpisode() {
  useTempLev = false;
  if (onLastEpisode()) return;
  iLevel = 1;
  do {
    iEpisode++;
    if (handleFirstLevel(iEpisode)) return;
  } while (!onLastEpisode());
}

void loadPrevEpisode() {
  useTempLev = false;
  if (iEpisode <= 0) return;
  iLevel = 1;
  do {
    iEpisode--;
    if (handleFirstLevel(iEpisode)) return;
  } while (iEpisode > 0);
}

void reloadLevel() {
  for (int e = 0; e < episodes.size(); e++) {
    Arguments& levels = episodes.at(e);
    for (int l = 0; l < levels.size(); l++) {
      if (!levels.at(l).isElement()) continue;
      Arguments& levelArgs = levels.at(l).getArguments();
      for (int i = 0; i < levelArgs.size(); i++) {
        if (!levelArgs.at(i).isElement()) continue;
        XmlElement& element = levelArgs.at(i).getAsElement();
        if (element.getTag() == "name" && element.getStringArg() == currLevel) {
          Arguments copy = levelArgs;
          handleLevel(copy);
          return;
        }
      }
    }
  }
  loadLevel(currLevel);
}

void setLevelIndex(int newIndex) { iLevel = newIndex; }

bool onLastLevel() {
  if (!validEpisode(iEpisode)) return true;
  return episodes.at(iEpisode).size() <= iLevel;
}

bool onLastEpisode() { return iEpisode >= episodes.size() - 1; }

void preLoad() {
  // The tree points at the obstacles: it goes before they do.
  clearObstacleTree();
  objMan.deleteObjects(true);
  editObjMan.deleteObjects(true);
  clearLines();
}

bool readInitialStuff(std::istream& in) {
  triggerRoot = XmlElement();
  readElement(in, triggerRoot, "");
  triggerEvents = triggerRoot.getArguments();
  float left = 0, top = 0, right = 0, bottom = 0;
  if (!(in >> left >> top >> right >> bottom)) {
    recordError("Error: level bounds could not be read");
    return false;
  }
  // Bounds past the coordinates a level may use would overflow the conversions to int of the
  // camera, the star field and the regions.
  bool bInRange = true;
  for (float bound : {left, top, right, bottom})
    bInRange = checkNumber(bound, kCoordinateRange, "level bounds") && bInRange;
  if (!bInRange) return false;
  // An empty or inverted level has no area to lay regions and the tree over.
  if (!(right > left) || !(bottom > top)) {
    recordError("Error: level bounds have no area:",
                floatToString(left) + " " + floatToString(top) + " " + floatToString(right) + " " +
                    floatToString(bottom));
    return false;
  }
  worldBounds.setRect(left, top, right, bottom);
  if (!(in >> levelTime)) {
    recordError("Error: level time could not be read");
    levelTime = -1;
    return false;
  }
  return true;
}

void setUp(std::string const& level, bool bForEditing) {
  // The editor draws links itself; fences made for it are only let go again.
  std::vector<std::unique_ptr<Fence>> unused;
  buildAllFences(bForEditing ? &unused : nullptr);
  for (int i = 0; i < pathFollowers.size(); i++) pathFollowers.at(i)->connectPathNodes();
  buildObstacleTree();
  // What the tree asks of each obstacle, which these fences would have been, last.
  for (std::unique_ptr<Fence> const& fence : unused) fence->getQuadTreeRect();
  unused.clear();
  if (level != tempLevel && level != getScratchLevelName()) currLevel = level;
  resetStars();
  // The level time shown belongs to the level before.
  printInfo(5, " ");
}

namespace {
bool loadLevelFile(std::string const& name, bool bForEditing) {
  preLoad();
  std::ifstream file(name.c_str());
  if (!file) return false;
  // The level is read from memory: the readers look back a word now and then, which on a
  // file stream costs a system call each time, and the numbers are read in place.
  std::string contents;
  char buffer[1 << 16];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0)
    contents.append(buffer, static_cast<size_t>(file.gcount()));
  file.close();
  TextStream in(std::move(contents));
  if (!readInitialStuff(in)) {
    // What was read stands for nothing: the world stays empty.
    triggerEvents.clear();
    return false;
  }
  setUpRegions();
  bool bLoaded = bEdit ? editObjMan.loadObjects(in, name) : objMan.loadObjects(in, name);
  if (!bLoaded) {
    // The loader stopped inside an unknown record; the lines after it are read as they come.
    in.clear();
  }
  loadLines(in, name);
  setUp(name, bForEditing);
  // The editor's loads keep the place the game handed over: the player's ship is put back
  // there, not at the level's start.
  if (name != getScratchLevelName() && !bEdit) {
    if (getPlayerRect()) savedPlayerPosition = getPlayerRect()->getCenter();
    savedPlayerAngle = 0;
  }
  return true;
}
}  // namespace

bool loadLevel(std::string const& name) { return loadLevelFile(name, false); }

bool loadLevelForEditing(std::string const& name) { return loadLevelFile(name, true); }

float getProgress() {
  if (victoryCondition == "finish_line") {
    int index = getIndexOfCrossed();
    if (index != -1) lastLineI = index + 1;
    return static_cast<float>(lastLineI);
  }
  if (victoryCondition == "kill_all")
    return static_cast<float>(originalNumEnemies - allShips.size() + 1);
  recordError("Error: unrecognized victory condition in getProgress:", victoryCondition);
  return 0;
}

float getMaxProgress() {
  if (victoryCondition == "finish_line") return static_cast<float>(getNumLines());
  if (victoryCondition == "kill_all") return static_cast<float>(originalNumEnemies);
  recordError("Error: unrecognized victory condition in getMaxProgress:", victoryCondition);
  return -1;
}

int getLevelTime() { return levelTime; }

void decreaseLevelTime() {
  if (levelTime > -1) levelTime--;
}

std::string getVictoryCondition() { return victoryCondition; }

std::string getCurrLevel() { return currLevel; }

void setCurrentLevel(std::string const& name) { currLevel = name; }

void saveTriggers(std::ostream& out) {
  if (triggerRoot.getTag().empty()) triggerRoot.setTag("triggerRoot");
  triggerRoot.save(out, 0);
}
