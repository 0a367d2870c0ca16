#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/Xml.h"
#include "support/LogCapture.h"

typedef std::vector<std::string> Lines;

namespace {
XmlElement readFrom(std::string const& text) {
  std::istringstream in(text);
  XmlElement element;
  readElement(in, element, "");
  return element;
}

std::string saved(XmlElement& element, int numTabs = 0) {
  std::ostringstream out;
  element.save(out, numTabs);
  return out.str();
}

// A compact picture of a tree: texts as they are, elements as tag[...].
std::string shape(XmlElement& element) {
  std::string result = element.getTag() + "[";
  Arguments& args = element.getArguments();
  for (int i = 0; i < args.size(); i++) {
    if (i > 0) result += " ";
    if (args.at(i).isElement())
      result += shape(args.at(i).getAsElement());
    else
      result += args.at(i).getAsString();
  }
  return result + "]";
}

XmlElement textElement(std::string const& tag, Lines const& texts) {
  XmlElement element;
  element.setTag(tag);
  for (std::string const& text : texts) element.addArgument(text);
  return element;
}
}  // namespace

TEST(XmlReader, NestedMixedElementInAnyLayout) {
  for (char const* text : {"<a> 1 <b> x </b> 2 </a>", "<a>\n1\n<b>\nx\n</b>\n2\n</a>\n",
                           "\t<a>\t1 <b>\tx\t\t</b> 2\t</a>", "  <a> 1 <b> x </b>\n\n 2 </a>  "}) {
    LogCapture log;
    XmlElement a = readFrom(text);
    EXPECT_EQ(shape(a), "a[1 b[x] 2]") << text;
    ASSERT_EQ(a.getArguments().size(), 3);
    EXPECT_FALSE(a.getArguments().at(0).isElement());
    EXPECT_TRUE(a.getArguments().at(1).isElement());
    EXPECT_EQ(a.getArguments().at(1).getAsElement().getStringArg(), "x");
    EXPECT_EQ(log.text(), "") << text;
  }
}

TEST(XmlReader, CommentsOfOneAndSeveralTokensAreSkipped) {
  struct Case {
    char const* text;
    char const* shape;
  };
  for (Case c : {Case{"<!-- before the root --> <a> 1 </a>", "a[1]"},
                 {"<!--one--> <a> <!--x--> 1 </a>", "a[1]"},
                 {"<a> 1 <!-- a comment <b> 2 </b> of several words --> 3 </a>", "a[1 3]"},
                 // Not nested: the first token ending in "-->" closes the comment.
                 {"<a> <!-- outer <!-- inner --> 4 --> </a>", "a[4 -->]"},
                 {"<a> <!-- </a> --> 5 </a>", "a[5]"}}) {
    LogCapture log;
    XmlElement a = readFrom(c.text);
    EXPECT_EQ(shape(a), c.shape) << c.text;
    EXPECT_EQ(log.text(), "") << c.text;
  }
}

TEST(XmlReader, TextRunningIntoAnEndTagIsOneTextToken) {
  LogCapture log;
  XmlElement a = readFrom("<a> 5</a>");
  EXPECT_EQ(shape(a), "a[5</a>]");
  EXPECT_EQ(log.lines(), Lines{"Error: hit end of file in readElement"});
}

TEST(XmlReader, StrayEndTagIsSkippedAndEveryOpenLevelReportsTheEnd) {
  LogCapture log;
  XmlElement a = readFrom("<a> <b> </a>");
  EXPECT_EQ(shape(a), "a[b[]]");
  EXPECT_EQ(log.lines(), (Lines{"Unexpected end tag found: / /a", "Expected: / b",
                                "Error: hit end of file in readElement",
                                "Error: hit end of file in readElement"}));
}

TEST(XmlReader, ReadsOneElementAtATimeAndStopsAfterItsEndTag) {
  std::istringstream in("<a> 1 </a> <b> 2 </b> rest");
  XmlElement a, b;
  readElement(in, a, "");
  readElement(in, b, "");
  EXPECT_EQ(shape(a), "a[1]");
  EXPECT_EQ(shape(b), "b[2]");
  std::string next;
  in >> next;
  EXPECT_EQ(next, "rest");
}

TEST(XmlReader, CallerMayHaveConsumedTheStartTag) {
  std::istringstream in("7 </speed> tail");
  XmlElement speed;
  readElement(in, speed, "speed");
  EXPECT_EQ(shape(speed), "speed[7]");
  EXPECT_FLOAT_EQ(speed.getFloatArg(), 7.0f);
}

TEST(XmlReader, FirstTokenThatIsNoTagIsLoggedAndStripped) {
  LogCapture log;
  XmlElement e = readFrom("xyz 1 </y>");
  EXPECT_EQ(shape(e), "y[1]");
  EXPECT_EQ(log.lines(), Lines{"String is not a tag in read element, string: xyz"});
}

TEST(XmlReaderFaults, CommentOpenAtTheEndOfTheInputEndsTheRead) {
  for (char const* text : {"<a> 1 <!-- never closed", "<!-- never closed", "<a> <!--"}) {
    LogCapture log;
    XmlElement a = readFrom(text);
    EXPECT_EQ(log.lines(), Lines{"Error: hit end of file in readElement"}) << text;
  }
  XmlElement kept = readFrom("<a> 1 <!-- open");
  EXPECT_EQ(shape(kept), "a[1]");
}

TEST(XmlReaderFaults, EmptyOrUnreadableInputIsLoggedAndGivesAnEmptyElement) {
  for (char const* text : {"", "   \n\t ", "<!-- only a comment -->"}) {
    LogCapture log;
    XmlElement e = readFrom(text);
    EXPECT_EQ(shape(e), "[]") << text;
    EXPECT_EQ(log.lines(), Lines{"Error: hit end of file in readElement"}) << text;
  }
  LogCapture log;
  std::istringstream broken("<a> 1 </a>");
  broken.setstate(std::ios::badbit);
  XmlElement e;
  readElement(broken, e, "");
  EXPECT_EQ(shape(e), "[]");
  EXPECT_EQ(log.lines(), Lines{"Error: hit end of file in readElement"});
}

TEST(XmlReaderFaults, EmptyTagsAreLoggedAndSkipped) {
  LogCapture log;
  XmlElement a = readFrom("<> <a> 1 < <> <b 2 </a>");
  EXPECT_EQ(shape(a), "a[1 2]");
  EXPECT_EQ(log.lines(), (Lines{"Error: empty tag skipped in readElement, token: <>",
                                "Error: empty tag skipped in readElement, token: <",
                                "Error: empty tag skipped in readElement, token: <>",
                                "Error: empty tag skipped in readElement, token: <b"}));
}

TEST(XmlElementArgs, FloatAndStringOfTheFirstArgument) {
  XmlElement empty;
  EXPECT_FLOAT_EQ(empty.getFloatArg(), -1.0f);
  EXPECT_EQ(empty.getStringArg(), "");
  XmlElement parent;
  parent.addArgument(textElement("b", {"3"}));
  parent.addArgument(std::string("4"));
  EXPECT_FLOAT_EQ(parent.getFloatArg(), -1.0f);
  EXPECT_EQ(parent.getStringArg(), "");
  XmlElement number = textElement("n", {"-2.5", "x"});
  EXPECT_FLOAT_EQ(number.getFloatArg(), -2.5f);
  EXPECT_EQ(number.getStringArg(), "-2.5");
}

TEST(XmlElementArgs, WrongKindOfArgumentIsLoggedAndEmpty) {
  LogCapture log;
  XmlArgument text(std::string("\"quoted\""));
  XmlArgument element(textElement("e", {"1"}));
  EXPECT_EQ(text.getAsString(), "\"quoted\"");
  EXPECT_EQ(element.getAsString(), "");
  EXPECT_EQ(text.getAsElement().getTag(), "");
  EXPECT_EQ(text.getArguments().size(), 0);
  EXPECT_EQ(element.getArguments().size(), 1);
  EXPECT_EQ(log.lines(),
            (Lines{"Error: strings shouldn't be surrounded by quotes, string: \"quoted\"",
                   "Error: getting argument as string, but argument is an element",
                   "Error: getting argument as element, but argument is not an element",
                   "Error: calling getArguments from Xml_Argument that is not an element, s: "
                   "\"quoted\"",
                   "Error: getting argument as element, but argument is not an element"}));
}

TEST(XmlElementCopy, CopiesAreDeep) {
  XmlElement a = readFrom("<a> <b> 1 </b> </a>");
  XmlElement copy(a);
  XmlElement set;
  set.setTo(a);
  a.getArguments().at(0).getAsElement().addArgument(std::string("2"));
  a.setTag("changed");
  EXPECT_EQ(shape(copy), "a[b[1]]");
  EXPECT_EQ(shape(set), "a[b[1]]");
  copy = a;
  EXPECT_EQ(shape(copy), "changed[b[1 2]]");
}

TEST(XmlWriter, ExactBytes) {
  XmlElement texts = textElement("a", {"5", "x"});
  EXPECT_EQ(saved(texts), "<a> 5 x </a>\n");
  EXPECT_EQ(saved(texts, 2), "        <a> 5 x </a>\n");
  XmlElement empty = textElement("a", {});
  EXPECT_EQ(saved(empty), "<a> </a>\n");

  XmlElement ship;
  ship.setTag("ship");
  ship.addArgument(textElement("name", {"fighter"}));
  ship.addArgument(textElement("speed", {"3"}));
  EXPECT_EQ(saved(ship),
            "<ship>     <name> fighter </name>\n"
            "    <speed> 3 </speed>\n"
            "</ship>\n");
  XmlElement root;
  root.setTag("xml");
  root.addArgument(ship);
  EXPECT_EQ(saved(root),
            "<xml>     <ship>         <name> fighter </name>\n"
            "            <speed> 3 </speed>\n"
            "    </ship>\n"
            "</xml>\n");
}

TEST(XmlWriter, WriteReadRoundTrip) {
  for (char const* text : {"<a> 5 x </a>", "<a> </a>",
                           "<xml> <ship> <name> f </name> <speed> 3 </speed> </ship> "
                           "<e> </e> <w> <p> <q> 1 2 3 </q> </p> </w> </xml>"}) {
    XmlElement original = readFrom(text);
    std::string first = saved(original);
    XmlElement again = readFrom(first);
    EXPECT_EQ(shape(again), shape(original)) << text;
    EXPECT_EQ(saved(again), first) << text;
  }
}

TEST(XmlWriterFaults, MixedTextAndChildrenAreAllWrittenInOrder) {
  for (char const* text : {"<a> 1 <b> x </b> 2 </a>", "<a> <b> x </b> 2 <c> </c> </a>",
                           "<t> if <c> 1 </c> then <d> <e> 2 </e> z </d> </t>"}) {
    LogCapture log;
    XmlElement original = readFrom(text);
    XmlElement again = readFrom(saved(original));
    EXPECT_EQ(shape(again), shape(original)) << text;
    EXPECT_EQ(log.text(), "") << text;
  }
  XmlElement mixed = readFrom("<a> 1 <b> x </b> 2 </a>");
  EXPECT_EQ(saved(mixed), "<a> 1     <b> x </b>\n2 </a>\n");
}

// ---- Type definitions and configured objects

class XmlTestConfigured : public XmlObject {
 public:
  void handleName(std::string const& newName) override {
    XmlObject::handleName(newName);
    names.push_back(newName);
  }
  void handleElement(XmlElement& element) override { elements.push_back(shape(element)); }
  Lines names;
  Lines elements;
};

TEST(XmlParametersTest, FirstChildNamesTheDefinition) {
  XmlElement definition = readFrom(
      "<holodisplay> <name> fighter </name> <speed> 3 </speed> <gun> laser </gun> </holodisplay>");
  XmlParameters parameters(definition.getArguments());
  EXPECT_EQ(parameters.getName(), "fighter");
  ASSERT_EQ(parameters.size(), 2);
  EXPECT_EQ(shape(parameters.at(0).getAsElement()), "speed[3]");

  XmlTestConfigured object;
  object.setType(parameters);
  EXPECT_EQ(object.names, Lines{"fighter"});
  EXPECT_EQ(object.elements, (Lines{"speed[3]", "gun[laser]"}));
  EXPECT_EQ(object.getName(), "fighter");
  EXPECT_EQ(object.getType(), "fighter");
}

TEST(XmlParametersTest, SetTypeByNameFindsTheFirstExactMatch) {
  VectorInterface<XmlParameters> types;
  for (char const* text :
       {"<t> <name> Fighter </name> <a> 1 </a> </t>", "<t> <name> fighter </name> <a> 2 </a> </t>",
        "<t> <name> fighter </name> <a> 3 </a> </t>"}) {
    XmlElement definition = readFrom(text);
    types.push_back(XmlParameters(definition.getArguments()));
  }
  XmlTestConfigured object;
  object.setType(types, "fighter");
  EXPECT_EQ(object.elements, Lines{"a[2]"});

  LogCapture log;
  XmlTestConfigured other;
  other.setType(types, "bomber");
  EXPECT_TRUE(other.names.empty());
  EXPECT_TRUE(other.elements.empty());
  EXPECT_EQ(other.getName(), "");
  EXPECT_EQ(log.lines(), Lines{"Error: type not found in XmlObject::setType: bomber"});
}

TEST(XmlParametersFaults, DefinitionWithoutChildrenIsLoggedAndEmpty) {
  LogCapture log;
  XmlElement empty = readFrom("<holodisplay> </holodisplay>");
  XmlParameters parameters(empty.getArguments());
  EXPECT_EQ(parameters.getName(), "");
  EXPECT_EQ(parameters.size(), 0);
  EXPECT_EQ(log.lines(), Lines{"Error: no arguments passed to XmlParameters constructor"});
  XmlTestConfigured object;
  object.setType(parameters);
  EXPECT_EQ(object.names, Lines{""});
  EXPECT_TRUE(object.elements.empty());
}

TEST(XmlIteratorTest, StepsOverTheChildElements) {
  XmlElement root = readFrom("<xml> <friction> 0.5 </friction> <zoom> 2 </zoom> </xml>");
  XmlIterator iter;
  Lines seen;
  while (handleArgs(root.getArguments(), iter)) {
    seen.push_back(iter.tag() + "=" + iter.s());
    EXPECT_EQ(iter.args().size(), 1);
  }
  EXPECT_EQ(seen, (Lines{"friction=0.5", "zoom=2"}));
  XmlIterator second;
  ASSERT_TRUE(handleArgs(root.getArguments(), second));
  EXPECT_FLOAT_EQ(second.num(), 0.5f);
}
