// The colour ramp that shows a path node's speed factor: red at 0, yellow at 0.5, green at 1,
// cyan from 1.5 to 10, blue from 10.5; and lines drawn half in each end's ramp colour.
#pragma once

#include "geometry/Point.h"
#include "presentation/Colors.h"

class PathNode;

Color getColorForFactor(float factor);
Color getColorForSpeed(float speed);
void drawGradientLine(PathNode& nodeA, PathNode& nodeB);
void drawGradientLine(PathNode& node, Point const& point);
