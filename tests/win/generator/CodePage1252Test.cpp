// The page's code page 1252 against the system's own: every UTF-16 unit
// written as WideCharToMultiByte writes it for the card, and asked about as
// the window asks about names.

#include <windows.h>

#include <gtest/gtest.h>

#include "cardbytes/CodePage1252.h"
#include "winapi/Ansi.h"

TEST(CodePage1252, EveryUnitAsTheSystemWritesAndAsksAboutIt) {
  int wrong = 0, askedWrongly = 0;
  for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
    wchar_t c = static_cast<wchar_t>(unit);
    WideString one(&c, 1);
    char system = 0;
    ASSERT_EQ(WideCharToMultiByte(1252, 0, &c, 1, &system, 1, nullptr, nullptr), 1) << unit;
    ByteBuffer ours = ToCp1252(one);
    if (ours.size() != 1 || ours.data()[0] != static_cast<unsigned char>(system)) {
      if (++wrong <= 5) ADD_FAILURE() << "unit " << std::hex << unit;
    }
    if (CharactersOutsideCp1252(one) != CharactersOutsideCodePage(one, 1252)) {
      if (++askedWrongly <= 5) ADD_FAILURE() << "asked about unit " << std::hex << unit;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(askedWrongly, 0);

  // Whole names, a character beyond the first plane among them.
  const wchar_t names[] = L"Zo\u00EB e \u0100nna \u0396\u03C9\u03AE \xD83C\xDF84 \u20AC";
  WideString text(names);
  char system[64];
  int n = WideCharToMultiByte(1252, 0, names, static_cast<int>(text.length()), system, 64, nullptr, nullptr);
  ByteBuffer ours = ToCp1252(text);
  ASSERT_EQ(static_cast<int>(ours.size()), n);
  EXPECT_EQ(memcmp(ours.data(), system, ours.size()), 0);
  EXPECT_EQ(CharactersOutsideCp1252(text), CharactersOutsideCodePage(text, 1252));
}
