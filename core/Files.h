// File-name helpers, the recursive data-folder listing and line readers.
#pragma once

#include <istream>
#include <string>
#include <vector>

bool hasAnyExtension(std::string const& s);
bool hasExtension(std::string const& s);
std::string getExtension(std::string const& file);
void removeExtension(std::string& s);
std::string getWithoutExtension(std::string s);
void addExtension(std::string& str, std::string extension);
bool fileExists(std::string const& filename);

// Whether a name matches a wildcard pattern ('*' any run, '?' one character);
// "*.*" matches every name, as the data-folder search expects.
bool matchesPattern(std::string const& name, std::string const& pattern);

// Lists the entries of `dir` matching `typeStr`, sorted by name; a matching sub-folder is
// listed whole, recursively. Paths are `dir`, '/', entry name.
std::vector<std::string> getFilesInDir(std::string dir, std::string const& typeStr);

void getLine(std::istream& in, std::string& s);
void readStrings(std::istream& in, std::vector<std::string>& strings, std::string const& endString);
void copyFile(std::string const& oldFile, std::string const& newFile);

// There is no file dialog on this platform: always answers as a cancelled dialog.
std::string winGetFile(bool bGetFolder);
