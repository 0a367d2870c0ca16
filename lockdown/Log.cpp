#include "lockdown/Log.h"

#include <cstdarg>
#include <cstdio>
#include <fstream>

namespace lockdown {

const char* logFileName = "error.txt";

void LogMessage(const std::string& text, bool bAppend) {
  std::ofstream out(logFileName, bAppend ? std::ios::app : std::ios::trunc);
  if (out) out << text << '\n';
}

void LogNumber(double value, bool bAppend) {
  std::ofstream out(logFileName, bAppend ? std::ios::app : std::ios::trunc);
  if (out) out << value << '\n';
}

std::string Format(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return std::string();
  return std::string(buffer);
}

}  // namespace lockdown
