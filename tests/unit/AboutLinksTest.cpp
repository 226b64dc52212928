#include <gtest/gtest.h>

#include <string>

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

TEST(MailtoLink, AddressThenSubjectWithTheVersionCaption) {
  EXPECT_EQ(W(MailtoLink(L"ep@carolux.example", VersionCaption(1, 1, 0))),
            L"mailto:ep@carolux.example?Subject=Carolux - Versione 1.1.0");
  // Nothing is percent-encoded, whatever the caption holds.
  EXPECT_EQ(W(MailtoLink(L"a@b.example", L"Versione")), L"mailto:a@b.example?Subject=Carolux - Versione");
  EXPECT_EQ(W(MailtoLink(L"", L"")), L"mailto:?Subject=Carolux - ");
}
