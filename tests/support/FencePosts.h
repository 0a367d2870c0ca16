// Fence posts for the game's tests: a post's record as a level file holds it, and chains of
// posts at random, handed to the game's manager as the level loader does.
#pragma once

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "game/FenceNode.h"
#include "game/QorObjMan.h"

// Centre, angle, an empty path, the node record with its links.
inline std::string postRecord(float x, float y, int id, std::vector<int> const& links) {
  std::ostringstream out;
  out << x << " " << y << "\n<angle>\n0\n</angle>\nPathFollower\n0\nNode\n" << id << "\n";
  for (int link : links) out << link << "\n";
  out << "-1\n";
  return out.str();
}

// A path node's record: place, speed 1, no arrow, the node record with one link.
inline std::string pathNodeRecord(float x, float y, int id, int link) {
  std::ostringstream out;
  out << x << " " << y << "\n1\n0\nNode\n" << id << "\n" << link << "\n-1\n";
  return out.str();
}

// The same with a path back and forth between the post's place and (px, py), whose two nodes
// have the ids pathId and pathId + 1.
inline std::string movingPostRecord(float x, float y, int id, std::vector<int> const& links,
                                    float px, float py, int pathId) {
  std::ostringstream out;
  out << x << " " << y << "\n<angle>\n0\n</angle>\nPathFollower\n";
  out << "1\n" << pathNodeRecord(x, y, pathId, pathId + 1);
  out << "1\n" << pathNodeRecord(px, py, pathId + 1, pathId);
  out << "0\nNode\n" << id << "\n";
  for (int link : links) out << link << "\n";
  out << "-1\n";
  return out.str();
}

// A post as an entry of a level file: the type name, the record, a blank line.
inline std::string postEntry(float x, float y, int id, std::vector<int> const& links) {
  return "FenceNode\n" + postRecord(x, y, id, links) + "\n";
}

// Chains of two to five posts, each linked to the next, starting anywhere in [low, high) on
// both axes and stepping up to 250 each way; some posts ride paths of their own.
struct FenceChains {
  float low;
  float high;
  int chains;
  int movingPercent;
};

// Hands the posts to objMan; beforeChain(chain) runs before each chain is made, drawing from
// the same generator if it likes. Returns the number of posts.
template <class BeforeChain>
int makeFenceChains(std::mt19937& random, FenceChains const& shape, BeforeChain beforeChain) {
  std::uniform_real_distribution<float> place(shape.low, shape.high);
  std::uniform_real_distribution<float> step(-250, 250);
  std::uniform_int_distribution<int> percent(0, 99);
  int id = 1;
  for (int chain = 0; chain < shape.chains; chain++) {
    beforeChain(chain);
    float x = place(random), y = place(random);
    int const length = 2 + percent(random) % 4;
    for (int k = 0; k < length; k++) {
      bool const bMoving = percent(random) < shape.movingPercent;
      std::vector<int> links;
      if (k + 1 < length) links.push_back(id + 1);
      float const px = x + step(random), py = y + step(random);
      std::istringstream in(bMoving ? movingPostRecord(x, y, id, links, px, py, 100000 + 2 * id)
                                    : postRecord(x, y, id, links));
      FenceNode* post = new FenceNode;
      post->initFromFile(in);
      objMan.newObject(post);
      id++;
      x += step(random);
      y += step(random);
    }
  }
  return id - 1;
}
