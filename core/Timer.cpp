#include "core/Timer.h"

#include <unordered_map>

#include "core/GameServices.h"
#include "core/Ticks.h"
#include "core/VectorUtils.h"

namespace {
int now() { return static_cast<int>(getTicks()); }
}  // namespace

std::vector<Timer*>& getTimers() {
  static std::vector<Timer*> timers;
  return timers;
}

namespace {
bool bBatchingTimers = false;
std::unordered_map<Timer*, int>& destroyedTimers() {
  static std::unordered_map<Timer*, int> destroyed;
  return destroyed;
}
}  // namespace

void beginTimerRemovalBatch() { bBatchingTimers = true; }

void endTimerRemovalBatch() {
  bBatchingTimers = false;
  dropFirstEntries(getTimers(), destroyedTimers());
}

Timer::Timer() : startTime(-1), runTime(-1), timeLeft(-1), bPaused(false), index(0) { addToList(); }

Timer::Timer(int time) : startTime(-1), runTime(-1), timeLeft(-1), bPaused(false), index(0) {
  addToList();
  set(time);
}

Timer::Timer(Timer const& other)
    : startTime(-1), runTime(-1), timeLeft(-1), bPaused(false), index(0) {
  addToList();
  startTime = other.startTime;
  runTime = other.runTime;
  timeLeft = other.timeLeft;
}

Timer& Timer::operator=(Timer const& other) {
  // The registration stays with this object; only the schedule is copied.
  startTime = other.startTime;
  runTime = other.runTime;
  timeLeft = other.timeLeft;
  bPaused = other.bPaused;
  return *this;
}

Timer::~Timer() {
  if (bClosingProgram) return;
  if (bBatchingTimers)
    destroyedTimers()[this]++;
  else
    eraseFromVector(this, getTimers());
}

void Timer::addToList() {
  index = static_cast<int>(getTimers().size());
  getTimers().push_back(this);
}

void Timer::set(int time) {
  if (time == -1) {
    startTime = -1;
    runTime = -1;
    return;
  }
  if (!bPaused) {
    startTime = now();
    runTime = time;
  } else {
    // Resumes as a fresh run of the new length: unPause starts it from scratch.
    runTime = time;
    timeLeft = time;
  }
}

void Timer::reset() {
  if (!bPaused)
    startTime = now();
  else
    timeLeft = runTime;
}

void Timer::unSet() { startTime = -1; }
void Timer::clear() { startTime = -1; }

bool Timer::isSet() const { return startTime != -1; }
bool Timer::isPaused() const { return bPaused; }

bool Timer::isUp() const {
  if (!isSet() || bPaused) return false;
  return static_cast<unsigned>(now()) - static_cast<unsigned>(startTime) >
         static_cast<unsigned>(runTime);
}

int Timer::getTime() const {
  if (bPaused) return getPauseTime() - startTime;
  return now() - startTime;
}

int Timer::getTimeLeft() const {
  if (!isSet()) return -1;
  if (bPaused) return startTime + runTime - getPauseTime();
  return startTime + runTime - now();
}

int Timer::timeElapsed() const { return now() - startTime; }
int Timer::totalTime() const { return runTime; }
int Timer::getPauseTime() const { return runTime + startTime - timeLeft; }

void Timer::pause() {
  if (bPaused) return;
  timeLeft = getTimeLeft();
  bPaused = true;
}

void Timer::unPause() {
  if (!bPaused) return;
  bPaused = false;
  // Resume with the time that was left: the schedule is shifted by the paused span.
  if (timeLeft > 0) startTime = now() - (runTime - timeLeft);
}

void pauseTimers() {
  std::vector<Timer*>& timers = getTimers();
  for (size_t i = 0; i < timers.size(); i++) timers[i]->pause();
}

void unPauseTimers() {
  std::vector<Timer*>& timers = getTimers();
  for (size_t i = 0; i < timers.size(); i++) timers[i]->unPause();
}
