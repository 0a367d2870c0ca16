// Points the debug log at a fresh temporary file for one test and reads it back.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Debug.h"

class LogCapture {
 public:
  LogCapture() : oldFile(debugFile) {
    char pattern[] = "/tmp/qorlogXXXXXX";
    int fd = mkstemp(pattern);
    if (fd >= 0) ::close(fd);
    path = pattern;
    debugFile = path.c_str();
  }
  ~LogCapture() {
    debugFile = oldFile;
    std::remove(path.c_str());
  }
  std::string text() const {
    std::ifstream in(path.c_str());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    std::ifstream in(path.c_str());
    std::string line;
    while (std::getline(in, line)) result.push_back(line);
    return result;
  }
  std::string path;

 private:
  char const* oldFile;
};
