#include "core/Profiler.h"

#include "core/Debug.h"
#include "core/GameServices.h"
#include "core/Ticks.h"

Profiler profiler;
int profilerInfoIndex = 10;

namespace {
int now() { return static_cast<int>(getTicks()); }

// Wide arithmetic: a frame held up for hours (a message box left open) must not overflow.
int percentOf(int part, int total) {
  return total == 0 ? 0 : static_cast<int>(static_cast<long long>(part) * 100 / total);
}

// The info line reads "%<percent> <name>".
void showLine(int line, int percent, std::string const& name) {
  printInfo(line, "%%%d %s", percent, name.c_str());
}
}  // namespace

Profiler::Profiler()
    : bDraw(true),
      iterations(1),
      bStopped(true),
      bStoppedProc(true),
      oldNumTimes(0),
      startProcTime(-1),
      startObjProcTime(-1) {}

Profiler::~Profiler() {}

void Profiler::start(std::string const& pointName) {
  bStopped = false;
  oldNumTimes = static_cast<int>(times.size());
  times.clear();
  pointNames.clear();
  setPoint(pointName);
}

void Profiler::setPoint(std::string const& pointName) {
  int tick = now();
  debugFunc("setting point, SDL_GetTicks():", tick);
  times.push_back(tick);
  pointNames.push_back(pointName);
}

void Profiler::stop() {
  bStopped = true;
  setPoint("stop");
  int numTimes = static_cast<int>(times.size());
  if (numTimes < 2) recordError("Profiler Error: Stop called without starting");
  int numIntervals = numTimes - 1;
  if (static_cast<int>(percents.size()) != numIntervals) percents.resize(numIntervals, 0);
  int totalTime = times.back() - times.front();
  debugFunc("totalTime:", totalTime);
  debugFunc("times.size():", numTimes);
  if (bDraw) clearProfilerInfo();
  for (int i = 0; i < numIntervals; i++) {
    int timeDiff = times[i + 1] - times[i];
    debugFunc("time diff:", timeDiff);
    int percent = percentOf(timeDiff, totalTime);
    if (iterations == 1)
      percents[i] = percent;
    else
      percents[i] = (percents[i] + percent) / 2;
    if (bDraw) showLine(profilerInfoIndex + i, percents[i], pointNames[i]);
  }
  iterations++;
}

void Profiler::startProfilingProc() {
  bStoppedProc = false;
  procTimes.clear();
  procPercents.clear();
  startProcTime = now();
}

void Profiler::startProc() { startObjProcTime = now(); }

void Profiler::endProc(std::string const& objType) {
  procTimes[objType] += now() - startObjProcTime;
}

void Profiler::stopProfilingProc() {
  bStoppedProc = true;
  if (procTimes.empty()) return;
  int totalTime = now() - startProcTime;
  int line = 0;
  for (std::map<std::string, int>::iterator i = procTimes.begin(); i != procTimes.end(); ++i) {
    int percent = percentOf(i->second, totalTime);
    procPercents[i->first] = percent;
    if (bDraw) {
      showLine(profilerInfoIndex + line, percent, i->first);
      line++;
    }
  }
}

void Profiler::print() {
  if (!bStopped) stop();
  debug("Begin Profiler");
  debug("--------------");
  for (size_t i = 0; i < percents.size() && i < pointNames.size(); i++)
    debug(percents[i], "% " + pointNames[i]);
  debug("End Profiler");
  debug("--------------");
}

void Profiler::printProc() {
  if (!bStoppedProc) stopProfilingProc();
  debug("Begin Process Objects Profile");
  debug("-----------------------------");
  for (std::map<std::string, int>::iterator i = procPercents.begin(); i != procPercents.end(); ++i)
    debug(i->second, "% " + i->first);
  debug("End Process Objects Profile");
  debug("---------------------------");
}

void clearProfilerInfo() { clearInfo(profilerInfoIndex); }
