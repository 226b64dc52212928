// The bytes of each kind of card with code page 1252, as the generator's
// page makes them (the program's own, on a system with that code page, are
// held equal to these under Wine).

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "cardbytes/CardBytes.h"
#include "cardbytes/CodePage1252.h"
#include "codecs/Crc32.h"
#include "tests/unit/FakeProgram.h"

namespace {

std::string Text(const ByteBuffer& bytes) { return std::string(bytes.c_str(), bytes.size()); }

std::string Template(const std::string& page) {
  char trailer[64];
  snprintf(trailer, sizeof(trailer), "\n<!-- webcard %08x %08x %02x -->\n", static_cast<unsigned>(page.size()),
           Crc32(reinterpret_cast<const unsigned char*>(page.data()), page.size()), 1);
  return page + trailer;
}

}  // namespace

TEST(CardBytes, EachKindFromTheSameNames) {
  std::vector<unsigned char> image(1000, 0x5A);
  for (size_t i = 930; i < 1000; ++i) image[i] = 0;
  std::string templ = Template("<p>{{senders}}</p>");
  CardMaterial material = {image.data(), image.size(), reinterpret_cast<const unsigned char*>(templ.data()),
                           templ.size()};
  // Greek has no look-alikes in 1252, the macron letter has one, the tree is two units.
  const WideString names(L"Zo\u00EB \u0100 \u0396\u03C9 <&> \U0001F384");
  ByteBuffer card;
  ASSERT_EQ(MakeCardBytes(CardKind::Program, material, L"Auguri.exe", names, 0, kCodePage1252, card),
            CardBytesResult::Made);
  ASSERT_EQ(card.size(), image.size());
  EXPECT_EQ(Text(card).substr(0, 930), std::string(930, 'Z'));
  EXPECT_EQ(Text(card).substr(930), "Zo\xEB A ?? <&> ??" + std::string(70 - 15, ' '));
  EXPECT_EQ(CharactersOutsideCp1252(names), WideString(L"\u0100\u0396\u03C9\U0001F384"));

  ASSERT_EQ(MakeCardBytes(CardKind::Web, material, L"Auguri.html", names, 0, kCodePage1252, card),
            CardBytesResult::Made);
  EXPECT_EQ(Text(card), "<p>Zo\xC3\xAB \xC4\x80 \xCE\x96\xCF\x89 &lt;&amp;&gt; \xF0\x9F\x8E\x84</p>");
  templ[3] = 'q';
  material.webTemplate = reinterpret_cast<const unsigned char*>(templ.data());
  EXPECT_EQ(MakeCardBytes(CardKind::Web, material, L"Auguri.html", names, 0, kCodePage1252, card),
            CardBytesResult::DamagedTemplate);

  // The archive's member: named after it, in 1252 when it fits, else UTF-8 and flagged.
  for (const wchar_t* zip : {L"C:\\Natale\\Zo\u00EB.zip", L"\u0100uguri.zip"}) {
    ASSERT_EQ(MakeCardBytes(CardKind::Zipped, material, zip, names, 0x5B8F9A20, kCodePage1252, card),
              CardBytesResult::Made);
    std::string zipped = Text(card);
    bool utf8 = zipped[7] & 0x08;
    EXPECT_EQ(utf8, zip[0] == L'\u0100');
    EXPECT_EQ(zipped.substr(30, zipped[26]), utf8 ? "\xC4\x80uguri.exe" : "Zo\xEB.exe");
    EXPECT_EQ(zipped.substr(10, 4), std::string("\x20\x9A\x8F\x5B", 4));
  }
}

// Names from anywhere end in a whole character within the field's 70
// UTF-16 units, a character beyond the first plane taking two of them.
TEST(CardBytes, NamesKeepWholeCharactersWithin70Units) {
  std::vector<unsigned char> image(200, 0);
  CardMaterial material = {image.data(), image.size(), nullptr, 0};
  ByteBuffer card;
  WideString names = WideString::Repeat(L'a', 69) + WideString(L"\U0001F384");
  ASSERT_EQ(MakeCardBytes(CardKind::Program, material, L"Auguri.exe", names, 0, kCodePage1252, card),
            CardBytesResult::Made);
  EXPECT_EQ(Text(card).substr(130), std::string(69, 'a') + " ");
  names = WideString::Repeat(L'a', 68) + WideString(L"\U0001F384");
  ASSERT_EQ(MakeCardBytes(CardKind::Program, material, L"Auguri.exe", names, 0, kCodePage1252, card),
            CardBytesResult::Made);
  EXPECT_EQ(Text(card).substr(130), std::string(68, 'a') + "??");
}
