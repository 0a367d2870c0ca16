// The typed global lists: one list per role, holding every live object that plays it, in the
// order the objects entered. Collision, drawing, the AI and the editor walk these lists.
#pragma once

#include "core/MoveToEndList.h"
#include "core/ObjectVector.h"

class Activatable;
class Barrier;
class Collidable;
class Collider;
class Explosion;
class Fence;
class FenceNode;
class Obstacle;
class PathFollower;
class Persistant;
class Projectile;
class Ship;
class Shootable;
class Tile;
class Visible;

extern ObjectVector<Ship*> allShips;
extern ObjectVector<Ship*> friendlyShips;
// Every shot in flight moves its ship to the end once a frame.
extern MoveToEndList<Shootable*> shootables;
extern ObjectVector<Collider*> colliders;
extern ObjectVector<PathFollower*> pathFollowers;
extern ObjectVector<Projectile*> projectiles;
extern ObjectVector<Visible*> allVisible;
extern ObjectVector<Obstacle*> obstacles;
extern ObjectVector<Tile*> allTiles;
extern ObjectVector<Tile*> editorTiles;
extern ObjectVector<Fence*> fences;
extern ObjectVector<FenceNode*> fenceNodes;
extern ObjectVector<Barrier*> barriers;
extern ObjectVector<Explosion*> explosions;
extern ObjectVector<Activatable*> activatables;
extern ObjectVector<Persistant*> persistants;
extern ObjectVector<Collidable*> opaques;
