#include "core/GetParents.h"

#include <fstream>

#include "core/Debug.h"
#include "core/StringConversions.h"
#include "core/VectorUtils.h"

std::map<std::string, ParentList>& getHeirarchy() {
  static std::map<std::string, ParentList> heirarchy;
  return heirarchy;
}

namespace {
void enterClass(std::string const& className, std::vector<std::string> const& parents) {
  ParentList& entry = getHeirarchy()[className];
  entry.setParents(parents);
  entry.setClass(className);
}
}  // namespace

void readHeirarchy() {
  std::ifstream in("heirarchy.hcy");
  if (!in) return;
  readHeirarchy(in);
}

void readHeirarchy(std::istream& in) {
  debugFunc("reading heirarchy");
  std::string className;
  // A word that runs into the end of the file ends the reading.
  while ((in >> className) && !in.eof()) {
    debugFunc("className:", className);
    std::vector<std::string> parents;
    bool bEnded = false;
    while (!bEnded) {
      std::string word;
      if (!(in >> word)) {
        recordError("Error: ';' not found in heirarchy file");
        enterClass(className, parents);
        setParentsOfParents();
        return;
      }
      bool bLast = in.eof();
      if (word == ";") {
        bEnded = true;
      } else if (word.find('<') == std::string::npos) {
        debugFunc("pusing back parent:", word);
        parents.push_back(word);
      }
      if (bLast && !bEnded) {
        recordError("Error: ';' not found in heirarchy file");
        enterClass(className, parents);
        setParentsOfParents();
        return;
      }
    }
    enterClass(className, parents);
  }
  debugFunc("done reading heirarchy, setting parents of parents");
  setParentsOfParents();
  debugFunc("done settingn parents of parents");
}

void setParentsOfParents() {
  debugFunc("setting parents of parents");
  std::map<std::string, ParentList>& table = getHeirarchy();
  for (std::map<std::string, ParentList>::iterator i = table.begin(); i != table.end(); ++i) {
    debugFunc("");
    debugFunc("current type:", i->first);
    getParents(i->first);
  }
}

namespace {
// One class whose ancestor list is being built: its direct parents, the next one to take,
// and the list so far.
struct Closing {
  std::string type;
  std::vector<std::string> direct;
  size_t next = 0;
  std::vector<std::string> all;
  bool bCut = false;
};

void beginClosing(std::vector<Closing>& stack, ParentList& entry, std::string const& type) {
  debugFunc("haven't yet gotten all parents");
  entry.setToLoaded();
  Closing closing;
  closing.type = type;
  closing.direct = entry.getParents();
  if (bDebugFunction) {
    debugFunc("got first parents for parent, first parents:");
    for (std::string const& name : closing.direct) debugFunc(name);
    debugFunc("* End parents");
  }
  stack.push_back(closing);
}

// Appends names up to the bound; the first name that does not fit cuts the list for good.
void appendBounded(Closing& closing, std::vector<std::string> const& names) {
  for (std::string const& name : names) {
    if (static_cast<int>(closing.all.size()) >= kMaxAncestors) {
      if (!closing.bCut)
        recordError("Error: more than " + intToString(kMaxAncestors) +
                        " ancestors, list cut for class:",
                    closing.type);
      closing.bCut = true;
      return;
    }
    closing.all.push_back(name);
  }
}
}  // namespace

// A depth-first pre-order walk of the ancestors, each parent followed by its own list, done
// with a stack of its own so that a long chain of classes cannot exhaust the program's.
std::vector<std::string> getParents(std::string const& type) {
  debugFunc("gettingParents for:", type);
  std::map<std::string, ParentList>& table = getHeirarchy();
  std::map<std::string, ParentList>::iterator found = table.find(type);
  if (found == table.end()) {
    recordError("Error: type not found:", type);
    return std::vector<std::string>();
  }
  if (found->second.loadedAllParents()) {
    debugFunc("already loaded all parents");
    return found->second.getParents();
  }
  std::vector<Closing> stack;
  beginClosing(stack, found->second, type);
  while (true) {
    Closing& top = stack.back();
    if (top.next < top.direct.size() && !top.bCut) {
      std::string const parent = top.direct[top.next++];
      appendBounded(top, std::vector<std::string>(1, parent));
      if (top.bCut) continue;
      debugFunc("gettingParents for:", parent);
      std::map<std::string, ParentList>::iterator entry = table.find(parent);
      if (entry == table.end()) {
        recordError("Error: type not found:", parent);
      } else if (entry->second.loadedAllParents()) {
        // Finished, or on a cycle back to a class still being built: its list as it stands.
        debugFunc("already loaded all parents");
        appendBounded(top, entry->second.getParents());
      } else {
        beginClosing(stack, entry->second, parent);
      }
      continue;
    }
    std::vector<std::string> const finished = top.all;
    table[top.type].setParents(finished);
    stack.pop_back();
    if (stack.empty()) return finished;
    appendBounded(stack.back(), finished);
  }
}

bool hasParent(std::string const& objType, std::string const& testType) {
  debugFunc("inside hasParent");
  debugFunc("objType:", objType);
  debugFunc("testType:", testType);
  std::map<std::string, ParentList>& table = getHeirarchy();
  if (table.find(objType) == table.end()) recordError("Error: Object type not found:", objType);
  std::vector<std::string> const parents = table[objType].getParents();
  for (std::string const& name : parents) {
    debugFunc("parents.at(i):", name);
    if (name == testType) return true;
  }
  return false;
}

std::string stripTypename(std::string const& typeName) {
  std::string name = typeName;
  if (name.size() >= 2 && isNum(name[1])) {
    name.erase(0, 1);
    size_t digits = 0;
    while (digits < name.size() && isNum(name[digits])) digits++;
    name.erase(0, digits);
  }
  if (name.size() > 5 && name.compare(0, 5, "class") == 0) return name.substr(6);
  size_t digits = 0;
  while (digits < name.size() && isNum(name[digits])) digits++;
  return name.substr(digits);
}
