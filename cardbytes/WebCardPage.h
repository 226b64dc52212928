#pragma once
// The web card: the page template the build assembles, filled with the
// senders' names. Portable, so the host tests and the browser tests fill
// pages with the very code the generator runs.
//
// A template is the page's bytes followed by a one-line trailer,
//   "\n<!-- webcard LLLLLLLL CCCCCCCC NN -->\n"
// giving in hexadecimal the page's length, its CRC-32 and how many places for
// the names it has: "{{senders}}" (the names as text), "{{senders_link}}"
// (as a link's fragment) and "{{senders_fit}}" (their size class, 1 to 5, for
// the page without scripts). A template cut short, changed
// or missing its trailer fails the check and no page comes of it.

#include <stddef.h>

#include "common/ByteBuffer.h"
#include "common/WideString.h"

// The page with the names in every place: as UTF-8 text escaped for HTML
// (text, title and quoted attributes alike), percent-encoded UTF-8 in a link,
// or their size class; without the trailer. False,
// with page left empty, when the template is damaged or memory runs out.
bool FillWebCardPage(const unsigned char* templ, size_t length, const WideString& senders, ByteBuffer& page);
