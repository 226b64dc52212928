#include "cardfile/CardFile.h"

#include <string.h>

#include "cardfile/CardLayout.h"
#include "winapi/Ansi.h"
#include "winapi/File.h"
#include "winapi/ModulePath.h"

WideString ReadSendersFrom(const WideString& cardPath) {
  char field[SendersFieldLength] = {};
  File file(cardPath, File::Mode::Read);
  unsigned long long length = 0;
  char read[SendersFieldLength];
  // Only a whole field counts: a read that fails half-way leaves the NULs.
  if (file.Size(&length) && length >= SendersFieldLength &&
      file.ReadAt(length - SendersFieldLength, read, SendersFieldLength))
    memcpy(field, read, SendersFieldLength);
  WideString text = FromAnsi(field, SendersFieldLength);
  return text.TrimSpaces();
}

WideString ReadSenders() { return ReadSendersFrom(OwnModulePath()); }
