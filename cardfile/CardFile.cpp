#include "cardfile/CardFile.h"

#include <string.h>

#include "cardfile/CardLayout.h"
#include "cardfile/ImageExtent.h"
#include "common/ByteBuffer.h"
#include "winapi/Ansi.h"
#include "winapi/File.h"
#include "winapi/ModulePath.h"

WideString ReadSendersFrom(const WideString& cardPath) {
  char field[SendersFieldLength] = {};
  File file(cardPath, File::Mode::Read);
  unsigned long long length = 0;
  char read[SendersFieldLength];
  // A page of headers on the heap: no frame may pass a page, as the
  // programs are built without stack probes.
  ByteBuffer headers(ImageHeadersLength);
  size_t headersLength = 0;
  if (headers.ok() && file.Size(&length))
    headersLength = length < headers.size() ? static_cast<size_t>(length) : headers.size();
  // Only a whole field behind the whole image counts, as one never written:
  // a read that fails half-way, or a file cut into its image, leaves the NULs.
  if (headersLength > 0 && file.ReadAt(0, headers.data(), headersLength) &&
      FieldFollowsImage(length, ImageEndFromHeaders(headers.data(), headersLength)) &&
      file.ReadAt(length - SendersFieldLength, read, SendersFieldLength))
    memcpy(field, read, SendersFieldLength);
  WideString text = FromAnsi(field, SendersFieldLength);
  return text.TrimSpaces();
}

WideString ReadSenders() { return ReadSendersFrom(OwnModulePath()); }
