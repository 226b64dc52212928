#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "cardfile/SendersField.h"
#include "common/WideString.h"

namespace {

std::string Field(const std::string& ansi, LeadBytePredicate lead = nullptr) {
  unsigned char field[SendersFieldLength];
  memset(field, 0xCC, sizeof(field));
  MakeSendersField(reinterpret_cast<const unsigned char*>(ansi.data()), ansi.size(), lead, field);
  return std::string(reinterpret_cast<char*>(field), SendersFieldLength);
}

// Shift-JIS style lead bytes, enough to exercise the cut.
bool JapaneseLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

TEST(SendersField, ShortTextIsLeftAlignedAndSpacePadded) {
  EXPECT_EQ(Field("Mario e Anna"), "Mario e Anna" + std::string(58, ' '));
  EXPECT_EQ(Field(""), std::string(70, ' '));
}

TEST(SendersField, SpacesAtBothEndsAreStoredAsTyped) {
  EXPECT_EQ(Field("  Mario  "), "  Mario  " + std::string(61, ' '));
}

TEST(SendersField, CutAtSeventyBytes) {
  std::string seventy(70, 'x');
  seventy[69] = 'y';
  EXPECT_EQ(Field(seventy), seventy);
  EXPECT_EQ(Field(seventy + "z"), seventy);  // a 71st character is never stored
}

TEST(SendersField, ZeroBytesAreKept) {
  std::string withNul("A\0B", 3);
  EXPECT_EQ(Field(withNul), withNul + std::string(67, ' '));
}

TEST(SendersField, DoubleByteCharacterIsNeverSplitByTheCut) {
  // 69 single bytes then a two-byte character: it does not fit and is left
  // out whole, the last byte becoming padding.
  std::string text(69, 'a');
  text += "\x82\xA0";
  std::string field = Field(text, JapaneseLead);
  EXPECT_EQ(field, std::string(69, 'a') + " ");
  // 35 two-byte characters fill the field exactly.
  std::string kana;
  for (int i = 0; i < 36; ++i) kana += "\x82\xA0";
  field = Field(kana, JapaneseLead);
  EXPECT_EQ(field, kana.substr(0, 70));
}

TEST(SendersField, LoneLeadByteAtTheEndIsKept) {
  std::string text = "abc\x82";
  EXPECT_EQ(Field(text, JapaneseLead), text + std::string(66, ' '));
}

TEST(SendersText, ReadBackTrimsOnlySpaces) {
  EXPECT_EQ(WideString(L"  Mario e Anna   ").TrimSpaces(), WideString(L"Mario e Anna"));
  EXPECT_EQ(WideString(L"Mario e Anna").TrimSpaces(), WideString(L"Mario e Anna"));
  EXPECT_EQ(WideString::Repeat(L' ', 70).TrimSpaces(), WideString(L""));
  // A field never written holds NULs, which are not spaces and stay.
  WideString nuls = WideString::Repeat(L'\0', 70);
  EXPECT_EQ(nuls.TrimSpaces().length(), 70u);
  WideString tabs(L"\tMario\t");
  EXPECT_EQ(tabs.TrimSpaces(), tabs);
}
