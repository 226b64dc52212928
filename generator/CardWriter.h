#pragma once
// Writing a card whole or not at all. The card is put together in a
// temporary file in the destination's folder: first the player image copied
// out of the generator's own file, then the senders' field in its last 70
// bytes; only then does it take the destination's place, in one rename. A
// failure at any step removes the temporary file and leaves the destination
// as it was (missing, or the old file untouched).
// A destination ending in ".zip" gets the same card zipped: the copy then
// waits in memory, the temporary file is made empty, and the finished card
// goes into it as a one-member archive before the rename.

#include <windows.h>

#include "common/ByteBuffer.h"
#include "common/WideString.h"

class CardWriter {
 public:
  CardWriter() = default;
  ~CardWriter() { Discard(); }
  CardWriter(const CardWriter&) = delete;
  CardWriter& operator=(const CardWriter&) = delete;

  // The copy: reads the player image from PlayerImageOffset to the end of
  // the container, makes sure an existing destination may be replaced, and
  // writes the image to a new temporary file beside it.
  bool CopyPlayerImage(const WideString& containerPath, const WideString& cardPath);

  // The senders' field: written into the last 70 bytes of the copied image;
  // then the finished card replaces the destination.
  bool WriteSendersAndPlace(const WideString& senders);

  // The system's code for the last failure.
  DWORD Error() const { return error_; }
  // The temporary file, while a copied card waits for its field (tests).
  const WideString& StagedPath() const { return staged_; }
  // Removes a card that was copied but not placed.
  void Discard();

 private:
  bool Fail(DWORD error);
  bool CheckReplaceable(const WideString& cardPath);
  bool CreateStaged(const WideString& cardPath, const unsigned char* image, size_t length);
  DWORD WriteField(const unsigned char* field);
  DWORD WriteArchive(const unsigned char* field);

  WideString cardPath_;
  ByteBuffer zippedCard_;  // the copy, while a zipped card waits for its field
  WideString staged_;
  DWORD error_ = ERROR_SUCCESS;
};
