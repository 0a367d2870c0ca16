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
  std::vector<std::string> const& parentsRef() const { return parents; }
  void setToLoaded() { bLoadedAllParents = true; }
  bool loadedAllParents() const { return bLoadedAllParents; }

 private:
  std::string type;
  std::vector<std::string> parents;
  bool bLoadedAllParents;
};

// The one class table, built on first use so that it is safe to reach before main. A caller
// that holds the table may change it: the answers kept per class are dropped on every call.
std::map<std::string, ParentList>& getHeirarchy();

// Longest ancestor list kept. The shipped table's longest is far shorter, but a table that
// names one parent along many paths lists it once per path and doubles per level; past this
// bound a list is cut with an error line, which bounds the table's time and memory.
constexpr int kMaxAncestors = 256;
// Most ancestor names kept by the whole table beyond the direct parents the file names: a
// long chain of classes would otherwise keep the per-class bound for every class. Past it the
// lists of the classes closed later hold their direct parents only, with an error line.
constexpr long kMaxAncestorTotal = 1L << 18;

void readHeirarchy();
void readHeirarchy(std::istream& in);
void setParentsOfParents();
std::vector<std::string> getParents(std::string const& type);
bool hasParent(std::string const& objType, std::string const& testType);
std::string stripTypename(std::string const& typeName);

// The class name of a compiler type, stripped once per type and kept.
std::string const& getTypeName(std::type_info const& info);
// isOfType for an object of the given compiler type: the same steps as hasParent, with the
// class's table entry found once per type and kept until the table is reached for changes.
bool isTypeOf(std::type_info const& info, std::string const& testType);
// Changes whenever the table may have changed, so that answers kept per class can be checked.
unsigned getClassTableGeneration();

template <class T>
std::string getType(T* obj) {
  if (!obj) return "NULL";
  return getTypeName(typeid(*obj));
}

template <class T>
std::string getTemplateType(T* /*obj*/) {
  return stripTypename(typeid(T).name());
}

template <class T>
bool isOfType(T* obj, std::string const& testType) {
  if (!obj) return testType == "NULL" || hasParent("NULL", testType);
  return isTypeOf(typeid(*obj), testType);
}

template <class T>
bool isOfType(std::string const& testType, T* obj) {
  return isOfType(obj, testType);
}
