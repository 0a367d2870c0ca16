// Headings in whole degrees: 0 up (towards smaller y), 90 right, 180 down, 270 left.
#pragma once

namespace lockdown {

int NormalizeAngle(int a);
int HeadingTo(int x0, int y0, int x1, int y1);
int AngleDifference(int a, int b);
bool TurnsClockwise(int a, int b);
bool TurnsCounterclockwise(int a, int b);
inline void AddAngle(int& a, int delta) { a += delta; }
inline void SubtractAngle(int& a, int delta) { a -= delta; }
int Distance(int x0, int y0, int x1, int y1);

}  // namespace lockdown
