// ".fly" files as an attacker would write them, made on the spot so that no large file is
// kept in the project: a stack of guards all standing on one spot, and a level of nothing
// but records of unknown types.
#pragma once

#include <string>

namespace lockdown::scenario {

// `guards` guards on one spot on a floor, the zizuzu in their sight, so that every guard
// walks and shoots into the stack.
inline std::string StackedGuards(int guards) {
  std::string text = "1600 1200\n4 700 400\n";
  for (int x = 0; x < 1600; x += 40) text += "2 " + std::to_string(x) + " 560 0\n";
  text.reserve(text.size() + static_cast<size_t>(guards) * 12);
  for (int i = 0; i < guards; ++i) text += "0 400 560 1\n";
  return text + "-1\n";
}

// A zizuzu and `records` records of types that do not exist, each of three numbers, every
// one of which is read as a type of its own: three different types, or one type over and
// over (one line of the log over and over).
inline std::string UnknownRecords(int records, bool bOneType = false) {
  std::string text = "800 600\n4 400 300\n";
  text.reserve(text.size() + static_cast<size_t>(records) * 9);
  for (int i = 0; i < records; ++i) text += bOneType ? "11 11 11\n" : "11 12 13\n";
  return text + "-1\n";
}

}  // namespace lockdown::scenario
