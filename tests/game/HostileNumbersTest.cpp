// Numbers from hostile data and level files, played as a player would: each case changes one
// number of a shipped file, and the ship is then flown for a while. A number out of its range
// must be refused at the reader with a log line naming the file and the record (the sanitizer
// build also checks every float-to-int conversion on the way).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "core/Xml.h"
#include "game/Fence.h"
#include "game/GameStates.h"
#include "game/Level.h"
#include "game/Line.h"
#include "game/PlaythroughPilot.h"
#include "game/XmlHandlers.h"
#include "geometry/Mobile.h"
#include "support/LogCapture.h"
#include "support/TextFiles.h"

namespace {
class HostileNumbersTest : public PlaythroughTest {
 protected:
  void TearDown() override {
    if (!levelName.empty()) std::remove(levelName.c_str());
    // The shipped settings again, for whatever runs next in this process.
    handleData(readFile("xml/settings.xml"), "xml/settings.xml");
    if (bTypeAdded) holoTypes.getVect().erase(holoTypes.getVect().begin());
  }

  void handleData(std::string const& text, std::string const& file) {
    std::istringstream in(text);
    XmlElement root;
    readElement(in, root, "");
    handleQorElement(root, file);
  }

  // A shipped level with one piece of its text replaced, written beside it and loaded.
  bool loadChanged(std::string const& shipped, std::string const& from, std::string const& to) {
    std::string text = readFile(shipped);
    size_t const at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at == std::string::npos) return false;
    text.replace(at, from.size(), to);
    levelName = "hostile-" + std::to_string(getpid()) + ".lev";
    std::ofstream(levelName.c_str()) << text;
    return loadLevel(levelName);
  }

  // Thrusting and turning for a while, the ship's position shown on the info lines each frame.
  void fly(int frames) {
    input.press('w');
    for (int frame = 0; frame < frames; frame++) {
      input.moveTo(400 + (frame % 2 ? 20 : -20), 300);
      input.nextFrame();
      playFrame();
    }
    input.release('w');
  }

  bool playerIsFinite() const {
    return player && std::isfinite(player->getCenter().x) && std::isfinite(player->getCenter().y);
  }

  std::string levelName;
  bool bTypeAdded = false;
};
}  // namespace

TEST_F(HostileNumbersTest, SettingsOutOfRangeAreRefusedAndPlayGoesOn) {
  struct Case {
    char const* tag;
    char const* value;
    char const* logged;
  } const cases[] = {
      // The markup's own number reading takes digits only: 2e9 is written out.
      {"air_density", "2000000000", "xml/settings.xml air_density 2e+09"},
      {"air_density", "-1", "xml/settings.xml air_density -1"},
      {"friction", "2000000000", "xml/settings.xml friction 2e+09"},
      {"speed_multiplier", "2000000000", "xml/settings.xml speed_multiplier 2e+09"},
      {"zoom", "2000000000", "xml/settings.xml zoom 2e+09"},
      {"fence_width", "2000000000", "xml/settings.xml fence_width 2e+09"},
  };

  for (Case const& c : cases) {
    LogCapture log;
    float const oldFriction = friction, oldAir = air_density, oldWidth = fenceWidth;
    float const oldZoom = getZoom();
    handleData(std::string("<xml> <") + c.tag + "> " + c.value + " </" + c.tag + "> </xml>",
               "xml/settings.xml");
    EXPECT_NE(log.text().find(std::string("Error: number out of range: ") + c.logged),
              std::string::npos)
        << log.text();
    EXPECT_EQ(friction, oldFriction) << c.tag;
    EXPECT_EQ(air_density, oldAir) << c.tag;
    EXPECT_EQ(fenceWidth, oldWidth) << c.tag;
    EXPECT_EQ(getZoom(), oldZoom) << c.tag;
    // Play entered again, as a level change does, with whatever was set.
    reloadLevel();
    gameState = &localState;
    localState.enter();
    fly(60);
    EXPECT_TRUE(playerIsFinite()) << c.tag << " " << c.value;
  }
}

TEST_F(HostileNumbersTest, AShipTypeSpeedOutOfRangeIsRefused) {
  LogCapture log;
  std::istringstream in(
      "<xml> <holodisplay> <name> player </name> <max_speed> 2000000000 </max_speed> "
      "<weapon_name> blaster </weapon_name> </holodisplay> </xml>");
  XmlElement root;
  readElement(in, root, "");
  int const before = holoTypes.size();
  handleQorElement(root, "xml/ships.xml");
  ASSERT_EQ(holoTypes.size(), before + 1);
  // The new definition of the player's type first, so that the level's ship takes it.
  std::vector<XmlParameters>& types = holoTypes.getVect();
  XmlParameters const added = types.back();
  types.pop_back();
  types.insert(types.begin(), added);
  bTypeAdded = true;
  reloadLevel();
  EXPECT_NE(
      log.text().find("Error: number out of range: xml/ships.xml holodisplay player max_speed"),
      std::string::npos)
      << log.text();
  fly(90);
  EXPECT_TRUE(playerIsFinite());
  EXPECT_LT(player->getMaxSpeed(), 1000);
}

TEST_F(HostileNumbersTest, LevelRecordsOutOfRangeAreSkippedAndTheRestKept) {
  struct Case {
    char const* level;
    char const* from;
    char const* to;
    char const* refused;
    bool bPlayerKept;
  } const cases[] = {
      // A fence post far down the level gave the ship a NaN position when it hit its fence.
      {"gauntlet.lev", "FenceNode\n200 200\n", "FenceNode\n200 3.2e28\n", " FenceNode 1", true},
      {"outpost.lev", "PlayerShip\nplayer\n1200 2000\n", "PlayerShip\nplayer\n3e9 2000\n",
       " PlayerShip ", false},
      // A NaN used to stop the reading and drop the rest of the level, the player included.
      {"outpost.lev", "FenceNode\n",
       "FenceNode\nnan 5\n<angle>\n0\n</angle>\nPathFollower\n0\n"
       "Node\n900\n-1\nFenceNode\n",
       " FenceNode 1", true},
      {"gauntlet.lev", "0 200 3700 1400 3700", "0 200 nan 1400 3700", " TriggerLine 1", true},
  };
  for (Case const& c : cases) {
    LogCapture log;
    int const shipsBefore = [&] {
      loadLevel(c.level);
      return allShips.size();
    }();
    int const linesBefore = static_cast<int>(lines.size());
    ASSERT_TRUE(loadChanged(c.level, c.from, c.to)) << c.level;
    EXPECT_NE(log.text().find("Error: level record refused: " + levelName + c.refused),
              std::string::npos)
        << c.to << "\n"
        << log.text();
    EXPECT_EQ(player != nullptr, c.bPlayerKept) << c.to;
    EXPECT_EQ(allShips.size(), shipsBefore - (c.bPlayerKept ? 0 : 1)) << c.to;
    bool const bLineRecord = std::string(c.refused) == " TriggerLine 1";
    EXPECT_EQ(static_cast<int>(lines.size()), linesBefore - (bLineRecord ? 1 : 0)) << c.to;
    if (!player) continue;
    fly(120);
    EXPECT_TRUE(playerIsFinite()) << c.to;
  }
}

TEST_F(HostileNumbersTest, LevelBoundsPastTheCoordinatesAreRefused) {
  LogCapture log;
  EXPECT_FALSE(loadChanged("outpost.lev", "0 0 2400 2400", "0 0 3e9 3e9"));
  EXPECT_NE(log.text().find("Error: number out of range: level bounds 3e+09"), std::string::npos)
      << log.text();
  playFrame();
}

TEST_F(HostileNumbersTest, ALevelWithoutAPlayerShipSaysSoOnScreen) {
  ASSERT_TRUE(loadChanged("outpost.lev", "PlayerShip\nplayer\n", "HoloDisplay\nwingman\n"));
  ASSERT_EQ(player, nullptr);
  playFrame();
  EXPECT_EQ(info.at(kNoPlayerLine), kNoPlayerText);
  // A level with a player's ship again: the line goes.
  loadLevel("outpost.lev");
  playFrame();
  EXPECT_NE(info.at(kNoPlayerLine), kNoPlayerText);
}
