// A small world for the tests of ships, guns and shots: the class table, ship and weapon types
// read from markup text, ships made from level records and handed to the game's manager, and
// level bounds. Everything is emptied again at the end of each test.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/TypedLists.h"
#include "core/Xml.h"
#include "game/Agent.h"
#include "game/AgentState.h"
#include "game/ObstacleTree.h"
#include "game/QorObjMan.h"
#include "game/Ship.h"
#include "game/XmlHandlers.h"
#include "presentation/View.h"
#include "support/LogCapture.h"
#include "support/TestClock.h"

// Reads one "<xml> ... </xml>" element and hands it to the data handlers.
inline void loadData(std::string const& text) {
  std::istringstream in(text);
  XmlElement root;
  readElement(in, root, "");
  handleQorElement(root);
}

// The level record of a ship: type name, centre, heading, then a path through the points
// given (none for a ship that stands still).
inline std::string shipRecord(std::string const& type, double x, double y, double angle,
                              std::vector<Point> const& path = {}) {
  std::ostringstream out;
  out << type << "\n" << x << " " << y << "\n<angle>\n" << angle << "\n</angle>\nPathFollower\n";
  // A chain: each node linked to the one before and the one after it.
  static int nodeId = 1000;
  for (size_t i = 0; i < path.size(); i++) {
    int id = nodeId++;
    out << "1\n" << path[i].x << " " << path[i].y << "\n1\n0\nNode\n" << id << "\n";
    if (i > 0) out << id - 1 << "\n";
    if (i + 1 < path.size()) out << id + 1 << "\n";
    out << "-1\n";
  }
  out << "0\n";
  return out.str();
}

// Reads the ship from its record, gives it a size (tests draw no images) and hands it to the
// game's manager.
template <class S>
S* addShip(std::string const& type, double x, double y, double angle = 0,
           std::vector<Point> const& path = {}, float size = 40) {
  S* ship = new S();
  std::istringstream in(shipRecord(type, x, y, angle, path));
  ship->initFromFile(in);
  ship->setRect(0, 0, size, size);
  ship->setCenter(Point(x, y));
  ship->Shape::updateLastPosition();
  if (!path.empty()) ship->connectPathNodes();
  objMan.newObject(ship);
  return ship;
}

class ShipWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    readHeirarchy();
    // Past the first frame: last positions are read as they were stored.
    bFirstCycle = false;
    worldBounds.setRect(0, 0, 4000, 4000);
    view.setRect(0, 0, 1600, 1200);
    clearObstacleTree();
    buildObstacleTree();
  }
  void TearDown() override {
    objMan.deleteObjects(true);
    clearObstacleTree();
    player = nullptr;
  }

  TestClock clock;
  LogCapture log;
};
