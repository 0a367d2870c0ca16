#include "core/Xml.h"

#include <vector>

#include "core/Debug.h"
#include "core/GetParents.h"
#include "core/StringConversions.h"
#include "presentation/Sprite.h"

// ---- Reading

std::string getNextTag(std::istream& in) {
  std::string s;
  if (!(in >> s)) return "";
  debugFunc("getting next tag, s:", s);
  while (startsWith(s, "<!--")) {
    std::string comment = s;
    while (!endsWith(comment, "-->")) {
      std::string word;
      // A comment left open at the end of the input ends the input.
      if (!(in >> word)) {
        debugFunc("Read comment:", comment);
        return "";
      }
      comment += " " + word;
    }
    debugFunc("Read comment:", comment);
    s.clear();
    if (!(in >> s)) return "";
  }
  return s;
}

bool isTag(std::string const& s) { return !s.empty() && s[0] == '<'; }

std::string stripTag(std::string const& s) {
  if (s.size() < 2) return "";
  return s.substr(1, s.size() - 2);
}

namespace {
bool canRead(std::istream& in) { return in.good(); }

// "<", "<>" and "<x" name nothing; they are logged and passed over.
bool isEmptyTag(std::string const& token) { return isTag(token) && stripTag(token).empty(); }

void skipEmptyTag(std::string const& token) {
  recordError("Error: empty tag skipped in readElement, token:", token);
}
}  // namespace

void readElement(std::istream& in, XmlElement& element, std::string const& newTag) {
  debugFunc("reading element");
  if (newTag.empty()) {
    debugFunc("reading first element");
    std::string s = getNextTag(in);
    while (isEmptyTag(s)) {
      skipEmptyTag(s);
      s = getNextTag(in);
    }
    if (s.empty()) {
      // Nothing to read: an empty or unreadable stream.
      recordError("Error: hit end of file in readElement");
      return;
    }
    if (!isTag(s)) recordError("String is not a tag in read element, string:", s);
    element.setTag(stripTag(s));
  } else {
    element.setTag(newTag);
  }
  debugFunc("set tag to:", element.getTag());
  debugFunc("at the gates of the loop");
  // The open elements, innermost last. A child is built in place inside its parent, so no
  // finished subtree is ever copied and reading stays linear in the input. Only the innermost
  // element's list grows, so the pointers to its ancestors stay valid.
  std::vector<XmlElement*> open(1, &element);
  while (!open.empty()) {
    XmlElement& current = *open.back();
    debugFunc("here we go, bQuit:", false);
    if (!canRead(in)) {
      // Each open level reports the end, as it would on its own.
      for (size_t i = 0; i < open.size(); i++) recordError("Error: hit end of file in readElement");
      return;
    }
    std::string s = getNextTag(in);
    debugFunc("next string:", s);
    if (s.empty()) continue;  // the fetch ran into the end; the test above reports it
    if (!isTag(s)) {
      debugFunc("adding argument:", s);
      current.addArgument(s);
    } else {
      debugFunc("is a tag");
      std::string name = stripTag(s);
      if (isEmptyTag(s)) {
        skipEmptyTag(s);
      } else if (name == "/" + current.getTag()) {
        debugFunc("hit end tag for element with tag:", current.getTag());
        debugFunc("bQuit:", true);
        debugFunc("still looping, bQuit:", true);
        debugFunc("outside of loop");
        open.pop_back();
        if (open.empty()) return;
        debugFunc("done reading sub-element:", name.substr(1));
        debugFunc("parent element:", open.back()->getTag());
      } else if (name[0] == '/') {
        recordError("Unexpected end tag found: /", name);
        recordError("Expected: /", current.getTag());
      } else if (static_cast<int>(open.size()) >= kMaxMarkupDepth) {
        recordError("Error: markup nested deeper than " + intToString(kMaxMarkupDepth) +
                        " levels, reading stopped at tag:",
                    name);
        return;
      } else {
        debugFunc("Reading additional Element:", name);
        debugFunc("reading element");
        current.addArgument(XmlElement());
        Arguments& args = current.getArguments();
        XmlElement& child = args.at(args.size() - 1).getAsElement();
        child.setTag(name);
        debugFunc("set tag to:", name);
        debugFunc("at the gates of the loop");
        open.push_back(&child);
        continue;
      }
    }
    debugFunc("still looping, bQuit:", false);
  }
}

// ---- Writing

void indent(int numTabs, std::ostream& out) {
  for (int i = 0; i < numTabs; i++) out << "    ";
}

void printElement(XmlElement& element) {
  debugFunc(element.getTag());
  Arguments& args = element.getArguments();
  for (int i = 0; i < args.size(); i++) {
    if (args.at(i).isElement())
      printElement(args.at(i).getAsElement());
    else
      debugFunc(args.at(i).getAsString());
  }
}

bool handleArgs(Arguments& args, XmlIterator& iterator) {
  debugFunc("handling args, args.size():", args.size());
  if (!args.loop(iterator.it)) return false;
  iterator.setTo(&args.at(iterator.it).getAsElement());
  return true;
}

// ---- XmlElement

XmlElement::XmlElement() {}
XmlElement::XmlElement(XmlElement const& other) : tag(other.tag), arguments(other.arguments) {}
XmlElement& XmlElement::operator=(XmlElement const& other) {
  tag = other.tag;
  arguments = other.arguments;
  return *this;
}
XmlElement::~XmlElement() {}

void XmlElement::setTo(XmlElement const& other) {
  tag = other.tag;
  for (int i = 0; i < other.arguments.size(); i++) arguments.push_back(other.arguments.getAt(i));
}

void XmlElement::addArgument(XmlElement const& subElement) {
  arguments.push_back(XmlArgument(subElement));
}

void XmlElement::addArgument(std::string const& text) { arguments.push_back(XmlArgument(text)); }

float XmlElement::getFloatArg() const {
  if (arguments.size() > 0 && !arguments.getAt(0).isElement())
    return stringToFloat(arguments.getAt(0).getAsString());
  return -1.0f;
}

std::string XmlElement::getStringArg() const {
  if (arguments.size() > 0 && !arguments.getAt(0).isElement())
    return arguments.getAt(0).getAsString();
  return "";
}

void XmlElement::save(std::ostream& out, int numTabs) {
  indent(numTabs, out);
  out << "<" << tag << "> ";
  // Texts follow the start tag on its line; each child starts one level deeper and the parent's
  // indentation follows it. Elements that mix both keep every argument in order.
  for (int i = 0; i < arguments.size(); i++) {
    XmlArgument& arg = arguments.at(i);
    if (arg.isElement()) {
      arg.getAsElement().save(out, numTabs + 1);
      indent(numTabs, out);
    } else {
      out << arg.getAsString() << " ";
    }
  }
  out << "</" << tag << ">" << '\n';
}

// ---- XmlArgument

XmlArgument::XmlArgument(XmlElement const& newElement) : bIsElement(true), element(newElement) {}
XmlArgument::XmlArgument(std::string const& text) : bIsElement(false), s(text) {}
XmlArgument::XmlArgument(XmlArgument const& other)
    : bIsElement(other.bIsElement), element(other.element), s(other.s) {}
XmlArgument& XmlArgument::operator=(XmlArgument const& other) {
  bIsElement = other.bIsElement;
  element = other.element;
  s = other.s;
  return *this;
}
XmlArgument::~XmlArgument() {}

XmlElement& XmlArgument::getAsElement() {
  if (!bIsElement)
    recordError("Error: getting argument as element, but argument is not an element");
  return element;
}

XmlElement const& XmlArgument::getAsElement() const {
  if (!bIsElement)
    recordError("Error: getting argument as element, but argument is not an element");
  return element;
}

std::string XmlArgument::getAsString() const {
  if (bIsElement) {
    recordError("Error: getting argument as string, but argument is an element");
    return "";
  }
  if (!s.empty() && s[0] == '"')
    recordError("Error: strings shouldn't be surrounded by quotes, string:", s);
  return s;
}

Arguments& XmlArgument::getArguments() {
  if (!bIsElement)
    recordError("Error: calling getArguments from Xml_Argument that is not an element, s:", s);
  return getAsElement().getArguments();
}

// ---- Comparing

// Only the part an argument stands for is compared: a text's unused element and an
// element's unused text are always empty.
bool sameArguments(Arguments const& a, Arguments const& b) {
  if (a.size() != b.size()) return false;
  for (int i = 0; i < a.size(); i++) {
    XmlArgument const& x = a.getAt(i);
    XmlArgument const& y = b.getAt(i);
    if (x.bIsElement != y.bIsElement) return false;
    if (x.bIsElement ? !sameElements(x.element, y.element) : x.s != y.s) return false;
  }
  return true;
}

bool sameElements(XmlElement const& a, XmlElement const& b) {
  return a.getTag() == b.getTag() && sameArguments(a.getArguments(), b.getArguments());
}

// ---- XmlParameters

XmlParameters::XmlParameters(Arguments const& args) {
  debugFunc("XmlParmaters constructor");
  if (args.size() == 0) {
    // Left without name and properties; a lookup by name never finds it.
    recordError("Error: no arguments passed to XmlParameters constructor");
    return;
  }
  myVect = args.getVect();
  debugFunc("copied arguments");
  name = myVect.at(0).getAsElement().getStringArg();
  debugFunc("set name");
  eraseAt(0);
  debugFunc("erased");
}

XmlParameters::XmlParameters(XmlParameters const& other)
    : VectorInterface<XmlArgument>(other), name(other.name) {}
XmlParameters& XmlParameters::operator=(XmlParameters const& other) {
  VectorInterface<XmlArgument>::operator=(other);
  name = other.name;
  return *this;
}
XmlParameters::~XmlParameters() {}

// ---- XmlObject

XmlObject::XmlObject() : id(0) {}
XmlObject::~XmlObject() {}

void XmlObject::handleName(std::string const& newName) {
  name = newName;
  // A sprite's type names its image.
  if (!isOfType(this, "Sprite")) return;
  Sprite* sprite = dynamic_cast<Sprite*>(this);
  if (sprite) sprite->loadFrame(newName, true);
}

void XmlObject::setType(XmlParameters& parameters) {
  debugFunc("setting type:", parameters.getName());
  handleName(parameters.getName());
  debugFunc("handled name");
  for (int i = 0; i < parameters.size(); i++) handleElement(parameters.at(i).getAsElement());
}

void XmlObject::setType(VectorInterface<XmlParameters>& typeList, std::string const& newName) {
  debugFunc("setting type from string:", newName);
  debugFunc("typeList.size():", typeList.size());
  for (int i = 0; i < typeList.size(); i++) {
    debugFunc("typeList.at(i).getName():", typeList.at(i).getName());
    if (typeList.at(i).getName() == newName) {
      setType(typeList.at(i));
      return;
    }
  }
  recordError("Error: type not found in XmlObject::setType:", newName);
}
