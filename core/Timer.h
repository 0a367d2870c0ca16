// Pausable millisecond countdowns; every timer is registered so that all can be paused at once.
#pragma once

#include <vector>

class Timer {
 public:
  Timer();
  explicit Timer(int time);
  Timer(Timer const& other);
  Timer& operator=(Timer const& other);
  virtual ~Timer();

  void set(int time);
  void reset();
  void unSet();
  void clear();

  bool isSet() const;
  bool isPaused() const;
  bool isUp() const;
  int getTime() const;
  int getTimeLeft() const;
  int timeElapsed() const;
  int totalTime() const;
  int getPauseTime() const;

  void pause();
  void unPause();

 protected:
  void addToList();

  int startTime;
  int runTime;
  int timeLeft;
  bool bPaused;
  int index;
};

// Every live timer, built on first use so that global timers may register before main.
std::vector<Timer*>& getTimers();
// While a manager destroys all its objects, the timers they hold leave the list together at
// the end: the list then drops the same entries (each destroyed timer's first) as one by one.
void beginTimerRemovalBatch();
void endTimerRemovalBatch();

void pauseTimers();
void unPauseTimers();
