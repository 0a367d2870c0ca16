// The tag markup of the data files and of the trigger trees in levels: a stream is cut into
// tokens at whitespace, a token beginning with '<' is a tag, anything else is text.
// Trees are plain values; XmlObject and XmlParameters configure objects from named types.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/VectorUtils.h"

class XmlArgument;
class Arguments;
// Equal lists: the same texts and child elements (same tags, equal lists) in the same order.
bool sameArguments(Arguments const& a, Arguments const& b);

// The ordered children of one element: child elements and text tokens.
class Arguments : public VectorInterface<XmlArgument> {};

class XmlElement {
 public:
  XmlElement();
  XmlElement(XmlElement const& other);
  XmlElement& operator=(XmlElement const& other);
  // Moves, so that growing lists of elements does not copy whole subtrees.
  XmlElement(XmlElement&& other) noexcept = default;
  XmlElement& operator=(XmlElement&& other) noexcept = default;
  virtual ~XmlElement();

  void setTo(XmlElement const& other);
  void addArgument(XmlElement const& subElement);
  void addArgument(std::string const& text);
  void setTag(std::string const& newTag) { tag = newTag; }
  std::string getTag() const { return tag; }
  Arguments& getArguments() { return arguments; }
  Arguments const& getArguments() const { return arguments; }
  float getFloatArg() const;
  std::string getStringArg() const;
  void save(std::ostream& out, int numTabs);

 private:
  std::string tag;
  Arguments arguments;
};

class XmlArgument {
 public:
  explicit XmlArgument(XmlElement const& newElement);
  explicit XmlArgument(std::string const& text);
  XmlArgument(XmlArgument const& other);
  XmlArgument& operator=(XmlArgument const& other);
  XmlArgument(XmlArgument&& other) noexcept = default;
  XmlArgument& operator=(XmlArgument&& other) noexcept = default;
  virtual ~XmlArgument();

  bool isElement() const { return bIsElement; }
  XmlElement& getAsElement();
  XmlElement const& getAsElement() const;
  std::string getAsString() const;
  Arguments& getArguments();

 private:
  friend bool sameArguments(Arguments const& a, Arguments const& b);

  bool bIsElement;
  XmlElement element;
  std::string s;
};

// A named type definition: the arguments of a definition element, less the first child,
// whose text is the name.
class XmlParameters : public VectorInterface<XmlArgument> {
 public:
  explicit XmlParameters(Arguments const& args);
  XmlParameters(XmlParameters const& other);
  XmlParameters& operator=(XmlParameters const& other);
  virtual ~XmlParameters();

  std::string getName() const { return name; }

 private:
  std::string name;
};

// Mix-in of objects configured from a type definition.
class XmlObject {
 public:
  XmlObject();
  virtual ~XmlObject();
  virtual void handleName(std::string const& newName);
  virtual void handleElement(XmlElement& element) = 0;

  void setType(XmlParameters& parameters);
  void setType(VectorInterface<XmlParameters>& typeList, std::string const& newName);
  std::string getName() const { return name; }
  std::string getType() const { return name; }

  int id;

 protected:
  std::string name;
};

// Cursor over the child elements of an argument list, stepped by handleArgs.
class XmlIterator {
 public:
  XmlIterator() : element(nullptr) {}
  virtual ~XmlIterator() {}

  std::string tag() const { return element->getTag(); }
  std::string s() const { return element->getStringArg(); }
  float num() const { return element->getFloatArg(); }
  Arguments& args() const { return element->getArguments(); }
  void setTo(XmlElement* newElement) { element = newElement; }

  It it;
  // Unset until the first successful step.
  XmlElement* element;
};

// Deepest nesting that readElement takes. The shipped files nest 5 levels; trees are copied,
// written and destroyed recursively, so a bound far above any real file keeps those well
// inside the stack. A deeper start tag stops the read with an error line.
constexpr int kMaxMarkupDepth = 256;

// Equal trees: the same tag and equal argument lists.
bool sameElements(XmlElement const& a, XmlElement const& b);

std::string getNextTag(std::istream& in);
bool isTag(std::string const& s);
std::string stripTag(std::string const& s);
void readElement(std::istream& in, XmlElement& element, std::string const& newTag);
void indent(int numTabs, std::ostream& out);
void printElement(XmlElement& element);
bool handleArgs(Arguments& args, XmlIterator& iterator);
