#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it builds on.
#include <mmsystem.h>

#include <string>
#include <vector>

#include "player/CardPack.h"
#include "player/PlayerResources.h"
#include "player/SystemMusic.h"
#include "tests/win/TestFiles.h"
#include "winapi/BoundFunctions.h"

namespace {

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether two paths (a long and a short form, say) name one file.
bool SameFile(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION info[2] = {};
  const std::wstring* paths[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    HANDLE h = CreateFileW(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BOOL got = GetFileInformationByHandle(h, &info[i]);
    CloseHandle(h);
    if (!got) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

// The real tune, file and sequencer, with every command and the sequencer's
// answer to it kept.
class WatchedMusic : public SystemMusic {
 public:
  explicit WatchedMusic(const CardPack& pack) : SystemMusic(pack) {}
  void SendMci(const WideString& command) override {
    wchar_t reply[256] = {};
    commands.push_back(W(command));
    answers.push_back(bound::mciSendStringW(command.c_str(), reply, 256, nullptr));
  }
  std::vector<std::wstring> commands;
  std::vector<MCIERROR> answers;
};

// The system's temporary folder made another for one test, through the
// variable the system reads it from.
class TempFolderAs {
 public:
  explicit TempFolderAs(const std::wstring& folder) {
    wchar_t old[MAX_PATH * 2] = {};
    had_ = GetEnvironmentVariableW(L"TMP", old, MAX_PATH * 2) != 0;
    old_ = old;
    SetEnvironmentVariableW(L"TMP", folder.c_str());
  }
  ~TempFolderAs() { SetEnvironmentVariableW(L"TMP", had_ ? old_.c_str() : nullptr); }

 private:
  bool had_;
  std::wstring old_;
};

// The tune as this program's pack holds it, the card's own.
std::vector<unsigned char> TuneBytes(const CardPack& pack) {
  size_t size = 0;
  const unsigned char* at = pack.Find(IDR_MUSIC, size);
  return at ? std::vector<unsigned char>(at, at + size) : std::vector<unsigned char>();
}

void PlaysFrom(const std::wstring& folderName) {
  ScratchFolder folder(folderName);
  TempFolderAs temp(folder.path());
  std::wstring tune = folder.File(L"Miditemp.mid");
  // A longer leftover of an earlier card leaves nothing behind the tune.
  WriteBytes(tune, std::vector<unsigned char>(5000, 0xEE));
  CardPack pack(GetModuleHandleW(nullptr));
  WatchedMusic music(pack);
  WideString file;
  PlayMusic(music, IDR_MUSIC, file);
  EXPECT_EQ(W(file), tune);
  ASSERT_FALSE(TuneBytes(pack).empty());
  EXPECT_EQ(ReadBytes(tune), TuneBytes(pack));
  ASSERT_EQ(music.commands.size(), 4u);
  const std::wstring head = L"open \"", tail = L"\" type sequencer alias suono";
  const std::wstring& open = music.commands[2];
  ASSERT_EQ(open.substr(0, head.size()), head) << open;
  ASSERT_EQ(open.substr(open.size() - tail.size()), tail) << open;
  EXPECT_TRUE(SameFile(open.substr(head.size(), open.size() - head.size() - tail.size()), tune)) << open;
  // The sequencer may still refuse for want of a sound device, but never for
  // want of the file: the path reached it whole.
  EXPECT_NE(music.answers[2], static_cast<MCIERROR>(MCIERR_FILE_NOT_FOUND)) << open;

  EndMusic(music, file);
  EXPECT_FALSE(Exists(tune)) << "the tune's file stays behind after the show";
  EXPECT_EQ(music.commands.back(), L"close suono");
}

}  // namespace

TEST(SystemMusic, TheTunePlaysFromATemporaryFolderNamedInGreek) {
  PlaysFrom(L"\x03A0\x03C1\x03BF\x03C3\x03C9\x03C1\x03B9\x03BD\x03AC");
}

TEST(SystemMusic, TheTunePlaysFromATemporaryFolderNamedInJapanese) {
  PlaysFrom(L"\x4E00\x6642\x30D5\x30A9\x30EB\x30C0");
}

TEST(SystemMusic, TheTemporaryFolderIsTheSystemsWithOneBackslash) {
  ScratchFolder folder(L"plain");
  TempFolderAs temp(folder.path());  // given without a backslash at its end
  CardPack pack(GetModuleHandleW(nullptr));
  WatchedMusic music(pack);
  EXPECT_EQ(W(TempFolder(music)), folder.path() + L"\\");
}
