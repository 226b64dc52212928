#pragma once
// The tune's side of the system: the temporary folder, the tune's file and
// the sequencer's commands, all with wide paths.

#include <windows.h>

#include "player/Music.h"

class SystemMusic : public MusicHost {
 public:
  explicit SystemMusic(HINSTANCE instance) : instance_(instance) {}

  WideString SystemTempFolder() override;
  WideString ProgramFolder() override;
  bool FileExists(const WideString& path) override;
  void DeleteQuietly(const WideString& path) override;
  // Any failure leaves the show without music, nothing more.
  void WriteResourceToFile(short resourceId, const char* type, const WideString& path) override;
  // The short form where the volume keeps one, else the path itself.
  WideString PathForMci(const WideString& path) override;
  void SendMci(const WideString& command) override;

 private:
  HINSTANCE instance_;  // the program's own, not owned
};
