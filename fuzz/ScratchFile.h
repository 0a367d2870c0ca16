// The fuzz input written to a file of this process's own, for readers that take a file name;
// the file goes when the process ends.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

class ScratchFile {
 public:
  // Names the file "/tmp/<stem>-<pid><extension>", so parallel runs never share one.
  void name(std::string const& stem, std::string const& extension) {
    path = "/tmp/" + stem + "-" + std::to_string(getpid()) + extension;
  }
  ~ScratchFile() {
    if (!path.empty()) std::remove(path.c_str());
  }
  // Replaces the file's contents with the input and gives its name.
  std::string const& write(uint8_t const* data, size_t size) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<char const*>(data), static_cast<std::streamsize>(size));
    return path;
  }

 private:
  std::string path;
};
