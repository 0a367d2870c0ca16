// The tools hold plain pointers into the objects of the editor's manager and into their paths.
// Clearing, loading, leaving or stepping the level, and deleting through a tool, destroy such
// objects; this drops every pointer whose object is no longer there. Stale pointers are only
// compared with live ones, never followed.
#include <unordered_set>

#include "editor/Editor.h"
#include "editor/FenceTool.h"
#include "editor/ModifyTool.h"
#include "editor/PathTool.h"
#include "game/FenceNode.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "geometry/SimpleRect.h"

namespace {
// Whether a live object of the manager is the one the pointer names.
template <class T>
bool isLive(T* pointer) {
  for (Creatable2d* object : editObjMan.getList())
    if (dynamic_cast<T*>(object) == pointer) return true;
  return false;
}

void keepLive(std::vector<SimpleRect*>& entries, std::unordered_set<SimpleRect*> const& live) {
  std::vector<SimpleRect*> kept;
  for (SimpleRect* entry : entries)
    if (live.count(entry)) kept.push_back(entry);
  entries.swap(kept);
}
}  // namespace

// Runs twice a frame: only the pointers held are looked for, in one walk over the objects.
void forgetDeletedEditorObjects() {
  if (!selectedObject && !pathObject && !selectedPathNode && !selectedNode &&
      objectsInArea.empty() && objects.empty())
    return;
  std::unordered_set<SimpleRect*> held(objectsInArea.begin(), objectsInArea.end());
  held.insert(objects.begin(), objects.end());
  std::unordered_set<SimpleRect*> liveRects;
  bool bNodeLive = false;
  for (Creatable2d* object : editObjMan.getList()) {
    if (!held.empty()) {
      SimpleRect* rect = dynamic_cast<SimpleRect*>(object);
      if (rect && held.count(rect)) liveRects.insert(rect);
    }
    PathFollower* follower = dynamic_cast<PathFollower*>(object);
    if (!follower) continue;
    VectorInterface<PathNode*>& path = follower->getPathRef();
    for (int i = 0; i < path.size(); i++) {
      PathNode* node = path.at(i);
      if (node == selectedPathNode) bNodeLive = true;
      if (held.count(node)) liveRects.insert(node);
    }
  }
  if (selectedObject && !isLive(selectedObject)) selectedObject = nullptr;
  if (pathObject && !isLive(pathObject)) pathObject = nullptr;
  if (selectedPathNode && !bNodeLive) selectedPathNode = nullptr;
  keepLive(objectsInArea, liveRects);
  keepLive(objects, liveRects);
  if (selectedNode && !isLive(selectedNode)) selectedNode = nullptr;
}
