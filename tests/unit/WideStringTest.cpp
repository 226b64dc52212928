#include <gtest/gtest.h>

#include "common/WideString.h"

TEST(WideString, AppendingAPieceOfItselfSurvivesGrowth) {
  WideString s(L"abc");
  for (int i = 0; i < 6; ++i) s.Append(s.c_str(), s.length());
  EXPECT_EQ(s.length(), 3u * 64u);
  EXPECT_EQ(s.Left(6), WideString(L"abcabc"));
}

TEST(WideString, EmbeddedNulsCountInLengthAndComparison) {
  WideString a(L"a\0b", 3), b(L"a\0c", 3);
  EXPECT_EQ(a.length(), 3u);
  EXPECT_NE(a, b);
  EXPECT_EQ(a.UpToNul(), WideString(L"a"));
}

TEST(WideString, CopiesAndMovesAreIndependent) {
  WideString a(L"Natale");
  WideString b(a);
  b += L" felice";
  EXPECT_EQ(a, WideString(L"Natale"));
  WideString c(static_cast<WideString&&>(b));
  EXPECT_EQ(c, WideString(L"Natale felice"));
  EXPECT_TRUE(b.empty());
  EXPECT_STREQ(b.c_str(), L"");
}
