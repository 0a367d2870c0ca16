#include "core/Utils.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "core/Timer.h"

namespace {
double const kPi = 3.141592654;
}

int randRange(int min, int max) {
  if (max < min) {
    int swap = min;
    min = max;
    max = swap;
  }
  // The width of the range may pass the int range.
  long long const width = static_cast<long long>(max) - min + 1;
  return static_cast<int>(min + rand() % width);
}

int clampToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(value);
}

int randRange(int range) { return randRange(-range, range); }

float randFloat() { return static_cast<float>((rand() % 100) / 100.0); }

float randRange(double min, double max) {
  return static_cast<float>(randRange(clampToInt(min), clampToInt(max - 1))) + randFloat();
}

float randRange(double range) { return randRange(-range, range); }

Timer& getFluxTimer() {
  static Timer fluxTimer(3000);
  return fluxTimer;
}

float sinFlux(Timer& timer, float interval, float intensity) {
  if (!timer.isSet()) timer.set(0);
  return static_cast<float>(std::sin(2 * kPi * timer.getTime() / interval) * intensity);
}

float cosFlux(Timer& timer, float interval, float intensity) {
  if (!timer.isSet()) timer.set(0);
  return static_cast<float>(std::cos(2 * kPi * timer.getTime() / interval) * intensity);
}

float sinFlux(float intensity, float interval) {
  return sinFlux(getFluxTimer(), interval, intensity);
}

float cosFlux(float intensity, float interval) {
  return cosFlux(getFluxTimer(), interval, intensity);
}

std::string getDate() {
  char text[16];
  std::time_t now = std::time(nullptr);
  std::strftime(text, sizeof text, "%m/%d/%y", std::localtime(&now));
  return text;
}

std::string getTime() {
  char text[16];
  std::time_t now = std::time(nullptr);
  std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&now));
  return text;
}

void runProgram(std::string const& /*program*/) {}
