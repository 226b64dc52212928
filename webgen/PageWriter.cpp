// What the generator's page asks of the program's own writing code,
// compiled to WebAssembly: the final name, the question about the names, and
// the card's bytes, in code page 1252. Texts cross as arrays of code points
// (wchar_t is UTF-32 here); results stay in this module's memory until the
// page has read them and releases what the call used.

#include <stdint.h>
#include <stdlib.h>

#include "cardbytes/CardBytes.h"
#include "cardbytes/CardMessages.h"
#include "cardbytes/CardPath.h"
#include "cardbytes/CodePage1252.h"
#include "codecs/ZipArchive.h"
#include "common/WholeCharacters.h"
#include "webgen/DownloadName.h"

extern "C" uintptr_t HeapMark();
extern "C" void HeapRelease(uintptr_t mark);

#define PAGE_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace {

CardMaterial material = {};
// The last call's result, until the page releases it.
WideString text;
ByteBuffer card;

WideString Text(const wchar_t* units, size_t length) { return WideString(units, length); }

}  // namespace

// Room for what the page puts in: the material once, each call's texts.
PAGE_EXPORT("reserve") void* Reserve(size_t bytes) { return malloc(bytes); }

// What every card is made of, kept for the page's life.
PAGE_EXPORT("setMaterial") void SetMaterial(const unsigned char* image, size_t imageLength,
                                            const unsigned char* webTemplate, size_t webTemplateLength) {
  material = CardMaterial{image, imageLength, webTemplate, webTemplateLength};
}

// Everything a call made is forgotten at once: the page calls on each key.
PAGE_EXPORT("mark") uintptr_t Mark() { return HeapMark(); }
PAGE_EXPORT("release") void Release(uintptr_t mark) {
  text = WideString();
  card = ByteBuffer();
  HeapRelease(mark);
}

PAGE_EXPORT("textData") const wchar_t* TextData() { return text.c_str(); }
PAGE_EXPORT("textLength") size_t TextLength() { return text.length(); }
PAGE_EXPORT("cardData") const unsigned char* CardData() { return card.data(); }
PAGE_EXPORT("cardLength") size_t CardLength() { return card.size(); }

// The names as the program's field keeps them: at most 70 UTF-16 units of
// whole characters.
PAGE_EXPORT("wholeNames") void WholeNames(const wchar_t* names, size_t length) {
  text = WholeCharacters(Text(names, length), SendersFieldLength);
}

// The file's name for the typed name and the chosen type (from 1), by the
// program's rule; returns the kind it names (0 card, 1 zipped, 2 web).
PAGE_EXPORT("finalName") int FinalName(const wchar_t* chosen, size_t length, unsigned type) {
  text = DownloadName(Text(chosen, length), type);
  return static_cast<int>(CardKindOf(text));
}

// The program's question about names the card cannot show, or nothing: the
// web card shows every character.
PAGE_EXPORT("question") void Question(const wchar_t* fileName, size_t fileLength, const wchar_t* names,
                                      size_t namesLength) {
  WideString outside;
  if (CardKindOf(Text(fileName, fileLength)) != CardKind::Web)
    outside = CharactersOutsideCp1252(Text(names, namesLength));
  text = outside.empty() ? WideString() : UnshownCharactersQuestion(outside);
}

// What the page says once it has handed the card over.
PAGE_EXPORT("handedMessage") void HandedMessage(const wchar_t* fileName, size_t length) {
  text = CardHandedMessage(Text(fileName, length));
}
PAGE_EXPORT("sharedMessage") void SharedMessage() { text = CardSharedMessage(); }

// The card for the final file name, dated with the page's local time;
// returns 0 when made, 1 when memory ran out, 2 when the template is damaged.
PAGE_EXPORT("makeCard") int MakeCard(const wchar_t* fileName, size_t fileLength, const wchar_t* names,
                                     size_t namesLength, unsigned year, unsigned month, unsigned day, unsigned hour,
                                     unsigned minute, unsigned second) {
  WideString path = Text(fileName, fileLength);
  CardBytesResult made = MakeCardBytes(CardKindOf(path), material, path, Text(names, namesLength),
                                       DosDateTime(year, month, day, hour, minute, second), kCodePage1252, card);
  return made == CardBytesResult::Made ? 0 : made == CardBytesResult::NoMemory ? 1 : 2;
}
