#include "core/Utils.h"

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
  return min + rand() % (max - min + 1);
}

int randRange(int range) { return randRange(-range, range); }

float randFloat() { return static_cast<float>((rand() % 100) / 100.0); }

float randRange(double min, double max) {
  return static_cast<float>(randRange(static_cast<int>(min), static_cast<int>(max - 1))) +
         randFloat();
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

float sinFlux(float intensity, float interval) { return sinFlux(getFluxTimer(), interval, intensity); }

float cosFlux(float intensity, float interval) { return cosFlux(getFluxTimer(), interval, intensity); }

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
