// The level text's own number reading and writing give exactly what stream extraction and
// insertion give: the same value bits, the same stream state and the same characters taken or
// written, on odd and hostile text too.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "core/TextStream.h"

namespace {
unsigned bitsOf(float value) {
  unsigned bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::string rest(std::istream& in) {
  std::string left;
  in.clear();
  for (int c = in.rdbuf()->sbumpc(); c != EOF; c = in.rdbuf()->sbumpc())
    left += static_cast<char>(c);
  return left;
}

unsigned bitsOf(int value) { return static_cast<unsigned>(value); }

// Reads numbers of type T from the text with both readers, one by one, until the stream
// fails; every step must leave the same value (a marker stands in it before, for a read that
// leaves it alone), the same state and, at the end, the same characters unread.
template <class T, class Stream = std::istringstream>
void expectSameReadingFrom(std::string const& text) {
  Stream mine(text);
  std::istringstream theirs(text);
  for (int step = 0; step < 40; step++) {
    T mineValue = T(12345.5), theirValue = T(12345.5);
    readNumber(mine, mineValue);
    theirs >> theirValue;
    ASSERT_EQ(bitsOf(mineValue), bitsOf(theirValue)) << "text [" << text << "] step " << step;
    ASSERT_EQ(mine.rdstate(), theirs.rdstate()) << "text [" << text << "] step " << step;
    if (!theirs) break;
  }
  // Once failed, a read changes nothing but the failure bit.
  T mineValue = T(1.5), theirValue = T(1.5);
  readNumber(mine, mineValue);
  theirs >> theirValue;
  EXPECT_EQ(bitsOf(mineValue), bitsOf(theirValue)) << "text [" << text << "]";
  EXPECT_EQ(mine.rdstate(), theirs.rdstate()) << "text [" << text << "]";
  EXPECT_EQ(rest(mine), rest(theirs)) << "text [" << text << "]";
}

// Through a stream buffer, and from text in memory, which is read in place.
template <class T>
void expectSameReading(std::string const& text) {
  expectSameReadingFrom<T, std::istringstream>(text);
  expectSameReadingFrom<T, TextStream>(text);
}

void expectSameReadingOfBoth(std::string const& text) {
  expectSameReading<float>(text);
  expectSameReading<int>(text);
}
}  // namespace

TEST(NumberTextTest, ReadingOddNumbersGivesWhatExtractionGives) {
  std::vector<std::string> const cases = {"",
                                          " ",
                                          "12",
                                          "  -7.25\n",
                                          "+3",
                                          "-",
                                          "+",
                                          ".",
                                          "-.",
                                          ".5",
                                          "5.",
                                          "1.2.3",
                                          "1e",
                                          "1e+",
                                          "1e-",
                                          "1e5",
                                          "1E5",
                                          "e5",
                                          "-e5",
                                          ".e1",
                                          "0.e1",
                                          "1e5e6",
                                          "1e5.2",
                                          "0001.5",
                                          "-000",
                                          "00",
                                          "0x1p3",
                                          "inf",
                                          "-inf",
                                          "nan",
                                          "NAN",
                                          "1e39",
                                          "-1e39",
                                          "3.4028235e38",
                                          "3.4028236e38",
                                          "1e-39",
                                          "1e-46",
                                          "1e-50",
                                          "123456789012345678901234567890",
                                          "0.000000000000000000000000000000000000000000001",
                                          "1,5",
                                          "1;2",
                                          "\t\v\f\r 8",
                                          "7\xff",
                                          "\xe2\x80\x83 5",
                                          "4 5 6 END_OBJECTS 7",
                                          "1-2",
                                          "--1",
                                          "+-1",
                                          "1e+-2",
                                          "12abc",
                                          std::string("3\0 4", 4),
                                          "99999999999999999999999999999999999999999999.5e-10",
                                          "2147483647",
                                          "2147483648",
                                          "-2147483648",
                                          "-2147483649",
                                          "9223372036854775807",
                                          "9223372036854775808",
                                          "-9223372036854775808",
                                          "-9223372036854775809",
                                          "18446744073709551616",
                                          "-0",
                                          "+0",
                                          "0x10",
                                          "0X",
                                          "007",
                                          "-007x",
                                          "00.5",
                                          "1 -1 0 -1"};
  for (std::string const& text : cases) expectSameReadingOfBoth(text);
}

TEST(NumberTextTest, ReadingRandomTextGivesWhatExtractionGives) {
  std::mt19937 random(17);
  std::string const alphabet = " \n\t+-.eE0123456789000x,\xff";
  for (int i = 0; i < 20000; i++) {
    std::string text;
    int const length = static_cast<int>(random() % 24);
    for (int k = 0; k < length; k++) text += alphabet[random() % alphabet.size()];
    expectSameReadingOfBoth(text);
  }
}

// Decimals that round to a float in every way: short and long, exactly halfway between two
// floats (ties go to the even one), a hair either side of halfway, and denormals.
TEST(NumberTextTest, ReadingDecimalsAtRoundingEdgesGivesWhatExtractionGives) {
  std::mt19937 random(29);
  std::uniform_real_distribution<float> place(1.0f, 2.0f);
  for (int i = 0; i < 4000; i++) {
    float const low = std::ldexp(place(random), static_cast<int>(random() % 260) - 140);
    float const high = std::nextafter(low, std::numeric_limits<float>::infinity());
    long double const half = (static_cast<long double>(low) + high) / 2;
    std::ostringstream text;
    text.precision(60);
    text << (random() % 2 ? "-" : "") << half << ' ' << half * (1 + 1e-12L) << ' '
         << half * (1 - 1e-12L) << ' ';
    text.precision(static_cast<int>(random() % 12) + 1);
    text << low << ' ';
    text.precision(9);
    text << std::scientific << high << " +" << low;
    expectSameReading<float>(text.str());
  }
}

TEST(NumberTextTest, WritingGivesTheCharactersOfInsertion) {
  std::mt19937 random(3);
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                0.5,
                                100000,
                                999999.5,
                                1e6,
                                1234567,
                                1e-5,
                                0.0001,
                                123.456789,
                                -2.5e-300,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<float>::max(),
                                std::numeric_limits<double>::denorm_min(),
                                5,
                                -5,
                                999999,
                                -999999,
                                -1e6,
                                1000001,
                                123456,
                                -0.5,
                                2147483648.0,
                                -1e15};
  std::uniform_real_distribution<float> place(-6000, 6000);
  for (int i = 0; i < 20000; i++) {
    float const f = place(random);
    values.push_back(f);
    values.push_back(f / 1000);
    values.push_back(std::ldexp(f, static_cast<int>(random() % 200) - 100));
    // Whole numbers on both sides of a million, where the form turns scientific.
    values.push_back(std::trunc(f * 200));
  }
  for (double value : values) {
    std::ostringstream mine, theirs;
    writeNumber(mine, value);
    theirs << value;
    ASSERT_EQ(mine.str(), theirs.str()) << value;
  }
  // A stream with its own settings is written by insertion itself.
  std::ostringstream mine, theirs;
  mine.precision(10);
  theirs.precision(10);
  writeNumber(mine, 1.0 / 3);
  theirs << 1.0 / 3;
  EXPECT_EQ(mine.str(), theirs.str());
}

namespace {
// A locale that writes and reads a decimal comma.
struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

template <class Stream>
void expectReadingFollowsTheLocale() {
  std::string const text = "1.5 2,5 3,5 4,5 5,5";
  std::locale const comma(std::locale::classic(), new DecimalComma);
  Stream mine(text);
  std::istringstream theirs(text);
  auto expectSameStep = [&](char const* step) {
    float mineValue = 9, theirValue = 9;
    readNumber(mine, mineValue);
    theirs >> theirValue;
    EXPECT_EQ(bitsOf(mineValue), bitsOf(theirValue)) << step;
    EXPECT_EQ(mine.rdstate(), theirs.rdstate()) << step;
  };
  expectSameStep("classic");
  mine.imbue(comma);
  theirs.imbue(comma);
  expectSameStep("imbued");
  expectSameStep("imbued, again");
  // copyfmt brings the other stream's locale with its format.
  std::istringstream classicFormat;
  mine.copyfmt(classicFormat);
  theirs.copyfmt(classicFormat);
  expectSameStep("classic again");
  std::istringstream commaFormat;
  commaFormat.imbue(comma);
  mine.copyfmt(commaFormat);
  theirs.copyfmt(commaFormat);
  expectSameStep("comma again");
  EXPECT_EQ(rest(mine), rest(theirs));
}
}  // namespace

// A stream that changes its locale between numbers is read and written in the new one.
TEST(NumberTextTest, AStreamGivenAnotherLocaleIsReadAndWrittenInIt) {
  expectReadingFollowsTheLocale<std::istringstream>();
  expectReadingFollowsTheLocale<TextStream>();
  std::ostringstream mine, theirs;
  writeNumber(mine, 1.5);
  theirs << 1.5;
  std::locale const comma(std::locale::classic(), new DecimalComma);
  mine.imbue(comma);
  theirs.imbue(comma);
  mine << ' ';
  theirs << ' ';
  writeNumber(mine, 2.5);
  theirs << 2.5;
  EXPECT_EQ(mine.str(), theirs.str());
  EXPECT_EQ(mine.str(), "1.5 2,5");
}
