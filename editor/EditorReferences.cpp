// The tools hold plain pointers into the objects of the editor's manager and into their paths.
// Clearing, loading, leaving or stepping the level, and deleting through a tool, destroy such
// objects; this drops every pointer whose object is no longer there. Stale pointers are only
// compared with live ones, never followed.
#include <set>

#include "editor/Editor.h"
#include "editor/ModifyTool.h"
#include "editor/PathTool.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "geometry/SimpleRect.h"

#include "editor/FenceTool.h"
#include "game/FenceNode.h"

namespace {
// Whether a live object of the manager is the one the pointer names.
template <class T>
bool isLive(T* pointer) {
  for (Creatable2d* object : editObjMan.getList())
    if (dynamic_cast<T*>(object) == pointer) return true;
  return false;
}

void keepLive(std::vector<SimpleRect*>& entries, std::set<SimpleRect*> const& live) {
  std::vector<SimpleRect*> kept;
  for (SimpleRect* entry : entries)
    if (live.count(entry)) kept.push_back(entry);
  entries.swap(kept);
}
}  // namespace

void forgetDeletedEditorObjects() {
  std::set<SimpleRect*> liveRects;
  std::set<PathNode*> liveNodes;
  for (Creatable2d* object : editObjMan.getList()) {
    if (SimpleRect* rect = dynamic_cast<SimpleRect*>(object)) liveRects.insert(rect);
    PathFollower* follower = dynamic_cast<PathFollower*>(object);
    if (!follower) continue;
    VectorInterface<PathNode*>& path = follower->getPathRef();
    for (int i = 0; i < path.size(); i++) {
      liveNodes.insert(path.at(i));
      liveRects.insert(path.at(i));
    }
  }
  if (selectedObject && !isLive(selectedObject)) selectedObject = nullptr;
  if (pathObject && !isLive(pathObject)) pathObject = nullptr;
  if (selectedPathNode && !liveNodes.count(selectedPathNode)) selectedPathNode = nullptr;
  keepLive(objectsInArea, liveRects);
  keepLive(objects, liveRects);
  if (selectedNode && !isLive(selectedNode)) selectedNode = nullptr;
}
