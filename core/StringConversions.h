// The program's own conversions between numbers and text, and small text tests.
#pragma once

#include <string>

bool startsWith(std::string const& theString, std::string const& stringPart);
bool endsWith(std::string const& s, std::string const& part);
int stringToInt(std::string baseString);
float stringToFloat(std::string const& s);
bool isFloat(std::string const& s);
std::string intToString(int num);
void addNumToString(std::string& s, int num);
std::string floatToString(double num);
std::string toLower(std::string const& s);
bool means(std::string const& s1, std::string const& s2);
bool isNum(char c);
bool isChar(char c);
std::string printF(char const* s, ...) __attribute__((format(printf, 1, 2)));

// Whether whole is first followed by second; nothing is joined to find out.
bool isJoinedText(std::string const& whole, std::string const& first, std::string const& second);
