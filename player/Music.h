#pragma once
// The card's tune: written from the program's resources to a temporary file
// and played once through the system's MIDI sequencer under the alias
// "suono". Kept apart from Windows so the order of commands can be checked.

#include <stddef.h>

// An ANSI text of bounded length, for paths and MCI command strings.
class AnsiText {
 public:
  static constexpr size_t kCapacity = 600;
  AnsiText() { text_[0] = 0; }
  explicit AnsiText(const char* text) : AnsiText() { Append(text); }
  AnsiText& Append(const char* text);
  AnsiText& Append(const char* text, size_t length);
  const char* c_str() const { return text_; }
  size_t length() const { return length_; }
  bool EndsWith(char c) const { return length_ > 0 && text_[length_ - 1] == c; }

 private:
  char text_[kCapacity + 1];
  size_t length_ = 0;
};

// What the music needs of the system.
class MusicHost {
 public:
  virtual ~MusicHost() = default;
  // Like GetTempPathA: fills buffer, returns the number of characters.
  virtual unsigned GetTempPath(unsigned size, char* buffer) = 0;
  virtual bool FileExists(const char* path) = 0;
  virtual void DeleteQuietly(const char* path) = 0;
  virtual void WriteResourceToFile(short resourceId, const char* type, const char* path) = 0;
  virtual void SendMci(const char* command) = 0;
};

// The temporary folder with one backslash at its end; "\" alone when the
// system gives nothing.
AnsiText TempFolder(MusicHost& host);

void PlayMusic(MusicHost& host, short resourceId);

// The ending's part: stop the tune, then close its device. Harmless when the
// tune has ended or never started.
void StopMusic(MusicHost& host);
