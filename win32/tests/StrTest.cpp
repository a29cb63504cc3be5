#include <gtest/gtest.h>

#include "Str.h"

namespace {

TEST(CString, BuildsAndSlices) {
  CString s("C:\\\x95\x5Cx");
  EXPECT_EQ(2, s.ReverseFind('\\'));
  CString t("\x95\x5C");
  EXPECT_EQ(-1, t.Find('\\'));
  CString u("\x95\x5C ");
  u.TrimRight();
  EXPECT_EQ(2, u.GetLength());
}

}  // namespace
