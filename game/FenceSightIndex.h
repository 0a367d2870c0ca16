// Sight lines narrowed through the obstacle quad tree. When the tree is built, every fence
// whose posts stand still and which lies wholly inside the tree's area is filed by its tree
// entry; a sight line then tests only those of them in the tree's leaves near it, plus every
// other fence (those that sweep with their posts, or reach outside the tree). Any change to
// the fence list after the build drops the index until the next build, and sight tests all
// fences again: the answer is always that of the full scan.
#pragma once

#include <vector>

#include "geometry/Point.h"

class Fence;

// Files the fences of the list in the obstacle tree as it was just built.
void indexFencesForSight();
// Drops the index; sight lines scan every fence until the next build.
void forgetFenceSightIndex();
bool isFenceSightIndexReady();
// The fences a segment from p1 to p2 may cross: a superset of those whose centre line it
// crosses, each once. Only while the index is ready.
void getSightCandidates(Point const& p1, Point const& p2, std::vector<Fence*>& candidates);
// Whether the segment from p1 to p2 crosses no fence's centre line, as lineOfSightThrough over
// every fence answers. The centre lines of the filed fences are kept in the index, so that a
// sight line does not reach into each fence; a fence whose corners change drops its line, which
// is worked out again when next asked for. Only while the index is ready.
bool isSightClear(Point const& p1, Point const& p2);
// Called by a filed fence whose corners changed (slot and build as given at filing).
void forgetSightLine(int slot, unsigned build);
