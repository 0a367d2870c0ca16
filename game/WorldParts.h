// Which of the world's classes this build holds. The game's own units (levels, states, data
// handlers) are built beside the world's classes and use each one once its header and source
// are both in the tree.
#pragma once

#if __has_include("game/Ship.h") && __has_include("game/Ship.cpp")
#include "game/Ship.h"
#define QOR_HAVE_SHIP 1
#endif
#if __has_include("game/XmlShip.h") && __has_include("game/XmlShip.cpp")
#include "game/XmlShip.h"
#define QOR_HAVE_XML_SHIP 1
#endif
#if __has_include("game/SpaceObject.h") && __has_include("game/SpaceObject.cpp")
#include "game/SpaceObject.h"
#define QOR_HAVE_SPACE_OBJECT 1
#endif
#if __has_include("game/Fence.h") && __has_include("game/Fence.cpp")
#include "game/Fence.h"
#define QOR_HAVE_FENCE 1
#endif
#if __has_include("game/FenceNode.h") && __has_include("game/FenceNode.cpp")
#include "game/FenceNode.h"
#define QOR_HAVE_FENCE_NODE 1
#endif
#if __has_include("game/Explosion.h") && __has_include("game/Explosion.cpp")
#include "game/Explosion.h"
#define QOR_HAVE_EXPLOSION 1
#endif
#if __has_include("game/Barrier.h") && __has_include("game/Barrier.cpp")
#include "game/Barrier.h"
#define QOR_HAVE_BARRIER 1
#endif
#if __has_include("game/Projectile.h") && __has_include("game/Projectile.cpp")
#include "game/Projectile.h"
#define QOR_HAVE_PROJECTILE 1
#endif
#if __has_include("game/PlayerShip.h") && __has_include("game/PlayerShip.cpp")
#include "game/PlayerShip.h"
#define QOR_HAVE_PLAYER_SHIP 1
#endif
#if __has_include("game/HoloDisplay.h") && __has_include("game/HoloDisplay.cpp")
#include "game/HoloDisplay.h"
#define QOR_HAVE_HOLO_DISPLAY 1
#endif
#if __has_include("editor/SnapGrid.h") && __has_include("editor/SnapGrid.cpp")
#define QOR_HAVE_SNAP_GRID 1
#endif
#if __has_include("editor/Editor.h") && __has_include("editor/Editor.cpp")
#define QOR_HAVE_EDITOR 1
#endif
