#include "game/FenceNode.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "core/Debug.h"
#include "core/RecordText.h"
#include "core/TypedLists.h"
#include "editor/Editor.h"
#include "editor/FenceTool.h"
#include "game/Fence.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "presentation/Colors.h"
#include "presentation/View.h"

float fenceNodeSpeed = 1.0f;

FenceNode::FenceNode() : bBuiltFences(false) { bWatchCorners = true; }

FenceNode::FenceNode(Point const& point) : bBuiltFences(false) {
  bWatchCorners = true;
  initForEditor();
  setCenter(point);
}

FenceNode::~FenceNode() {
  // forgetPost does not touch the list.
  for (Fence* fence : myFences.list) fence->forgetPost(this);
}

void FenceNode::forgetFence(Fence* fence) {
  std::vector<Fence*>& list = myFences.list;
  list.erase(std::remove(list.begin(), list.end(), fence), list.end());
}

void FenceNode::handleCornersSet() {
  for (Fence* fence : myFences.list) fence->wake();
}

void FenceNode::initFromFile(std::istream& in) {
  EditableSprite::initFromFile(in);
  Node::initFromFile(in);
  setBaseSpeed(fenceNodeSpeed);
}

// The node record is written here rather than by Node: a post saved before its links were
// built (or with links still unresolved) would otherwise lose them from the level.
void FenceNode::saveToFile(std::ostream& out) {
  EditableSprite::saveToFile(out);
  RecordText text(out);
  text.word("Node\n").integer(nodeId).character('\n');
  for (int i = 0; i < connected.size(); i++)
    text.integer(connected.at(i)->getNodeId()).character('\n');
  for (int i = 0; i < connectedIds.size(); i++) text.integer(connectedIds.at(i)).character('\n');
  text.integer(-1).character('\n');
}

void FenceNode::draw() {
  EditableSprite::draw();
  if (canMove()) {
    // The post's own corners in white: a copied rectangle would draw its random default colours
    // from the game's random sequence at every frame.
    Color savedBorder = borderColor;
    bool bSavedFilled = bFilled;
    borderColor = getColor("white");
    bFilled = false;
    SimpleRect::draw();
    borderColor = savedBorder;
    bFilled = bSavedFilled;
  }
}

// A post without a path rests until it is given one.
void FenceNode::process() {
  if (canMove())
    PathFollower::handleMovement();
  else
    rest();
}

void FenceNode::loadDefaultFrames() { loadFrame("node.bmp"); }

void FenceNode::initForEditor() {
  loadDefaultFrames();
  setToMouse();
}

bool FenceNode::isPtIn(float x, float y) const { return EditableSprite::isPtIn(x, y); }

float FenceNode::getXCenter() const { return SimpleRect::getXCenter(); }

float FenceNode::getYCenter() const { return SimpleRect::getYCenter(); }

Point FenceNode::getCenter() const { return SpaceObject::getCenter(); }

void FenceNode::adjustLists() {
  fenceNodes.modify(this);
  SpaceObject::adjustLists();
}

bool FenceNode::canMove() { return getPathSize() > 1; }

void FenceNode::drawConnection(Node* other) {
  Point const a = getCenter(), b = other->getCenter();
  // The preview's corners lie within half the fence's width of the link.
  double const reach = std::fabs(fenceWidth) / 2;
  if (!view.mayShow(std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach,
                    std::max(a.x, b.x) + reach, std::max(a.y, b.y) + reach)) {
    // What making and drawing the preview would have left: a rectangle and its last rectangle
    // each draw two random colours, and drawing ends in the plain colour.
    for (int i = 0; i < 4; i++) getRandomDrawingColor();
    clearColor();
    return;
  }
  Fence preview(a, b);
  preview.draw();
}

float FenceNode::getWidth() const { return SimpleRect::getWidth(); }

float FenceNode::getHeight() const { return SimpleRect::getHeight(); }

float FenceNode::getRadius() { return getWidth(); }

void FenceNode::setCenter(Point const& newCenter) { SimpleRect::setCenter(newCenter); }

SaveLoad* FenceNode::makeCopy() { return new FenceNode; }

void FenceNode::activateDefaultCommand() {
  selectedNode = this;
  switchEditorTool(&fenceTool, false);
}

// Building makes fences only, never posts: the index stays true through the loop.
void buildAllFences(std::vector<std::unique_ptr<Fence>>* outside) {
  FenceNodeIndex const byId;
  for (int i = 0; i < fenceNodes.size(); i++) fenceNodes.at(i)->buildFences(byId, outside);
}

void FenceNode::buildFences() { buildFences(FenceNodeIndex()); }

void FenceNode::buildFences(FenceNodeIndex const& byId,
                            std::vector<std::unique_ptr<Fence>>* outside) {
  bBuiltFences = true;
  // A post with many links asks a set whether it holds one: its list grows with each.
  bool const bManyLinks = connectedIds.size() > kLinksSearchedInList;
  std::unordered_set<Node*> linked;
  if (bManyLinks) linked.insert(connected.getVect().begin(), connected.getVect().end());
  for (int i = 0; i < connectedIds.size(); i++) {
    int id = connectedIds.at(i);
    FenceNode* found = byId.find(id);
    if (!found) {
      recordError("Error: could not find fence with id:", id);
      continue;
    }
    // A link listed twice, or on both sides, is made and fenced once: by the first post to
    // resolve it.
    if (bManyLinks ? linked.count(found) > 0 : isConnected(found)) continue;
    // A post of a chain is linked twice: room for both links at once.
    if (connected.size() == 0) connected.getVect().reserve(2);
    connected.push_back(found);
    if (bManyLinks) linked.insert(found);
    if (found == this) continue;
    // Linked back, as path nodes are, so that the editor shows every fence of a file that
    // lists a link on one side only.
    if (found->connected.size() == 0) found->connected.getVect().reserve(2);
    found->connected.push_back(this);
    Fence* fence = new Fence(this, found);
    if (outside) {
      outside->emplace_back(fence);
      // Joining the game's manager registers a fence in the draw regions by its bounds.
      if (drawRegions.size() > 0) fence->getBounds();
    } else {
      objMan.newObject(fence);
    }
    fence->updateLastPosition();
  }
  // The ids are resolved once: building again must not link or fence the same posts twice.
  connectedIds.clear();
}
