#include "core/Files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "core/Debug.h"

bool hasAnyExtension(std::string const& s) { return s.find('.') != std::string::npos; }

bool hasExtension(std::string const& s) { return hasAnyExtension(s); }

std::string getExtension(std::string const& file) {
  size_t dot = file.find('.');
  if (dot == std::string::npos || dot + 1 == file.size()) return "";
  return file.substr(dot);
}

void removeExtension(std::string& s) {
  size_t dot = s.find('.');
  if (dot != std::string::npos) s.erase(dot);
}

std::string getWithoutExtension(std::string s) {
  removeExtension(s);
  return s;
}

void addExtension(std::string& str, std::string extension) {
  if (extension.empty()) return;
  if (extension[0] != '.') extension = "." + extension;
  if (str.size() >= extension.size() &&
      str.compare(str.size() - extension.size(), extension.size(), extension) == 0)
    return;
  str += extension;
}

bool fileExists(std::string const& filename) {
  std::ifstream in(filename.c_str());
  return static_cast<bool>(in);
}

namespace {
bool matchFrom(char const* name, char const* pattern) {
  for (; *pattern; ++pattern) {
    if (*pattern == '*') {
      for (char const* rest = name;; ++rest) {
        if (matchFrom(rest, pattern + 1)) return true;
        if (!*rest) return false;
      }
    }
    if (!*name) return false;
    if (*pattern != '?' && *pattern != *name) return false;
    ++name;
  }
  return *name == '\0';
}

bool isDirectory(std::string const& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

bool matchesPattern(std::string const& name, std::string const& pattern) {
  if (pattern == "*.*") return true;
  return matchFrom(name.c_str(), pattern.c_str());
}

std::vector<std::string> getFilesInDir(std::string dir, std::string const& typeStr) {
  std::vector<std::string> result;
  DIR* handle = opendir(dir.c_str());
  if (!handle) return result;
  std::vector<std::string> names;
  while (dirent* entry = readdir(handle)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (matchesPattern(name, typeStr)) names.push_back(name);
  }
  closedir(handle);
  std::sort(names.begin(), names.end());
  for (std::string const& name : names) {
    std::string path = dir + "/" + name;
    if (isDirectory(path)) {
      std::vector<std::string> sub = getFilesInDir(path, "*.*");
      result.insert(result.end(), sub.begin(), sub.end());
    } else {
      result.push_back(path);
    }
  }
  return result;
}

void getLine(std::istream& in, std::string& s) {
  s.clear();
  while (s.empty() && std::getline(in, s)) {
  }
  if (!in) s.clear();
}

void readStrings(std::istream& in, std::vector<std::string>& strings,
                 std::string const& endString) {
  while (in) {
    std::string s;
    getLine(in, s);
    if (s.empty()) return;
    if (s == endString) return;
    strings.push_back(s);
  }
}

void copyFile(std::string const& oldFile, std::string const& newFile) {
  std::vector<std::string> lines;
  std::ifstream in(oldFile.c_str());
  readStrings(in, lines, "END_FILE");
  std::ofstream out(newFile.c_str(), std::ios::trunc);
  if (!out) {
    recordError("Error: failed to open out stream to", newFile);
    std::exit(1);
  }
  for (std::string const& line : lines) out << line << std::endl;
}

std::string winGetFile(bool /*bGetFolder*/) { return ""; }
