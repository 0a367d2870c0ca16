// Level text read from memory reads as an istringstream over the same text: words, lines,
// characters, numbers, seeking and the stream state after each step.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "core/TextStream.h"

namespace {
// One step of reading, described by what it gave and the state it left.
using Step = std::function<std::string(std::istream&)>;

std::string stateOf(std::istream& in) {
  return std::to_string(in.rdstate()) + "@" + std::to_string(static_cast<long>(in.tellg()));
}

std::vector<Step> const steps = {
    [](std::istream& in) {
      std::string word;
      in >> word;
      return "word " + word;
    },
    [](std::istream& in) {
      float value = 7.5f;
      readNumber(in, value);
      return "float " + std::to_string(value);
    },
    [](std::istream& in) {
      int value = 7;
      readNumber(in, value);
      return "int " + std::to_string(value);
    },
    [](std::istream& in) {
      std::string line;
      std::getline(in, line);
      return "line " + line;
    },
    [](std::istream& in) { return "peek " + std::to_string(in.peek()); },
    [](std::istream& in) { return "get " + std::to_string(in.get()); },
    [](std::istream& in) {
      in.unget();
      return std::string("unget");
    },
    [](std::istream& in) {
      in.putback('x');
      return std::string("putback");
    },
    [](std::istream& in) { return "tell " + std::to_string(static_cast<long>(in.tellg())); },
    [](std::istream& in) {
      in.clear();
      in.seekg(3);
      return std::string("seek 3");
    },
    [](std::istream& in) {
      in.seekg(-2, std::ios_base::cur);
      return std::string("back 2");
    },
    [](std::istream& in) {
      in.seekg(1, std::ios_base::end);
      return std::string("past end");
    },
    [](std::istream& in) {
      in.clear();
      return std::string("clear");
    },
};
}  // namespace

TEST(TextStreamTest, ReadsAsAStringStreamOverTheSameText) {
  std::mt19937 random(11);
  std::string const alphabet = " \n\t-.e01234567x<>/";
  for (int round = 0; round < 3000; round++) {
    std::string text;
    int const length = static_cast<int>(random() % 30);
    for (int k = 0; k < length; k++) text += alphabet[random() % alphabet.size()];
    TextStream mine(text);
    std::istringstream theirs(text);
    for (int s = 0; s < 12; s++) {
      Step const& step = steps[random() % steps.size()];
      std::string const got = step(mine) + " " + stateOf(mine);
      std::string const expected = step(theirs) + " " + stateOf(theirs);
      ASSERT_EQ(got, expected) << "text [" << text << "] round " << round << " step " << s;
    }
  }
}
