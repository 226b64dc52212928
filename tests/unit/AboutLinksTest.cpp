#include <gtest/gtest.h>

#include <string>

#include "common/DecimalText.h"
#include "generator/AboutLinks.h"

namespace {
std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }
}  // namespace

TEST(VersionCaption, NumbersInDecimalWithoutLeadingZeros) {
  EXPECT_EQ(W(VersionCaption(1, 1, 0)), L"Versione 1.1.0");
  EXPECT_EQ(W(VersionCaption(10, 0, 207)), L"Versione 10.0.207");
  EXPECT_EQ(W(VersionCaption(0, 0, 0)), L"Versione 0.0.0");
  EXPECT_EQ(W(VersionCaption(65535, 65535, 65535)), L"Versione 65535.65535.65535");
}

TEST(DecimalText, Numbers) {
  EXPECT_EQ(W(DecimalText(0)), L"0");
  EXPECT_EQ(W(DecimalText(7)), L"7");
  EXPECT_EQ(W(DecimalText(1000)), L"1000");
  EXPECT_EQ(W(DecimalText(4294967295u)), L"4294967295");
}

TEST(MailtoLink, AddressThenTheEncodedSubjectWithTheVersionCaption) {
  EXPECT_EQ(W(MailtoLink(L"ep@carolux.example", VersionCaption(1, 1, 0))),
            L"mailto:ep@carolux.example?Subject=Carolux%20-%20Versione%201.1.0");
  EXPECT_EQ(W(MailtoLink(L"info@carolux.example", L"Versione")),
            L"mailto:info@carolux.example?Subject=Carolux%20-%20Versione");
  EXPECT_EQ(W(MailtoLink(L"", L"")), L"mailto:?Subject=Carolux%20-%20");
  // Characters that would end or split the subject stay inside it.
  EXPECT_EQ(W(MailtoLink(L"a@b.example", L"1 & 2?x=y#z")),
            L"mailto:a@b.example?Subject=Carolux%20-%201%20%26%202%3Fx%3Dy%23z");
}

TEST(PercentEncoded, UnreservedStayOthersBecomeTheirUtf8Bytes) {
  EXPECT_EQ(W(PercentEncoded(L"AZaz09-._~")), L"AZaz09-._~");
  EXPECT_EQ(W(PercentEncoded(L"")), L"");
  EXPECT_EQ(W(PercentEncoded(L" %+/:;@,!'()*")), L"%20%25%2B%2F%3A%3B%40%2C%21%27%28%29%2A");
  EXPECT_EQ(W(PercentEncoded(L"\r\n\t")), L"%0D%0A%09");
  EXPECT_EQ(W(PercentEncoded(L"Zo\u00EB")), L"Zo%C3%AB");              // two bytes
  EXPECT_EQ(W(PercentEncoded(L"\u20AC")), L"%E2%82%AC");               // three
  EXPECT_EQ(W(PercentEncoded(L"\u65E5\u672C")), L"%E6%97%A5%E6%9C%AC");
  EXPECT_EQ(W(PercentEncoded(L"\xD83C\xDF84")), L"%F0%9F%8E%84");  // one character in two UTF-16 units
  EXPECT_EQ(W(PercentEncoded(L"\u007F\u0080\u07FF\u0800\uFFFF")), L"%7F%C2%80%DF%BF%E0%A0%80%EF%BF%BF");
}
