// Whole files as text, for tests that check what a program wrote.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

// The file's bytes as they stand; empty when there is no such file.
inline std::string readFile(std::string const& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void writeFile(std::string const& path, std::string const& text) {
  std::ofstream out(path.c_str(), std::ios::binary);
  out << text;
}
