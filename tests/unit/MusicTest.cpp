#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "player/Music.h"

namespace {

class RecordingHost : public MusicHost {
 public:
  std::string temp = "C:\\Users\\Anna Maria\\AppData\\Local\\Temp\\";
  unsigned reported = 0;  // 0: the length of temp
  bool exists = false;
  std::vector<std::string> calls;

  unsigned GetTempPath(unsigned size, char* buffer) override {
    calls.push_back("temp");
    if (temp.size() < size) memcpy(buffer, temp.c_str(), temp.size() + 1);
    return reported ? reported : static_cast<unsigned>(temp.size());
  }
  bool FileExists(const char* path) override {
    calls.push_back(std::string("exists ") + path);
    return exists;
  }
  void DeleteQuietly(const char* path) override { calls.push_back(std::string("delete ") + path); }
  void WriteResourceToFile(short id, const char* type, const char* path) override {
    calls.push_back("write " + std::to_string(id) + " " + type + " " + path);
  }
  void SendMci(const char* command) override { calls.push_back(std::string("mci ") + command); }
};

}  // namespace

TEST(PlayMusic, StopsAnyTuneThenWritesOpensQuotedAndPlaysFromTheStart) {
  RecordingHost host;
  host.exists = true;
  PlayMusic(host, 100);
  const std::string file = "C:\\Users\\Anna Maria\\AppData\\Local\\Temp\\Miditemp.mid";
  std::vector<std::string> expected = {
      "temp",
      "exists " + file,
      "delete " + file,
      "mci stop suono",
      "mci close suono",
      "write 100 MIDI " + file,
      "mci open \"" + file + "\" type sequencer alias suono",
      "mci play suono from 0",
  };
  EXPECT_EQ(host.calls, expected);
}

TEST(PlayMusic, NoLeftoverMeansNothingToDelete) {
  RecordingHost host;
  PlayMusic(host, 100);
  for (const std::string& call : host.calls) EXPECT_NE(call.rfind("delete", 0), 0u) << call;
}

TEST(StopMusic, StopsBeforeClosing) {
  RecordingHost host;
  StopMusic(host);
  StopMusic(host);  // a second key during the fade: harmless repeats
  EXPECT_EQ(host.calls, (std::vector<std::string>{"mci stop suono", "mci close suono", "mci stop suono",
                                                  "mci close suono"}));
}

TEST(TempFolder, OneTrailingBackslashWhateverTheSystemGives) {
  RecordingHost host;
  host.temp = "C:\\Temp\\";
  EXPECT_STREQ(TempFolder(host).c_str(), "C:\\Temp\\");
  host.temp = "C:\\Temp";
  EXPECT_STREQ(TempFolder(host).c_str(), "C:\\Temp\\");
  host.temp = "";
  EXPECT_STREQ(TempFolder(host).c_str(), "\\");
}

TEST(TempFolder, KeepsOnlyTheCharactersTheSystemCounted) {
  RecordingHost host;
  host.temp = "C:\\Temp\\junk";
  host.reported = 8;
  EXPECT_STREQ(TempFolder(host).c_str(), "C:\\Temp\\");
  // A reply larger than the buffer means the path did not fit: none at all.
  host.reported = 300;
  EXPECT_STREQ(TempFolder(host).c_str(), "\\");
}

TEST(AnsiText, CutsAtItsCapacityInsteadOfOverflowing) {
  std::string longPath(AnsiText::kCapacity + 50, 'a');
  AnsiText text("open ");
  text.Append(longPath.c_str());
  EXPECT_EQ(text.length(), AnsiText::kCapacity);
  EXPECT_EQ(strlen(text.c_str()), AnsiText::kCapacity);
}
