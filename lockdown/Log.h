// The log "error.txt" in the working directory: failures append a line and the game
// goes on. A log that cannot be opened loses the line.
#pragma once

#include <string>

namespace lockdown {

extern const char* logFileName;

void LogMessage(const std::string& text, bool bAppend = true);
void LogNumber(double value, bool bAppend = true);

// printf-style formatting into a bounded text; output beyond the bound is cut off.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace lockdown
