// Markup nested beyond any real file: the reader stops with an error line and keeps what it
// read, instead of running out of stack.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/Xml.h"
#include "support/LogCapture.h"

namespace {
std::string nested(int depth, bool bClosed) {
  std::string text;
  for (int i = 0; i < depth; i++) text += "<a> ";
  text += "x ";
  if (bClosed)
    for (int i = 0; i < depth; i++) text += "</a> ";
  return text;
}

// Levels of the chain of first children, counted without recursion.
int depthOf(XmlElement& root) {
  int depth = 1;
  XmlElement* element = &root;
  while (element->getArguments().size() > 0 && element->getArguments().at(0).isElement()) {
    element = &element->getArguments().at(0).getAsElement();
    depth++;
  }
  return depth;
}

int countLines(LogCapture const& log, std::string const& part) {
  int count = 0;
  for (std::string const& line : log.lines())
    if (line.find(part) != std::string::npos) count++;
  return count;
}
}  // namespace

TEST(XmlDepth, HundredThousandNestedTagsAreRefusedWithOneLineAndWhatWasReadIsKept) {
  for (bool bClosed : {true, false}) {
    LogCapture log;
    std::istringstream in(nested(100000, bClosed));
    XmlElement root;
    readElement(in, root, "");
    EXPECT_EQ(depthOf(root), kMaxMarkupDepth);
    EXPECT_EQ(root.getTag(), "a");
    std::vector<std::string> const lines = log.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Error: markup nested deeper than 256 levels", 0), 0u) << lines[0];
  }
}

TEST(XmlDepth, TheDeepestNestingTakenReadsAndWritesBackWithoutErrors) {
  LogCapture log;
  std::string const text = nested(kMaxMarkupDepth, true);
  std::istringstream in(text + "<b> y </b>");
  XmlElement root;
  readElement(in, root, "");
  EXPECT_EQ(depthOf(root), kMaxMarkupDepth);
  EXPECT_EQ(log.text(), "");
  // The stream stands right after the root's end tag.
  XmlElement next;
  readElement(in, next, "");
  EXPECT_EQ(next.getTag(), "b");
  EXPECT_EQ(next.getStringArg(), "y");

  std::ostringstream out;
  root.save(out, 0);
  std::istringstream back(out.str());
  XmlElement again;
  readElement(back, again, "");
  EXPECT_EQ(depthOf(again), kMaxMarkupDepth);
  EXPECT_EQ(log.text(), "");
}

TEST(XmlDepth, OneLevelTooDeepStopsTheReadWhereTheTagWas) {
  LogCapture log;
  std::istringstream in("<r> 1 " + nested(kMaxMarkupDepth, true) + " 2 </r>");
  XmlElement root;
  readElement(in, root, "");
  EXPECT_EQ(depthOf(root), 1);  // the first argument is the text 1
  ASSERT_EQ(root.getArguments().size(), 2);
  EXPECT_EQ(root.getArguments().at(0).getAsString(), "1");
  EXPECT_EQ(depthOf(root.getArguments().at(1).getAsElement()), kMaxMarkupDepth - 1);
  EXPECT_EQ(countLines(log, "Error: markup nested deeper than"), 1);
  EXPECT_EQ(countLines(log, "hit end of file"), 0);
}

TEST(XmlDepth, EveryOpenLevelStillReportsTheEndOfTheInput) {
  LogCapture log;
  std::istringstream in(nested(40, false));
  XmlElement root;
  readElement(in, root, "");
  EXPECT_EQ(depthOf(root), 40);
  EXPECT_EQ(countLines(log, "Error: hit end of file in readElement"), 40);
}
