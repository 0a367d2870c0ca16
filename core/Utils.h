// Random ranges, clamping, timer-driven waves and small helpers.
#pragma once

#include <string>

class Timer;

int randRange(int min, int max);
int randRange(int range);
float randFloat();
float randRange(double min, double max);
float randRange(double range);
// The int nearest to value: a value past the int range gives the nearer limit and NaN gives 0,
// where a plain conversion of either is undefined.
int clampToInt(double value);

template <class T>
T clamp(T& value, T min, T max) {
  if (value < min)
    value = min;
  else if (value > max)
    value = max;
  return value;
}

// The default clock of the wave functions.
Timer& getFluxTimer();

float sinFlux(Timer& timer, float interval, float intensity);
float cosFlux(Timer& timer, float interval, float intensity);
float sinFlux(float intensity, float interval);
float cosFlux(float intensity, float interval);

std::string getDate();
std::string getTime();
void runProgram(std::string const& program);
