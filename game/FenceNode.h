// Fence posts: space objects that may ride paths and list the posts they are linked to. Level
// files hold only the posts; after a load every post builds the fences of its links.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <vector>

#include "game/FenceNodeIndex.h"
#include "game/SpaceObject.h"
#include "geometry/Node.h"

class Fence;

// The path speed every post takes when read from a level file.
extern float fenceNodeSpeed;

// The fences a post wakes when it moves. A copy of a post wakes none: they are the original's.
class PostFences {
 public:
  PostFences() = default;
  PostFences(PostFences const&) {}
  PostFences& operator=(PostFences const&) { return *this; }

  std::vector<Fence*> list;
};

class FenceNode : public SpaceObject, public Node {
 public:
  FenceNode();
  // A post at point, with its image loaded.
  explicit FenceNode(Point const& point);
  // Its fences stop listening to it.
  ~FenceNode() override;

  // The sprite record (centre, angle, path), then the node record.
  void initFromFile(std::istream& in) override;
  void saveToFile(std::ostream& out) override;
  void draw() override;
  void process() override;
  void loadDefaultFrames() override;
  void initForEditor() override;
  bool isPtIn(float x, float y) const override;
  float getXCenter() const override;
  float getYCenter() const override;
  Point getCenter() const override;
  void adjustLists() override;
  // Only a post with a path of more than one node moves.
  bool canMove() override;

  // The editor shows a link as the fence it will become.
  void drawConnection(Node* other) override;
  float getWidth() const override;
  float getHeight() const override;
  float getRadius() override;
  using SpaceObject::setCenter;
  void setCenter(Point const& newCenter) override;
  SaveLoad* makeCopy() override;
  void activateDefaultCommand() override;

  // Links the posts whose ids the record listed and makes the fences not made yet; a linked
  // post is the first of the fence post list with the id.
  void buildFences();
  // The same, finding the posts in an index of the fence post list. With outside,
  // the fences go there instead of to the game's manager (see buildAllFences).
  void buildFences(FenceNodeIndex const& byId,
                   std::vector<std::unique_ptr<Fence>>* outside = nullptr);

  // The fences stretched from this post, woken whenever its corners change.
  // A post of a chain holds two: room for both at once.
  void addFence(Fence* fence) {
    if (myFences.list.empty()) myFences.list.reserve(2);
    myFences.list.push_back(fence);
  }
  void forgetFence(Fence* fence);
  void handleCornersSet() override;

  bool bBuiltFences;

 protected:
  // A post that rests without a path may have one now.
  void handlePathGrown() override { wake(); }

 private:
  PostFences myFences;
};

// Every post of the list builds its fences, in list order. With outside, the fences are
// handed to the caller instead of the game's manager: made, and asked what joining the
// manager asks of them, so that the drawing colours they draw are drawn, but in no list and
// no draw region.
void buildAllFences(std::vector<std::unique_ptr<Fence>>* outside = nullptr);
