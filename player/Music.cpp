#include "player/Music.h"

WideString TempFolder(MusicHost& host) {
  WideString folder = host.SystemTempFolder();
  if (folder.empty()) folder = host.ProgramFolder();
  if (!folder.EndsWith(L'\\')) folder += L'\\';
  return folder;
}

void PlayMusic(MusicHost& host, short resourceId, WideString& file) {
  WideString path = TempFolder(host);
  path += L"Miditemp.mid";
  file = path;
  if (host.FileExists(path)) host.DeleteQuietly(path);
  StopMusic(host);
  host.WriteResourceToFile(resourceId, path);
  // Quoted, so that a temporary folder with a space in its path (a user
  // name with a space) still plays.
  WideString open(L"open \"");
  open += host.PathForMci(path);
  open += L"\" type sequencer alias suono";
  host.SendMci(open);
  host.SendMci(L"play suono from 0");
}

void StopMusic(MusicHost& host) {
  host.SendMci(L"stop suono");
  host.SendMci(L"close suono");
}

void EndMusic(MusicHost& host, const WideString& file) {
  StopMusic(host);
  // The sequencer lets go of the file when its device closes.
  if (!file.empty()) host.DeleteQuietly(file);
}
