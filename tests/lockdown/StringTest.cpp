#include <gtest/gtest.h>

#include <sstream>

#include "lockdown/String.h"

using namespace lockdown;

TEST(String, EmptyHasOneByteOfCapacity) {
  String s;
  EXPECT_EQ(s.Length(), 0);
  EXPECT_EQ(s.Capacity(), 1);
  EXPECT_STREQ(s.CStr(), "");
}
