// The log "error.txt" in the working directory: failures append a line and the game
// goes on. A log that cannot be opened loses the line. A line repeating the line before
// it is counted instead of written; the count follows when another line comes, at
// FlushLog and at exit.
#pragma once

#include <string>

namespace lockdown {

extern const char* logFileName;

void LogMessage(const std::string& text, bool bAppend = true);
void LogNumber(double value, bool bAppend = true);
// Writes the count of a repeated last line.
void FlushLog();

// printf-style formatting into a bounded text; output beyond the bound is cut off.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace lockdown
