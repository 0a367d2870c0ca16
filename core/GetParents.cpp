#include "core/GetParents.h"

#include <fstream>
#include <unordered_map>

#include "core/Debug.h"
#include "core/StringConversions.h"
#include "core/VectorUtils.h"

namespace {
std::map<std::string, ParentList>& table() {
  static std::map<std::string, ParentList> heirarchy;
  return heirarchy;
}

// Bumped whenever the table may change other than by hasParent's empty entries, which leave
// the entries already found where they are.
unsigned tableGeneration = 0;

// Ancestor names beyond the direct parents that the table may still take.
long ancestorBudget = kMaxAncestorTotal;
bool bBudgetReported = false;

struct KnownType {
  std::string name;
  // The class's table entry as of generation; null until first asked.
  ParentList const* entry = nullptr;
  unsigned generation = 0;
};

// By the address of the compiler's type record: one entry per class (a class reached through
// two records merely has two entries).
// Never destroyed: the managers' destructors at exit still ask for class names.
KnownType& knownType(std::type_info const& info) {
  static auto& known = *new std::unordered_map<std::type_info const*, KnownType>;
  auto found = known.find(&info);
  if (found != known.end()) return found->second;
  KnownType& added = known[&info];
  added.name = stripTypename(info.name());
  return added;
}
}  // namespace

std::map<std::string, ParentList>& getHeirarchy() {
  tableGeneration++;
  return table();
}

std::string const& getTypeName(std::type_info const& info) { return knownType(info).name; }

unsigned getClassTableGeneration() { return tableGeneration; }

bool isTypeOf(std::type_info const& info, std::string const& testType) {
  KnownType& type = knownType(info);
  if (type.name == testType) return true;
  if (bDebugFunction) return hasParent(type.name, testType);
  if (!type.entry || type.generation != tableGeneration) {
    std::map<std::string, ParentList>& classes = table();
    if (classes.find(type.name) == classes.end())
      recordError("Error: Object type not found:", type.name);
    type.entry = &classes[type.name];
    type.generation = tableGeneration;
  }
  for (std::string const& name : type.entry->parentsRef())
    if (name == testType) return true;
  return false;
}

namespace {
void enterClass(std::string const& className, std::vector<std::string> const& parents) {
  tableGeneration++;
  ParentList& entry = table()[className];
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
  ancestorBudget = kMaxAncestorTotal;
  bBudgetReported = false;
  std::map<std::string, ParentList>& table = ::table();
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
// Direct parents are kept while the list has room, whatever the table's budget.
void appendBounded(Closing& closing, std::vector<std::string> const& names, bool bDirect) {
  for (std::string const& name : names) {
    if (!bDirect && ancestorBudget <= 0) {
      if (!bBudgetReported)
        recordError("Error: class table holds more than " + intToString(kMaxAncestorTotal) +
                        " ancestors, lists cut from class:",
                    closing.type);
      bBudgetReported = true;
      closing.bCut = true;
      return;
    }
    if (static_cast<int>(closing.all.size()) >= kMaxAncestors) {
      if (!closing.bCut)
        recordError(
            "Error: more than " + intToString(kMaxAncestors) + " ancestors, list cut for class:",
            closing.type);
      closing.bCut = true;
      return;
    }
    closing.all.push_back(name);
    if (!bDirect) ancestorBudget--;
  }
}
}  // namespace

// A depth-first pre-order walk of the ancestors, each parent followed by its own list, done
// with a stack of its own so that a long chain of classes cannot exhaust the program's.
std::vector<std::string> getParents(std::string const& type) {
  debugFunc("gettingParents for:", type);
  std::map<std::string, ParentList>& table = ::table();
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
      appendBounded(top, std::vector<std::string>(1, parent), true);
      if (top.bCut) continue;
      debugFunc("gettingParents for:", parent);
      std::map<std::string, ParentList>::iterator entry = table.find(parent);
      if (entry == table.end()) {
        recordError("Error: type not found:", parent);
      } else if (entry->second.loadedAllParents()) {
        // Finished, or on a cycle back to a class still being built: its list as it stands.
        debugFunc("already loaded all parents");
        appendBounded(top, entry->second.parentsRef(), false);
      } else {
        beginClosing(stack, entry->second, parent);
      }
      continue;
    }
    std::vector<std::string> const finished = top.all;
    table[top.type].setParents(finished);
    stack.pop_back();
    if (stack.empty()) return finished;
    appendBounded(stack.back(), finished, false);
  }
}

bool hasParent(std::string const& objType, std::string const& testType) {
  debugFunc("inside hasParent");
  debugFunc("objType:", objType);
  debugFunc("testType:", testType);
  std::map<std::string, ParentList>& table = ::table();
  if (table.find(objType) == table.end()) recordError("Error: Object type not found:", objType);
  std::vector<std::string> const& parents = table[objType].parentsRef();
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
