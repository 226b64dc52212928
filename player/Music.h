#pragma once
// The card's tune: written from the card's packed resources to a temporary
// file and played once through the system's MIDI sequencer under the alias
// "suono". Kept apart from Windows so the order of commands can be checked.
// Paths stay wide up to the sequencer, which is given a form of the path it
// can open, so a temporary folder named in any script still plays.

#include "common/WideString.h"

// What the music needs of the system.
class MusicHost {
 public:
  virtual ~MusicHost() = default;
  // The system's temporary folder, as it gives it; empty when it gives none.
  virtual WideString SystemTempFolder() = 0;
  // Where the tune goes when the system names no temporary folder.
  virtual WideString ProgramFolder() = 0;
  virtual bool FileExists(const WideString& path) = 0;
  virtual void DeleteQuietly(const WideString& path) = 0;
  // The card's resource with that number, as a file that holds exactly its
  // bytes.
  virtual void WriteResourceToFile(short resourceId, const WideString& path) = 0;
  // The path of an existing file as the sequencer's open command names it.
  virtual WideString PathForMci(const WideString& path) = 0;
  virtual void SendMci(const WideString& command) = 0;
};

// The temporary folder with one backslash at its end. A system that names
// none gives the program's own folder, never the root of the current drive.
WideString TempFolder(MusicHost& host);

// Plays the tune; file is set to its temporary file as soon as that is
// known, before anything can end the show, so the ending can remove it.
void PlayMusic(MusicHost& host, short resourceId, WideString& file);

// Stop the tune, then close its device. Harmless when the tune has ended or
// never started.
void StopMusic(MusicHost& host);

// The ending's part: the tune stopped and closed, then its temporary file
// removed (a later card writes it again). An empty file name removes nothing.
void EndMusic(MusicHost& host, const WideString& file);
