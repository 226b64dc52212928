#include <gtest/gtest.h>

#include <string>

#include "cardbytes/CardPath.h"
#include "common/Utf8.h"
#include "webgen/DownloadName.h"

namespace {

std::string Utf8(const WideString& text) {
  ByteBuffer bytes = ToUtf8(text);
  return std::string(bytes.c_str(), bytes.size());
}

// Typed name and type (1 card, 2 zipped, 3 web) -> the name the browser
// saves, which the page shows.
struct Row {
  const wchar_t* typed;
  unsigned long type;
  const wchar_t* saved;
};

const Row kRows[] = {
    {L"Vavuri", 3, L"Vavuri.html"},
    {L"..", 1, L"Vavuri.exe"},
    {L"..", 3, L"Vavuri.html"},
    {L".Auguri", 3, L"Auguri.html"},
    {L"a/b", 3, L"a_b.html"},
    {L"a\\b", 2, L"a_b.zip"},
    {L"x:y*?<>|", 3, L"x_y_____.html"},
    {L"tab\there\x7F", 1, L"tab_here_.exe"},
    {L"\x202E"
     L"exe.txt",
     3, L"_exe.txt.html"},
    {L"CON", 1, L"_CON.exe"},
    {L"aux", 3, L"_aux.html"},
    {L"Nul.v2", 2, L"_Nul.v2.zip"},
    {L"cOm7.html", 1, L"_cOm7.html"},
    {L"LPT9 ", 3, L"_LPT9.html"},
    {L"COM10", 1, L"COM10.exe"},
    {L"CONSOLE", 1, L"CONSOLE.exe"},
    {L"", 1, L"Vavuri.exe"},
    {L"   ", 3, L"Vavuri.html"},
    {L" . Auguri . ", 2, L"Auguri.zip"},
    {L"Auguri.v2", 2, L"Auguri.v2.zip"},
    {L"Nonni .HTML ", 1, L"Nonni .HTML"},
};

TEST(DownloadName, TheNameShownIsTheNameEverySystemSaves) {
  for (const Row& row : kRows) {
    EXPECT_EQ(Utf8(DownloadName(row.typed, row.type)), Utf8(row.saved)) << Utf8(row.typed) << " " << row.type;
  }
}

TEST(DownloadName, LongNamesAreCutBetweenWholeCharacters) {
  // 300 letters: 146 of them and ".exe" make the 150 bytes.
  WideString letters = WideString::Repeat(L'a', 300);
  EXPECT_EQ(Utf8(DownloadName(letters, 1)), std::string(146, 'a') + ".exe");
  EXPECT_EQ(Utf8(DownloadName(letters, 3)), std::string(145, 'a') + ".html");

  // Trees of four bytes each: 36 make 144, a 37th would pass 150 with ".zip".
  WideString trees;
  for (int i = 0; i < 63; ++i) trees += WideString(L"\xD83C\xDF84", 2);
  std::string saved = Utf8(DownloadName(trees, 2));
  EXPECT_EQ(saved.size(), 36u * 4 + 4);
  EXPECT_EQ(saved.substr(saved.size() - 4), ".zip");

  // A family at the limit goes whole or not at all; a space before the cut
  // goes too, as Windows would drop it.
  WideString family(L"\xD83D\xDC68\x200D\xD83D\xDC69\x200D\xD83D\xDC67", 8);  // 18 bytes
  WideString name = WideString::Repeat(L'b', 130) + WideString(L" ") + family;
  EXPECT_EQ(Utf8(DownloadName(name, 1)), std::string(130, 'b') + ".exe");
  EXPECT_LE(Utf8(DownloadName(WideString::Repeat(L'b', 127) + family, 1)).size(), kLongestDownloadName);

  // The zipped card's member follows the saved name.
  EXPECT_EQ(Utf8(ZipMemberName(DownloadName(L"a\\b", 2))), "a_b.exe");
}

}  // namespace
