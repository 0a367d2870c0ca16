#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/VectorUtils.h"
#include "support/LogCapture.h"

TEST(ListCursor, EmptyListEndsAtOnceWithCursorAtZero) {
  VectorInterface<int> list;
  It it;
  EXPECT_FALSE(list.loop(it));
  EXPECT_EQ(it.getInt(), 0);
}

TEST(ListCursor, VisitsEveryIndexThenStaysPastTheEndUntilReset) {
  VectorInterface<char> list;
  list.push_back('a');
  list.push_back('b');
  list.push_back('c');
  It it;
  std::string seen;
  while (list.loop(it)) seen += list.at(it);
  EXPECT_EQ(seen, "abc");
  EXPECT_EQ(it.getInt(), 3);
  EXPECT_FALSE(list.loop(it));
  EXPECT_EQ(it.getInt(), 4);
  it.reset();
  ASSERT_TRUE(list.loop(it));
  EXPECT_EQ(list.at(it), 'a');
}

TEST(ListCursor, ErasingAtTheCursorSkipsTheNextElement) {
  VectorInterface<char> list;
  for (char c : std::string("abc")) list.push_back(c);
  It it;
  std::string seen;
  while (list.loop(it)) {
    seen += list.at(it);
    if (list.at(it) == 'a') list.erase(it.getInt());
  }
  EXPECT_EQ(seen, "ac");
  EXPECT_EQ(list.size(), 2);
}

TEST(ListCursor, ElementsAppendedDuringAPassAreVisited) {
  VectorInterface<int> list;
  list.push_back(1);
  It it;
  int visited = 0;
  while (list.loop(it)) {
    visited++;
    if (list.at(it) < 3) list.push_back(list.at(it) + 1);
  }
  EXPECT_EQ(visited, 3);
}

TEST(List, RemovalByValueTakesTheFirstMatchOnlyAndLogsNothing) {
  LogCapture log;
  int a = 1, b = 2;
  VectorInterface<int*> list;
  list.push_back(&a);
  list.push_back(&b);
  list.push_back(&a);
  list.erase(&a);
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list.at(0), &b);
  EXPECT_EQ(list.at(1), &a);
  int absent = 3;
  list.erase(&absent);
  VectorInterface<int*> empty;
  empty.erase(&a);
  EXPECT_EQ(list.size(), 2);
  EXPECT_EQ(log.text(), "");
}

TEST(List, RemovalByIndexIgnoresOutOfRange) {
  VectorInterface<int> list;
  for (int v : {5, 6, 7}) list.push_back(v);
  list.eraseAt(-1);
  list.eraseAt(3);
  EXPECT_EQ(list.size(), 3);
  list.eraseAt(0);
  EXPECT_EQ(list.getVect(), (std::vector<int>{6, 7}));
}

TEST(List, RangeTestedAccessThrowsOutOfRange) {
  VectorInterface<int> list;
  list.push_back(1);
  EXPECT_THROW(list.at(1), std::out_of_range);
  EXPECT_THROW(list.getAt(-1), std::out_of_range);
}

TEST(List, CopiesOfPointerListsShareNothingButThePointers) {
  int a = 1;
  VectorInterface<int*> list;
  list.push_back(&a);
  {
    VectorInterface<int*> copy(list);
    copy.clear();
  }
  ASSERT_EQ(list.size(), 1);
  EXPECT_EQ(*list.at(0), 1);
}

TEST(VectorHelpers, MinMaxKeepTheEarlierOfTiesAndLogEmpty) {
  EXPECT_EQ(findMax(std::vector<float>{1.0f, 3.0f, 3.0f}), 3.0f);
  EXPECT_EQ(findMax(std::vector<float>{-2.0f, -5.0f}), -2.0f);
  EXPECT_EQ(findMin(std::vector<float>{4.0f, -1.0f, -1.0f}), -1.0f);
  LogCapture log;
  findMax(std::vector<float>());
  findMin(std::vector<float>());
  EXPECT_EQ(log.text(),
            "Error: Empty vector passed to findMax\nError: Empty vector passed to findMin\n");
}

TEST(VectorHelpers, PopAndAppend) {
  std::vector<int> v{1, 2};
  pop(v);
  EXPECT_EQ(v, std::vector<int>{2});
  std::vector<int> empty;
  pop(empty);
  EXPECT_TRUE(empty.empty());
  appendToVector(v, std::vector<int>{3, 4});
  EXPECT_EQ(v, (std::vector<int>{2, 3, 4}));
  eraseFromVector(v, 3);
  eraseIndexFromVector(5, v);
  EXPECT_EQ(v, (std::vector<int>{2, 4}));
}

class CasteBase {
 public:
  virtual ~CasteBase() {}
};
class CasteDerived : public CasteBase {};

TEST(VectorHelpers, DowncastGivesNullForOtherClassesAndKeepsLength) {
  CasteDerived d;
  CasteBase b;
  std::vector<CasteBase*> source{&d, &b, nullptr};
  std::vector<CasteDerived*> result = casteVector(source, static_cast<CasteDerived*>(nullptr));
  ASSERT_EQ(result.size(), 3u);
  EXPECT_EQ(result[0], &d);
  EXPECT_EQ(result[1], nullptr);
  EXPECT_EQ(result[2], nullptr);
  VectorInterface<CasteDerived*> list;
  list.push_back(&d);
  VectorInterface<CasteBase*> up = list.caste(static_cast<CasteBase*>(nullptr));
  EXPECT_EQ(up.at(0), &d);
}
