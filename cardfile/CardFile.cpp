#include "cardfile/CardFile.h"

#include <string.h>

#include "cardfile/CardLayout.h"
#include "cardfile/ImageExtent.h"
#include "winapi/Ansi.h"
#include "winapi/File.h"
#include "winapi/ModulePath.h"

WideString ReadSendersFrom(const WideString& cardPath) {
  char field[SendersFieldLength] = {};
  File file(cardPath, File::Mode::Read);
  unsigned long long length = 0;
  char read[SendersFieldLength];
  unsigned char headers[ImageHeadersLength];
  size_t headersLength = 0;
  if (file.Size(&length)) headersLength = length < sizeof(headers) ? static_cast<size_t>(length) : sizeof(headers);
  // Only a whole field behind the whole image counts, as one never written:
  // a read that fails half-way, or a file cut into its image, leaves the NULs.
  if (headersLength > 0 && file.ReadAt(0, headers, headersLength) &&
      FieldFollowsImage(length, ImageEndFromHeaders(headers, headersLength)) &&
      file.ReadAt(length - SendersFieldLength, read, SendersFieldLength))
    memcpy(field, read, SendersFieldLength);
  WideString text = FromAnsi(field, SendersFieldLength);
  return text.TrimSpaces();
}

WideString ReadSenders() { return ReadSendersFrom(OwnModulePath()); }
