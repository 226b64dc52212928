#include <gtest/gtest.h>

#include "common/WholeCharacters.h"
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

// The names field's limit of 70 counts UTF-16 units; a tree emoji takes two.
TEST(WholeCharacters, AFieldNeverKeepsHalfACharacter) {
  const WideString tree(L"\xD83C\xDF84", 2);
  WideString letters69 = WideString::Repeat(L'a', 69);
  EXPECT_EQ(WholeCharacters(letters69 + tree, 70), letters69) << "the pair does not fit: it goes whole";
  WideString letters68 = WideString::Repeat(L'a', 68);
  EXPECT_EQ(WholeCharacters(letters68 + tree, 70), letters68 + tree) << "it fits: 70 units";
  EXPECT_EQ(WholeCharacters(letters69 + tree.Left(1), 70), letters69) << "a half already cut off by the limit";

  // A paste cut at the limit in mid-text leaves a first half before older
  // text; the caret, after the paste, moves back over it.
  WideString pasted = WideString(L"ab") + tree.Left(1) + WideString(L"cd") + WideString(L"\xDF84", 1);
  size_t caret = 3;
  EXPECT_EQ(WholeCharacters(pasted, 70, &caret), WideString(L"abcd"));
  EXPECT_EQ(caret, 2u);
  caret = 70;
  EXPECT_EQ(WholeCharacters(letters68 + tree, 69, &caret), letters68);
  EXPECT_EQ(caret, 68u) << "the caret stays within the text";
}
