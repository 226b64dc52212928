// Which characters of the senders' names a card cannot show, asked of the
// system's own code page tables.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "winapi/Ansi.h"

namespace {

std::wstring Outside(const wchar_t* names, unsigned codePage) {
  WideString text = CharactersOutsideCodePage(names, codePage);
  return std::wstring(text.c_str(), text.length());
}

}  // namespace

TEST(NamesCheck, WesternCodePage) {
  EXPECT_EQ(Outside(L"Mario e Anna", 1252), L"");
  EXPECT_EQ(Outside(L"", 1252), L"");
  EXPECT_EQ(Outside(L"Zo\u00EB", 1252), L"");
  EXPECT_EQ(Outside(L"\u0396\u03C9\u03AE", 1252), L"\u0396\u03C9\u03AE");
  EXPECT_EQ(Outside(L"\u65E5\u672C", 1252), L"\u65E5\u672C");
  // Each once, in order; characters that would come back as a look-alike
  // (o with double acute as a plain o) count as not shown.
  EXPECT_EQ(Outside(L"Zo\u00EB e \u65E5\u672C, \u65E5 e \u0151", 1252), L"\u65E5\u672C\u0151");
  // One character in two UTF-16 units stays whole.
  EXPECT_EQ(Outside(L"Anna \xD83C\xDF84", 1252), L"\xD83C\xDF84");
}

TEST(NamesCheck, OtherCodePages) {
  EXPECT_EQ(Outside(L"\u0396\u03C9\u03AE", 1253), L"");  // Greek
  EXPECT_EQ(Outside(L"Zo\u00EB", 1253), L"\u00EB");
  EXPECT_EQ(Outside(L"\u65E5\u672C", 932), L"");  // Japanese, two bytes each
  EXPECT_EQ(Outside(L"Zo\u00EB", 932), L"\u00EB");
  EXPECT_EQ(Outside(L"Mario e Anna", 932), L"");
  EXPECT_EQ(Outside(L"Zo\u00EB \u0396\u03C9\u03AE \u65E5\u672C", 65001), L"") << "UTF-8 carries everything";
}

// The check the window makes, on this system's own code page.
TEST(NamesCheck, TheSystemsCodePage) {
  EXPECT_EQ(Outside(L"Mario e Anna", CP_ACP), L"");
  EXPECT_EQ(Outside(L"\u65E5\u672C", CP_ACP).empty(), GetACP() == 932 || GetACP() == 936 || GetACP() == 65001);
  if (GetACP() == 1252) {
    EXPECT_EQ(Outside(L"Zo\u00EB", CP_ACP), L"");
    EXPECT_EQ(Outside(L"\u0396\u03C9\u03AE", CP_ACP), L"\u0396\u03C9\u03AE");
  }
}
