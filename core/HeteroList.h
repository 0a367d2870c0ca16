// An owning list of objects of many classes over one base, the prototypes from which such
// objects are made by class name, and the object section of level files: per object its class
// name and its own text, closed by "END_OBJECTS".
#pragma once

#include <fstream>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "core/Debug.h"
#include "core/GetParents.h"

extern char const* const END_STRING;

// Whether nothing but white space follows in a stream that failed: its record was cut short by
// the end of the file. The stream is left failed.
bool isCutShort(std::istream& in);

// Leaves the stream in front of the next word that starts a record (bStartsRecord) or of
// "END_OBJECTS": where reading goes on after a record that was refused.
void skipToNextRecord(std::istream& in,
                      std::function<bool(std::string const&)> const& bStartsRecord);

namespace hetero_list_detail {
// The copy a prototype makes, seen as the list's base: an upcast, or a tested downcast.
template <class Base, class Copy>
Base* asBase(Copy* copy, std::true_type /*implicit*/) {
  return copy;
}
template <class Base, class Copy>
Base* asBase(Copy* copy, std::false_type) {
  return dynamic_cast<Base*>(copy);
}
}  // namespace hetero_list_detail

template <class Base, class Proto>
class HeteroList {
 public:
  typedef typename std::vector<Base*>::const_iterator iterator;

  HeteroList() {}
  HeteroList(HeteroList const&) = delete;
  HeteroList& operator=(HeteroList const&) = delete;
  virtual ~HeteroList() {
    destroyAll();
    for (size_t i = 0; i < prototypes.size(); i++) {
      if (!prototypes[i]) {
        recordError("Error: NULL prototype");
        continue;
      }
      delete prototypes[i];
    }
  }

  // The list takes ownership.
  virtual void newObject(Base* obj) { mainList.push_back(obj); }

  // Takes the first entry equal to obj out of the list; destroys it when bDelete is set.
  virtual void deleteObject(Base* obj, bool bDelete) {
    for (size_t i = 0; i < mainList.size(); i++) {
      if (mainList[i] == obj) {
        eraseAt(static_cast<int>(i));
        if (bDelete) delete obj;
        return;
      }
    }
  }

  // Destroys every object and empties the list; typed lists are not touched.
  virtual void deleteObjects() {
    debugFunc("deleting objects from list:", getType(this));
    destroyAll();
    debugFunc("deleted, bouta clear");
    clearList();
    debugFunc("cleared");
  }

  // The object leaves the list and is handed back to the caller, who owns it from then on.
  void removeObject(Base* obj) { deleteObject(obj, false); }

  // Empties the list without destroying anything.
  void clear() {
    debugFunc("clearing mainList");
    clearList();
    debugFunc("cleared mainList");
  }

  void setPrototypes(std::vector<Proto*> const& protos) {
    for (size_t i = 0; i < prototypes.size(); i++) delete prototypes[i];
    prototypes.clear();
    for (size_t i = 0; i < protos.size(); i++) prototypes.push_back(protos[i]);
  }

  // The list is read from outside, never written: objects come and go only through the
  // functions above (and erase), which the managers keep their own books by.
  int size() const { return static_cast<int>(mainList.size()); }
  Base* at(int index) const { return mainList.at(index); }
  iterator begin() const { return mainList.begin(); }
  iterator end() const { return mainList.end(); }
  // Takes the entry at position out of the list without destroying its object.
  iterator erase(iterator position) {
    int index = static_cast<int>(position - mainList.begin());
    iterator next = mainList.erase(position);
    noteErased(index);
    return next;
  }
  std::vector<Base*> const& getVect() const { return mainList; }
  std::vector<Base*> const& getList() const { return mainList; }

  // Reads records up to "END_OBJECTS" and leaves the stream right after it. False when a
  // record names a class without a prototype (the stream then stands after that name) or a
  // prototype makes no object. A record holding a number it cannot take (text that is no
  // number, or one out of range) is refused with a log line naming source and the record, and
  // reading goes on at the next record.
  bool loadObjects(std::istream& in, std::string const& source = "") {
    int record = 0;
    if (bDebugList) debug("Loading objects for HeteroList of type: ", typeid(Proto).name());
    while (true) {
      std::string objType;
      if (!(in >> objType)) break;
      // A word that runs into the end of the file is not a record.
      if (in.eof()) break;
      if (bDebugList) debug("objType:", objType);
      if (objType == END_STRING) break;
      if (prototypes.empty()) recordError("Error: No prototypes in loadObjects");
      Proto* proto = findPrototype(objType);
      if (!proto) {
        recordError("Error: Object of type not found.  Type:");
        recordError(objType);
        recordError("Need to set prototypes?");
        return false;
      }
      auto* copy = proto->makeCopy();
      if (!copy) {
        recordError("Error: makeCopy gave no object for type:", objType);
        return false;
      }
      if (getType(copy) != objType)
        recordError(objType + " doesn't match " + getType(copy) +
                    ", makeCopy not implemented for derived object?");
      Base* obj =
          hetero_list_detail::asBase<Base>(copy, std::is_convertible<decltype(copy), Base*>());
      if (!obj) {
        recordError("Error: copy cannot join this list, type:", getType(copy));
        delete copy;
        return false;
      }
      if (bDebugList) debug("loading ", getType(copy));
      record++;
      copy->initFromFile(in);
      // A record cut short by the end of the file keeps what was read, as the last one.
      if (in.fail() && !in.eof() && !isCutShort(in)) {
        recordError("Error: level record refused:",
                    (source.empty() ? "" : source + " ") + objType + " " + std::to_string(record));
        delete copy;
        in.clear();
        skipToNextRecord(in, [this](std::string const& word) { return findPrototype(word); });
        continue;
      }
      if (bDebugList) debug("bouta call new object");
      newObject(obj);
      if (bDebugList) debug("added object to hetero list");
    }
    if (bDebugList) debug("Loaded objects for HeterList");
    return true;
  }

  // Writes the objects that are not Persistant to out; with a file name, the Persistant ones
  // to that file.
  void saveAllObjects(std::ostream& out, std::string const& persistFilename) {
    writeToFile(out, false);
    debugFunc("saved normal objects");
    if (persistFilename.empty()) return;
    debugFunc("saving persistant objects...");
    std::ofstream persistOut(persistFilename.c_str(), std::ios::trunc);
    debugFunc("opened persist file stream");
    writeToFile(persistOut, true);
    debugFunc("saved persitant objects");
  }

 protected:
  void writeToFile(std::ostream& out, bool bSavePersistants) {
    std::string const protoName = getTemplateType(static_cast<Proto*>(nullptr));
    for (size_t i = 0; i < mainList.size(); i++) {
      Base* obj = mainList[i];
      if (isOfType(obj, "Persistant") != bSavePersistants) continue;
      Proto* saver = dynamic_cast<Proto*>(obj);
      if (!saver || !isOfType(obj, protoName)) {
        recordError("Error: object cannot be saved:", getType(obj));
        recordError("because it's not of type:", protoName);
      }
      // Without a text of its own the whole record goes, so that the section stays readable.
      if (!saver) continue;
      std::string const type = getType(obj);
      debugFunc("Writing to file:", type);
      out << type << '\n';
      debugFunc("saving...");
      saver->saveToFile(out);
      out << '\n';
      debugFunc("saved");
    }
    out << END_STRING << '\n';
  }

  // Called after the entry at index has been taken out of mainList.
  virtual void noteErased(int /*index*/) {}
  // Called after mainList has been emptied.
  virtual void noteCleared() {}

  std::vector<Base*> mainList;
  std::vector<Proto*> prototypes;

 private:
  Proto* findPrototype(std::string const& objType) {
    for (size_t i = 0; i < prototypes.size(); i++)
      if (prototypes[i] && getType(prototypes[i]) == objType) return prototypes[i];
    return nullptr;
  }

  void eraseAt(int index) {
    mainList.erase(mainList.begin() + index);
    noteErased(index);
  }

  void clearList() {
    mainList.clear();
    noteCleared();
  }

  void destroyAll() {
    for (size_t i = 0; i < mainList.size(); i++) {
      if (bDebugFunction) debug("bouta delete:", getType(mainList[i]));
      delete mainList[i];
    }
  }
};
