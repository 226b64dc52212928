#pragma once
// Writing a card whole or not at all, whatever its kind. The destination's
// ending chooses the kind (CardKindOf): the card itself, the same card
// zipped, or the web card, a page made from the template this program
// carries. Each kind only makes its bytes (MakeCardBytes, which the
// generator's page shares); the rest is one road for all:
// the first step reads what the card is made of (the player image copied out
// of the generator's own file, or the page template), makes sure an existing
// destination may be replaced and makes an empty temporary file beside it;
// the second makes the card with the senders' names, writes it into the
// temporary file and puts that in the destination's place in one rename. A
// failure at any step removes the temporary file and leaves the destination
// as it was (missing, or the old file untouched).

#include <windows.h>

#include "cardbytes/CardPath.h"
#include "common/ByteBuffer.h"
#include "common/WideString.h"
#include "generator/WebTemplate.h"

// The failure of a web card whose template is missing or damaged (or that
// memory could not hold): a code of our own (bit 29 marks codes the system
// never uses).
constexpr DWORD kErrorWebTemplate = 0x20000001;

class CardWriter {
 public:
  // Web cards from this program's own template.
  CardWriter() : template_(OwnWebTemplate()) {}
  // Web cards from the given template (tests: a damaged or missing one).
  explicit CardWriter(WebTemplate webTemplate) : template_(webTemplate) {}
  ~CardWriter() { Discard(); }
  CardWriter(const CardWriter&) = delete;
  CardWriter& operator=(const CardWriter&) = delete;

  // The first step: reads the player image from PlayerImageOffset to the
  // end of the container (or, for a web card, checks the template), makes
  // sure an existing destination may be replaced, and makes the empty
  // temporary file beside it.
  bool Prepare(const WideString& containerPath, const WideString& cardPath);

  // The second step: the card with the senders' names goes into the
  // temporary file, which then replaces the destination. A card and a zipped
  // card carry the names in the player's 70-byte ANSI field; a web card shows
  // them as typed.
  bool WriteSendersAndPlace(const WideString& senders);

  // The system's code for the last failure, or kErrorWebTemplate.
  DWORD Error() const { return error_; }
  // The temporary file, while a prepared card waits for its names (tests).
  const WideString& StagedPath() const { return staged_; }
  // Removes a card that was prepared but not placed.
  void Discard();

 private:
  bool Fail(DWORD error);
  bool ReadPlayerImage(const WideString& containerPath);
  bool CheckTemplate();
  bool CheckReplaceable(const WideString& cardPath);
  bool CreateStaged(const WideString& cardPath);
  DWORD WriteStaged(const unsigned char* bytes, size_t length);

  const WebTemplate template_;
  WideString cardPath_;
  CardKind kind_ = CardKind::Program;
  ByteBuffer image_;  // the player image, while a card or zipped card waits for its names
  WideString staged_;
  DWORD error_ = ERROR_SUCCESS;
};
