// The frame profiler: the main loop marks named points in each frame, and the time between
// consecutive points is shown as a running average percentage of the frame on the info lines.
// A second profile shares out the object manager's pass among the classes processed.
#pragma once

#include <map>
#include <string>
#include <vector>

class Profiler {
 public:
  Profiler();
  virtual ~Profiler();

  void start(std::string const& pointName);
  void setPoint(std::string const& pointName);
  void stop();
  void startProfilingProc();
  void startProc();
  void endProc(std::string const& objType);
  void stopProfilingProc();
  void print();
  void printProc();

  bool bDraw;
  std::vector<int> times;
  std::vector<int> percents;
  std::map<std::string, int> procTimes;
  std::map<std::string, int> procPercents;
  int iterations;
  std::vector<std::string> pointNames;

 protected:
  bool bStopped;
  bool bStoppedProc;
  int oldNumTimes;
  int startProcTime;
  int startObjProcTime;
};

extern Profiler profiler;
// First info line that the profiler writes.
extern int profilerInfoIndex;

void clearProfilerInfo();
