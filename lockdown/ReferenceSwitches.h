// The switches that put the game's plain reference walks back in place of its speed-ups.
// Play leaves them off; the equivalence tests (tests/lockdown/NarrowedScansTest.cpp) play the
// same levels with each on and off and compare, and bench/lockdown_world_bench.cpp measures
// both ways.
#pragma once

namespace lockdown {

// The world's passes and queries walk whole lists instead of their cursors, maps and grids.
// With it on, these compare against their plain walks:
// - the update pass (Game::StepWorld): a cursor, against a rescan of the object list from its
//   head after every update;
// - the walls' layer (WallPass): walls meet the collidables binned near them, against every
//   tile meeting every collidable;
// - the bullets' probe (HitScan through TargetGrid): a grid of the targets, against a walk
//   over the object list at every step;
// - tile merging (MergeTiles): a walk with a map of edges, against restarts of a pairwise
//   search; finding edges (FindAllEdges): a set of corners, against each wall asking all;
// - free space (IsSpaceFree): the region grid, against every wall; object boxes (ObjectBox):
//   Box(), against four look-ups by name; a door's push (Door::Update): bodies clear of it
//   skipped, against every body tested.
extern bool bFullScans;

}  // namespace lockdown
