#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/Debug.h"
#include "core/Xml.h"
#include "support/LogCapture.h"

typedef std::vector<std::string> Lines;

// With the function trace on, the reader reports each turn of its loop and how it left it.
TEST(XmlReadTrace, LoopTurnsAndItsEndAreTraced) {
  LogCapture log;
  bDebugFunction = true;
  std::istringstream in("<a> 1 </a>");
  XmlElement a;
  readElement(in, a, "");
  bDebugFunction = false;
  EXPECT_EQ(log.lines(),
            (Lines{"reading element", "reading first element", "getting next tag, s: <a>",
                   "set tag to: a", "at the gates of the loop", "here we go, bQuit: 0",
                   "getting next tag, s: 1", "next string: 1", "adding argument: 1",
                   "still looping, bQuit: 0", "here we go, bQuit: 0", "getting next tag, s: </a>",
                   "next string: </a>", "is a tag", "hit end tag for element with tag: a",
                   "bQuit: 1", "still looping, bQuit: 1", "outside of loop"}));
}

TEST(XmlReadTrace, NothingIsTracedWhileTheSwitchIsOff) {
  LogCapture log;
  std::istringstream in("<a> <!-- note --> 1 <b> x </b> </a>");
  XmlElement a;
  readElement(in, a, "");
  EXPECT_EQ(log.text(), "");
}
