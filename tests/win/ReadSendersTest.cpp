#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "cardfile/AppFolder.h"
#include "cardfile/CardFile.h"
#include "tests/win/TestFiles.h"
#include "winapi/ModulePath.h"

namespace {

std::string Padded(const std::string& text) { return text + std::string(70 - text.size(), ' '); }

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

const std::wstring kNuls(70, L'\0');

// Runs a copy of this test program under another name with one test of its
// own, which writes what ReadSenders() returned into a file; returns it.
std::wstring ReadSendersAs(const std::wstring& programCopy) {
  std::wstring out = programCopy + L".out";
  SetEnvironmentVariableW(L"CAROLUX_SELF_READ_OUT", out.c_str());
  std::wstring command = L"\"" + programCopy + L"\" --gtest_filter=SelfRead.WriteOwnSenders";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  BOOL started = CreateProcessW(programCopy.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableW(L"CAROLUX_SELF_READ_OUT", nullptr);
  if (!started) return L"<not started>";
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::vector<unsigned char> bytes = ReadBytes(out);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// A copy of this program with the given field behind it, as the build
// finishes the card's own image.
void CopyProgramAs(const std::wstring& path, const std::string& field) {
  std::vector<unsigned char> bytes = ReadBytes(W(OwnModulePath()));
  ASSERT_GT(bytes.size(), 70u);
  bytes.insert(bytes.end(), field.begin(), field.end());
  WriteBytes(path, bytes);
}

}  // namespace

// Not a test of its own: the body of the copies started above.
TEST(SelfRead, WriteOwnSenders) {
  wchar_t out[MAX_PATH * 2];
  if (!GetEnvironmentVariableW(L"CAROLUX_SELF_READ_OUT", out, MAX_PATH * 2)) GTEST_SKIP();
  WideString senders = ReadSenders();
  WriteBytes(out, std::vector<unsigned char>(reinterpret_cast<const unsigned char*>(senders.c_str()),
                                             reinterpret_cast<const unsigned char*>(senders.c_str() + senders.length())));
}

TEST(ReadSenders, WrittenFieldComesBackTrimmed) {
  ScratchFolder folder(L"written");
  WriteBytes(folder.File(L"Vavuri.exe"), CardBytes(5000, Padded("Mario e Anna")));
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"Vavuri.exe").c_str())), L"Mario e Anna");
  WriteBytes(folder.File(L"spaces.exe"), CardBytes(5000, Padded("   Nonna Lia e zio Tom")));
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"spaces.exe").c_str())), L"Nonna Lia e zio Tom");
  WriteBytes(folder.File(L"empty.exe"), CardBytes(5000, Padded("")));
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"empty.exe").c_str())), L"");
  std::string full(70, 'z');
  WriteBytes(folder.File(L"full.exe"), CardBytes(5000, full));
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"full.exe").c_str())), std::wstring(70, L'z'));
}

TEST(ReadSenders, FieldConvertsFromTheAnsiCodePage) {
  ScratchFolder folder(L"ansi");
  // E8 is "e grave" in the Western code page Wine and Italian Windows use.
  WriteBytes(folder.File(L"card.exe"), CardBytes(1000, Padded("Lia \xE8 qui")));
  if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"card.exe").c_str())), L"Lia \x00E8 qui");
}

TEST(ReadSenders, FieldNeverWrittenGivesSeventyNuls) {
  ScratchFolder folder(L"unwritten");
  WriteBytes(folder.File(L"Nevalto.exe"), CardBytes(5000, std::string(70, '\0')));
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"Nevalto.exe").c_str())), kNuls);
}

TEST(ReadSenders, UnreadableFilesGiveSeventyNuls) {
  ScratchFolder folder(L"unreadable");
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"missing.exe").c_str())), kNuls);
  WriteBytes(folder.File(L"short.exe"), std::vector<unsigned char>(69, 'a'));
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"short.exe").c_str())), kNuls);
  // Held open by another with no sharing at all: it cannot be opened.
  std::wstring locked = folder.File(L"locked.exe");
  WriteBytes(locked, CardBytes(500, Padded("Mario")));
  HANDLE h = CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(W(ReadSendersFrom(locked.c_str())), kNuls);
  CloseHandle(h);
  EXPECT_EQ(W(ReadSendersFrom(locked.c_str())), L"Mario");
}

TEST(ReadSenders, FilesCutShortOfImageAndFieldGiveSeventyNuls) {
  ScratchFolder folder(L"cut");
  std::vector<unsigned char> player = ShippedPlayer();
  ASSERT_GT(player.size(), 30000u + 70u);
  std::string names = Padded("Mario e Anna");
  std::copy(names.begin(), names.end(), player.end() - 70);
  const struct {
    const wchar_t* name;
    std::vector<unsigned char> card;
  } cards[] = {{L"Vavuri.exe", player}, {L"standin.exe", CardBytes(5000, names)}};
  for (const auto& c : cards) {
    std::wstring path = folder.File(c.name);
    WriteBytes(path, c.card);
    EXPECT_EQ(W(ReadSendersFrom(path.c_str())), L"Mario e Anna") << c.name << " whole";
    // Cut inside the field, at its start, and into the image itself.
    for (size_t cut : {1, 5, 69, 70, 100, 30000}) {
      if (cut >= c.card.size()) continue;
      WriteBytes(path, std::vector<unsigned char>(c.card.begin(), c.card.end() - cut));
      EXPECT_EQ(W(ReadSendersFrom(path.c_str())), kNuls) << c.name << " cut by " << cut;
    }
  }
}

TEST(ReadSenders, CardWrittenOverALongerFileReadsTheFilesLastBytes) {
  ScratchFolder folder(L"longer");
  std::vector<unsigned char> card = CardBytes(5000, std::string(70, '\0'));
  std::string rest = std::string(300, 'x') + Padded("Lia e Tom");
  card.insert(card.end(), rest.begin(), rest.end());
  WriteBytes(folder.File(L"Vavuri.exe"), card);
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"Vavuri.exe").c_str())), L"Lia e Tom");
}

TEST(ReadSenders, RenamedCardReadsItsOwnFileNotTheExeBesideIt) {
  ScratchFolder folder(L"renamed");
  CopyProgramAs(folder.File(L"Vavuri.scr"), Padded("Mario e Anna"));
  // A different card that happens to carry the .exe name must not be read.
  WriteBytes(folder.File(L"Vavuri.exe"), CardBytes(5000, Padded("Qualcun altro")));
  EXPECT_EQ(ReadSendersAs(folder.File(L"Vavuri.scr")), L"Mario e Anna");
}

TEST(ReadSenders, CardInAFolderOutsideTheAnsiCodePage) {
  ScratchFolder folder(L"Natale \x65E5\x672C \x0391\x03B8\x03AE\x03BD\x03B1");
  std::wstring card = folder.File(L"Auguri \x03B1.exe");
  CopyProgramAs(card, Padded("Mario e Anna"));
  EXPECT_EQ(ReadSendersAs(card), L"Mario e Anna");
  WriteBytes(folder.File(L"plain.exe"), CardBytes(1000, Padded("Lia")));
  EXPECT_EQ(W(ReadSendersFrom(folder.File(L"plain.exe").c_str())), L"Lia");
}

TEST(AppFolder, IsTheFolderOfThisProgram) {
  WideString folder = AppFolder();
  WideString path = OwnModulePath();
  ASSERT_GT(path.length(), folder.length());
  EXPECT_EQ(W(folder), W(path).substr(0, folder.length()));
  EXPECT_TRUE(folder.EndsWith(L'\\'));
  EXPECT_EQ(W(path).find(L'\\', folder.length()), std::wstring::npos);
}
