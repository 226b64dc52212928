#include <gtest/gtest.h>

#include <stdint.h>

#include <initializer_list>

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

// UTF-16 of code points, as a field holds them.
WideString Utf16(std::initializer_list<uint32_t> points) {
  WideString text;
  for (uint32_t c : points) {
    if (c > 0xFFFF) {
      text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      text += static_cast<wchar_t>(c);
    }
  }
  return text;
}

// Whole characters as a person sees them: a character of several code
// points goes whole, or stays out whole.
TEST(WholeCharacters, AFieldNeverKeepsHalfOfWhatAPersonSeesAsOne) {
  const WideString family = Utf16({0x1F468, 0x200D, 0x1F469, 0x200D, 0x1F467});  // 8 units
  const WideString flag = Utf16({0x1F1EE, 0x1F1F9});                              // 4
  const WideString thumb = Utf16({0x1F44D, 0x1F3FD});                             // 4, with a skin tone
  const WideString accented = Utf16({'e', 0x0301});                               // 2
  const WideString keycap = Utf16({'1', 0xFE0F, 0x20E3});                         // 3
  const WideString tree = Utf16({0x1F384});                                       // 2
  struct Case {
    const WideString& whole;
    const char* name;
  } cases[] = {{family, "family"}, {flag, "flag"}, {thumb, "skin tone"}, {accented, "accent"},
               {keycap, "keycap"}, {tree, "tree"}};
  for (const Case& one : cases) {
    size_t size = one.whole.length();
    // Every cut inside the character leaves it out; the cut at its end keeps it.
    for (size_t room = 1; room <= size; ++room) {
      WideString letters = WideString::Repeat(L'a', 70 - room);
      WideString expected = room == size ? letters + one.whole : letters;
      EXPECT_EQ(WholeCharacters(letters + one.whole + WideString(L"b"), 70), expected) << one.name << " " << room;
    }
  }
  // Two flags in a row are two characters; a family's people without their
  // joiners are three; a joiner alone joins nothing after a letter.
  EXPECT_EQ(WholeCharacters(WideString::Repeat(L'a', 62) + flag + flag, 70), WideString::Repeat(L'a', 62) + flag + flag);
  EXPECT_EQ(WholeCharacters(WideString::Repeat(L'a', 66) + flag + flag, 70), WideString::Repeat(L'a', 66) + flag);
  const WideString people = Utf16({0x1F468, 0x1F469, 0x1F467});
  EXPECT_EQ(WholeCharacters(WideString::Repeat(L'a', 66) + people, 70),
            WideString::Repeat(L'a', 66) + Utf16({0x1F468, 0x1F469}));
  EXPECT_EQ(WholeCharacters(WideString::Repeat(L'a', 67) + Utf16({'x', 0x200D, 'y', 'z'}), 70),
            WideString::Repeat(L'a', 67) + Utf16({'x', 0x200D, 'y'}));
}
