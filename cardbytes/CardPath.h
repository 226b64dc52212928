#pragma once
// What a card's path says about the card: its kind, chosen once from the
// final name's ending; the final name itself, made from what the save
// dialog returned and the type chosen there; and the card's name inside an
// archive.

#include "common/WideString.h"

enum class CardKind { Program, Zipped, Web };

// The save dialog's filter: its types in order, each a description and a
// pattern ended by a NUL (the WideString's own terminator ends the list).
// The designed type comes first, so it is the default.
WideString CardTypesFilter();

// The card's name when none is given, without its extension.
extern const wchar_t kDefaultCardName[];

// The kind a path's ending names, in any case: ".zip" a zipped card, ".html"
// or ".htm" a web card; ".exe", and anything else, the card itself.
CardKind CardKindOf(const WideString& path);

// The destination for the name the save dialog returned with the type chosen
// there (its filter index, counting from 1; anything else counts as the
// first), without the trailing dots and spaces that the file system would
// drop. A name ending in a card kind's extension keeps it; any other ending,
// or none, gets the chosen type's extension: "Auguri.v2" with the zipped
// type becomes "Auguri.v2.zip". The dialog's own appending of that extension
// to a name ending in a space or a dot is undone first: "Auguri .html .html"
// with the web type is "Auguri .html".
WideString FinalCardPath(const WideString& chosen, unsigned long filterIndex);

// The card's name inside the archive at zipPath: the archive's own name
// with ".exe" in place of its extension ("C:\Auguri.zip" holds "Auguri.exe").
WideString ZipMemberName(const WideString& zipPath);
