#include "cardbytes/CardBytes.h"

#include <string.h>

#include "cardbytes/WebCardPage.h"
#include "codecs/ZipArchive.h"
#include "common/Utf8.h"
#include "common/WholeCharacters.h"

namespace {

// The player image with the names in its last 70 bytes.
CardBytesResult MakeProgram(const CardMaterial& material, const WideString& senders, const CardCodePage& codePage,
                            ByteBuffer& card) {
  if (material.imageLength < SendersFieldLength) return CardBytesResult::NoMemory;
  ByteBuffer image(material.imageLength);
  ByteBuffer field = codePage.encode(senders);
  if (!image.ok() || !field.ok()) return CardBytesResult::NoMemory;
  memcpy(image.data(), material.image, material.imageLength);
  MakeSendersField(field.data(), field.size(), codePage.isLeadByte,
                   image.data() + image.size() - SendersFieldLength);
  card = static_cast<ByteBuffer&&>(image);
  return CardBytesResult::Made;
}

// The card's name inside an archive as the archive stores it: in the code
// page when every character has its own there (no look-alike standing in),
// else in UTF-8, flagged.
ByteBuffer MemberName(const WideString& zipPath, const CardCodePage& codePage, bool* utf8) {
  WideString name = ZipMemberName(zipPath);
  *utf8 = !codePage.outside(name).empty();
  return *utf8 ? ToUtf8(name) : codePage.encode(name);
}

// The finished card, zipped under the archive's own name.
CardBytesResult MakeArchive(const CardMaterial& material, const WideString& zipPath, const WideString& senders,
                            uint32_t dosDateTime, const CardCodePage& codePage, ByteBuffer& card) {
  ByteBuffer program;
  CardBytesResult made = MakeProgram(material, senders, codePage, program);
  if (made != CardBytesResult::Made) return made;
  bool utf8 = false;
  ByteBuffer name = MemberName(zipPath, codePage, &utf8);
  ZipMember member = {name.data(), name.size(), utf8, dosDateTime};
  ZipArchive archive;
  if (!name.ok() || !archive.Build(member, program.data(), program.size())) return CardBytesResult::NoMemory;
  ByteBuffer bytes(archive.size());
  if (!bytes.ok()) return CardBytesResult::NoMemory;
  memcpy(bytes.data(), archive.data(), archive.size());
  card = static_cast<ByteBuffer&&>(bytes);
  return CardBytesResult::Made;
}

}  // namespace

CardBytesResult MakeCardBytes(CardKind kind, const CardMaterial& material, const WideString& cardPath,
                              const WideString& typed, uint32_t dosDateTime, const CardCodePage& codePage,
                              ByteBuffer& card) {
  card = ByteBuffer();
  // Names come from a field that keeps them whole, or from anywhere else:
  // no card may end them in half a character.
  WideString senders = WholeCharacters(typed, SendersFieldLength);
  switch (kind) {
    case CardKind::Web:
      return FillWebCardPage(material.webTemplate, material.webTemplateLength, senders, card)
                 ? CardBytesResult::Made
                 : CardBytesResult::DamagedTemplate;
    case CardKind::Zipped:
      return MakeArchive(material, cardPath, senders, dosDateTime, codePage, card);
    case CardKind::Program:
      break;
  }
  return MakeProgram(material, senders, codePage, card);
}
