#pragma once
// The tune's side of the system: the temporary folder, the tune's file and
// the sequencer's commands, all with wide paths.

#include <windows.h>

#include "player/CardPack.h"
#include "player/Music.h"

class SystemMusic : public MusicHost {
 public:
  explicit SystemMusic(const CardPack& pack) : pack_(pack) {}

  WideString SystemTempFolder() override;
  WideString ProgramFolder() override;
  bool FileExists(const WideString& path) override;
  void DeleteQuietly(const WideString& path) override;
  // Any failure leaves the show without music, nothing more.
  void WriteResourceToFile(short resourceId, const WideString& path) override;
  // The short form where the volume keeps one, else the path itself.
  WideString PathForMci(const WideString& path) override;
  void SendMci(const WideString& command) override;

 private:
  const CardPack& pack_;  // the card window's, which outlives the music
};
