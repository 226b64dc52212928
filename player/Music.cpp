#include "player/Music.h"

#include <string.h>

AnsiText& AnsiText::Append(const char* text) { return Append(text, strlen(text)); }

AnsiText& AnsiText::Append(const char* text, size_t length) {
  // Longer texts are cut: a command that long would be refused anyway.
  if (length > kCapacity - length_) length = kCapacity - length_;
  memcpy(text_ + length_, text, length);
  length_ += length;
  text_[length_] = 0;
  return *this;
}

AnsiText TempFolder(MusicHost& host) {
  char buffer[257] = {};
  unsigned n = host.GetTempPath(256, buffer);
  if (n > 256) n = 0;  // the buffer was too small: nothing usable came back
  AnsiText folder;
  folder.Append(buffer, n);
  if (!folder.EndsWith('\\')) folder.Append("\\");
  return folder;
}

void PlayMusic(MusicHost& host, short resourceId) {
  AnsiText path = TempFolder(host);
  path.Append("Miditemp.mid");
  if (host.FileExists(path.c_str())) host.DeleteQuietly(path.c_str());
  StopMusic(host);
  host.WriteResourceToFile(resourceId, "MIDI", path.c_str());
  // Quoted, so that a temporary folder with a space in its path (a user
  // name with a space) still plays.
  AnsiText open("open \"");
  open.Append(path.c_str()).Append("\" type sequencer alias suono");
  host.SendMci(open.c_str());
  host.SendMci("play suono from 0");
}

void StopMusic(MusicHost& host) {
  host.SendMci("stop suono");
  host.SendMci("close suono");
}
