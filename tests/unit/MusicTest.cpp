#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/Music.h"

namespace {

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

class RecordingHost : public MusicHost {
 public:
  std::wstring temp = L"C:\\Users\\Anna Maria\\AppData\\Local\\Temp\\";
  std::wstring program = L"D:\\Auguri\\";
  bool exists = false;
  std::vector<std::wstring> calls;

  WideString SystemTempFolder() override {
    calls.push_back(L"temp");
    return WideString(temp.c_str(), temp.size());
  }
  WideString ProgramFolder() override {
    calls.push_back(L"program");
    return WideString(program.c_str(), program.size());
  }
  bool FileExists(const WideString& path) override {
    calls.push_back(L"exists " + W(path));
    return exists;
  }
  void DeleteQuietly(const WideString& path) override { calls.push_back(L"delete " + W(path)); }
  void WriteResourceToFile(short id, const WideString& path) override {
    calls.push_back(L"write " + std::to_wstring(id) + L" " + W(path));
  }
  // As the system gives a short form: the path with its folders' names cut.
  WideString PathForMci(const WideString& path) override {
    calls.push_back(L"short " + W(path));
    std::wstring shortForm = W(path);
    for (size_t at = shortForm.find(L"Anna Maria"); at != std::wstring::npos; at = shortForm.find(L"Anna Maria"))
      shortForm.replace(at, 10, L"ANNAMA~1");
    return WideString(shortForm.c_str(), shortForm.size());
  }
  void SendMci(const WideString& command) override { calls.push_back(L"mci " + W(command)); }
};

}  // namespace

TEST(PlayMusic, StopsAnyTuneThenWritesOpensQuotedByItsShortFormAndPlaysFromTheStart) {
  RecordingHost host;
  host.exists = true;
  WideString file;
  PlayMusic(host, 100, file);
  const std::wstring path = L"C:\\Users\\Anna Maria\\AppData\\Local\\Temp\\Miditemp.mid";
  std::vector<std::wstring> expected = {
      L"temp",
      L"exists " + path,
      L"delete " + path,
      L"mci stop suono",
      L"mci close suono",
      L"write 100 " + path,
      L"short " + path,  // once the file exists, as a short form needs it
      L"mci open \"C:\\Users\\ANNAMA~1\\AppData\\Local\\Temp\\Miditemp.mid\" type sequencer alias suono",
      L"mci play suono from 0",
  };
  EXPECT_EQ(host.calls, expected);
  EXPECT_EQ(W(file), path);
}

TEST(PlayMusic, NoLeftoverMeansNothingToDelete) {
  RecordingHost host;
  WideString file;
  PlayMusic(host, 100, file);
  for (const std::wstring& call : host.calls) EXPECT_NE(call.rfind(L"delete", 0), 0u);
}

TEST(EndMusic, StopsClosesThenRemovesTheTunesFile) {
  RecordingHost host;
  WideString file;
  PlayMusic(host, 100, file);
  host.calls.clear();
  EndMusic(host, file);
  const std::wstring path = L"C:\\Users\\Anna Maria\\AppData\\Local\\Temp\\Miditemp.mid";
  EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"mci stop suono", L"mci close suono", L"delete " + path}));
}

TEST(EndMusic, BeforeAnyTuneOnlyStopsAndCloses) {
  RecordingHost host;
  EndMusic(host, WideString());
  EndMusic(host, WideString());  // a close after a key: harmless repeats
  EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"mci stop suono", L"mci close suono", L"mci stop suono",
                                                   L"mci close suono"}));
}

TEST(TempFolder, OneTrailingBackslashWhateverTheSystemGives) {
  RecordingHost host;
  host.temp = L"C:\\Temp\\";
  EXPECT_EQ(W(TempFolder(host)), L"C:\\Temp\\");
  host.temp = L"C:\\Temp";
  EXPECT_EQ(W(TempFolder(host)), L"C:\\Temp\\");
}

TEST(TempFolder, NoneFromTheSystemMeansTheProgramsFolderNotTheDrivesRoot) {
  RecordingHost host;
  host.temp = L"";
  EXPECT_EQ(W(TempFolder(host)), L"D:\\Auguri\\");
  host.program = L"E:\\";
  EXPECT_EQ(W(TempFolder(host)), L"E:\\");
}
