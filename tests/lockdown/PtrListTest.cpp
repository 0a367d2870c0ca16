#include <gtest/gtest.h>

#include <vector>

#include "lockdown/PtrList.h"

namespace lockdown {
namespace {

std::vector<int> Walk(const PtrList<int>& list) {
  std::vector<int> seen;
  for (PtrList<int>::Cursor c(list); !c.AtEnd(); c.Next()) seen.push_back(*c.Current());
  return seen;
}

TEST(PtrList, AppendAddsAtTheTailAndPrependAtTheFront) {
  int a = 1, b = 2, c = 3;
  PtrList<int> list;
  list.Append(&a);
  list.Append(&b);
  list.Prepend(&c);
  EXPECT_EQ(Walk(list), (std::vector<int>{3, 1, 2}));
  EXPECT_EQ(list.Count(), 3);
  // The tail still follows removals of the last node.
  list.Remove(&b);
  int d = 4;
  list.Append(&d);
  EXPECT_EQ(Walk(list), (std::vector<int>{3, 1, 4}));
}

TEST(PtrList, RemovingTheCurrentItemContinuesWithTheNext) {
  int v[5] = {0, 1, 2, 3, 4};
  PtrList<int> list;
  for (int& x : v) list.Append(&x);
  std::vector<int> seen;
  for (PtrList<int>::Cursor c(list); !c.AtEnd(); c.Next()) {
    int value = *c.Current();
    seen.push_back(value);
    if (value == 1) list.Remove(c.Current());
    if (value == 2) list.Remove(&v[3]);  // a later item disappears
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 4}));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(Walk(list), (std::vector<int>{0, 2, 4}));
}

TEST(PtrList, NestedWalksKeepTheirOwnCursors) {
  int v[3] = {0, 1, 2};
  PtrList<int> list;
  for (int& x : v) list.Append(&x);
  std::vector<std::pair<int, int>> pairs;
  for (PtrList<int>::Cursor outer(list); !outer.AtEnd(); outer.Next())
    for (PtrList<int>::Cursor inner(list); !inner.AtEnd(); inner.Next()) {
      if (*inner.Current() == 1 && *outer.Current() == 0) list.Remove(inner.Current());
      if (inner.Current() && *inner.Current() != 1)
        pairs.emplace_back(*outer.Current(), *inner.Current());
    }
  EXPECT_EQ(pairs, (std::vector<std::pair<int, int>>{{0, 0}, {0, 2}, {2, 0}, {2, 2}}));
}

TEST(PtrList, ClearDuringAWalkEndsItSafely) {
  int v[3] = {0, 1, 2};
  PtrList<int> list;
  for (int& x : v) list.Append(&x);
  int visits = 0;
  for (PtrList<int>::Cursor c(list); !c.AtEnd(); c.Next()) {
    ++visits;
    list.Clear();
  }
  EXPECT_EQ(visits, 1);
  EXPECT_TRUE(list.Empty());
  list.Append(&v[2]);
  EXPECT_EQ(Walk(list), (std::vector<int>{2}));
}

TEST(PtrList, AnItemInTheListTwiceLeavesFromItsFirstPlaceFirst) {
  int a = 1, b = 2, c = 3;
  PtrList<int> list;
  list.Append(&a);
  list.Append(&b);
  list.Append(&a);
  list.Prepend(&c);
  list.Prepend(&a);
  EXPECT_EQ(Walk(list), (std::vector<int>{1, 3, 1, 2, 1}));
  for (int expectedCount : {4, 3, 2}) {
    EXPECT_TRUE(list.Contains(&a));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_EQ(list.Count(), expectedCount);
  }
  EXPECT_EQ(Walk(list), (std::vector<int>{3, 2}));
  EXPECT_FALSE(list.Contains(&a));
  EXPECT_FALSE(list.Remove(&a));
}

TEST(PtrList, ItemsRemovedDuringAWalkAreGoneAtOnceAndCanComeBack) {
  int v[4] = {0, 1, 2, 3};
  PtrList<int> list;
  for (int& x : v) list.Append(&x);
  {
    PtrList<int>::Cursor c(list);
    list.Remove(&v[2]);
    EXPECT_FALSE(list.Contains(&v[2]));
    list.Append(&v[2]);
    EXPECT_TRUE(list.Contains(&v[2]));
    list.Remove(&v[0]);
  }
  EXPECT_EQ(Walk(list), (std::vector<int>{1, 3, 2}));
  // The tail is right after the empty places were unlinked.
  list.Remove(&v[2]);
  list.Append(&v[0]);
  EXPECT_EQ(Walk(list), (std::vector<int>{1, 3, 0}));
}

TEST(PtrList, TheFrontTellsWhetherItemsWerePutBeforeIt) {
  int a = 1, b = 2, c = 3;
  PtrList<int> list;
  list.Append(&a);
  PtrList<int>::Place front = list.Front();
  list.Append(&b);
  EXPECT_EQ(list.Front(), front);
  list.Prepend(&c);
  EXPECT_NE(list.Front(), front);
  std::vector<int> before;
  for (PtrList<int>::Cursor k(list); !k.AtEnd() && !k.IsAt(front); k.Next())
    before.push_back(*k.Current());
  EXPECT_EQ(before, (std::vector<int>{3}));
}

}  // namespace
}  // namespace lockdown
