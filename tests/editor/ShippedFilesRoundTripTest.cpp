// Every shipped level and data file reads and writes as it always has: a level loaded into the
// editor is written with the shipped file's words, and that is read and written again byte for
// byte; the markup of every file reads into the tree that a reader taking one call per level of
// nesting gives, and writes the same bytes.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Xml.h"
#include "editor/EditorFixture.h"
#include "game/Game.h"
#include "game/Level.h"

namespace {
std::vector<std::string> tokens(std::string const& text) {
  std::istringstream in(text);
  std::vector<std::string> result;
  for (std::string token; in >> token;) result.push_back(token);
  return result;
}

// The text with the level time (the line after the bounds) left out.
std::string withoutTime(std::string const& text) {
  size_t const bounds = text.find('\n', text.find("</triggerRoot>"));
  size_t const time = text.find('\n', bounds + 1);
  size_t const after = text.find('\n', time + 1);
  if (bounds == std::string::npos || time == std::string::npos || after == std::string::npos)
    return text;
  return text.substr(0, time) + text.substr(after);
}

// The reader as it was, one call per level: the yardstick for the shipped files.
void readNested(std::istream& in, XmlElement& element, std::string const& tag) {
  element.setTag(tag);
  while (in.good()) {
    std::string s = getNextTag(in);
    if (s.empty()) continue;
    if (!isTag(s)) {
      element.addArgument(s);
    } else if (stripTag(s) == "/" + tag) {
      return;
    } else if (stripTag(s)[0] != '/') {
      XmlElement child;
      readNested(in, child, stripTag(s));
      element.addArgument(child);
    }
  }
}

std::vector<std::string> shippedFiles(std::string const& folder, std::string const& extension) {
  std::vector<std::string> names;
  for (auto const& entry : std::filesystem::directory_iterator(folder))
    // The editor's scratch level, which tests leave behind, is no shipped file.
    if (entry.path().extension() == extension &&
        entry.path().filename().string().rfind("temp", 0) != 0)
      names.push_back(entry.path().string());
  return names;
}

class ShippedFilesTest : public EditorFixture {};
}  // namespace

TEST_F(ShippedFilesTest, EveryLevelLoadedIntoTheEditorIsWrittenWithItsWordsAndThenByteForByte) {
  std::vector<std::string> const levels = shippedFiles(".", ".lev");
  ASSERT_EQ(levels.size(), 5u);
  tapKey('t');
  ASSERT_EQ(gameState, getEditorState());
  for (std::string const& path : levels) {
    std::string const name = std::filesystem::path(path).filename().string();
    LogCapture log;
    // In the editor a level loads into the editor's objects, which the level writer writes.
    ASSERT_TRUE(loadLevel(name)) << name;
    ASSERT_TRUE(writeLevelFile("copy.lev", worldBounds.getLeft(), worldBounds.getTop(),
                               worldBounds.getRight(), worldBounds.getBottom()));
    std::string const written = readFile("copy.lev");
    std::string const shipped = readFile(name);
    // The shipped files are laid out by hand (the trigger tree, the order of a post's links):
    // the same words, in any order; the editor writes the time left on the level's clock.
    std::vector<std::string> writtenWords = tokens(withoutTime(written));
    std::vector<std::string> shippedWords = tokens(withoutTime(shipped));
    std::sort(writtenWords.begin(), writtenWords.end());
    std::sort(shippedWords.begin(), shippedWords.end());
    EXPECT_EQ(writtenWords, shippedWords) << name;
    // What the editor writes, it reads and writes again byte for byte.
    ASSERT_TRUE(loadLevel("copy.lev")) << name;
    ASSERT_TRUE(writeLevelFile("again.lev", worldBounds.getLeft(), worldBounds.getTop(),
                               worldBounds.getRight(), worldBounds.getBottom()));
    EXPECT_EQ(readFile("again.lev"), written) << name;
    for (std::string const& line : log.lines())
      EXPECT_EQ(line.find("Error"), std::string::npos) << name << ": " << line;
  }
}

TEST_F(ShippedFilesTest, EveryMarkupFileAndTriggerTreeReadsAsBeforeAndWritesTheSameBytes) {
  std::vector<std::string> files = shippedFiles("xml", ".xml");
  ASSERT_EQ(files.size(), 4u);
  for (std::string const& level : shippedFiles(".", ".lev")) files.push_back(level);
  for (std::string const& name : files) {
    LogCapture log;
    std::ifstream in(name.c_str());
    XmlElement element;
    readElement(in, element, "");
    std::ifstream again(name.c_str());
    std::string const first = getNextTag(again);
    XmlElement yardstick;
    readNested(again, yardstick, stripTag(first));
    std::ostringstream written, expected;
    element.save(written, 0);
    yardstick.save(expected, 0);
    EXPECT_EQ(written.str(), expected.str()) << name;
    EXPECT_GT(written.str().size(), 20u) << name;
    // What is written reads back into the same tree.
    std::istringstream back(written.str());
    XmlElement reread;
    readElement(back, reread, "");
    std::ostringstream rewritten;
    reread.save(rewritten, 0);
    EXPECT_EQ(rewritten.str(), written.str()) << name;
    EXPECT_EQ(log.text(), "") << name;
  }
}
