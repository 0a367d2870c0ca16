// Run-time class names and the class table read from "heirarchy.hcy".
// Objects are told apart by class name; ancestry comes from the table, not from the compiler.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <typeinfo>
#include <vector>

class ParentList {
 public:
  ParentList() : bLoadedAllParents(false) {}
  ParentList(ParentList const& other)
      : type(other.type), parents(other.parents), bLoadedAllParents(other.bLoadedAllParents) {}
  ParentList& operator=(ParentList const& other) = default;
  virtual ~ParentList() {}

  void setClass(std::string const& name) { type = name; }
  std::string getType() const { return type; }
  void setParents(std::vector<std::string> const& list) { parents = list; }
  std::vector<std::string> getParents() const { return parents; }
  void setToLoaded() { bLoadedAllParents = true; }
  bool loadedAllParents() const { return bLoadedAllParents; }

 private:
  std::string type;
  std::vector<std::string> parents;
  bool bLoadedAllParents;
};

// The one class table, built on first use so that it is safe to reach before main.
std::map<std::string, ParentList>& getHeirarchy();

// Longest ancestor list kept. The shipped table's longest is far shorter, but a table that
// names one parent along many paths lists it once per path and doubles per level; past this
// bound a list is cut with an error line, which bounds the table's time and memory.
constexpr int kMaxAncestors = 256;

void readHeirarchy();
void readHeirarchy(std::istream& in);
void setParentsOfParents();
std::vector<std::string> getParents(std::string const& type);
bool hasParent(std::string const& objType, std::string const& testType);
std::string stripTypename(std::string const& typeName);

template <class T>
std::string getType(T* obj) {
  if (!obj) return "NULL";
  return stripTypename(typeid(*obj).name());
}

template <class T>
std::string getTemplateType(T* /*obj*/) {
  return stripTypename(typeid(T).name());
}

template <class T>
bool isOfType(T* obj, std::string const& testType) {
  std::string objType = getType(obj);
  if (objType == testType) return true;
  return hasParent(objType, testType);
}

template <class T>
bool isOfType(std::string const& testType, T* obj) {
  return isOfType(obj, testType);
}
