#pragma once
// The web card: the page template the build assembles, filled with the
// senders' names. Portable, so the host tests and the browser tests fill
// pages with the very code the generator runs.
//
// A template is the page's bytes followed by a one-line trailer,
//   "\n<!-- webcard LLLLLLLL CCCCCCCC NN -->\n"
// giving in hexadecimal the page's length, its CRC-32 and how many times the
// names' placeholder "{{senders}}" occurs in it. A template cut short, changed
// or missing its trailer fails the check and no page comes of it.

#include <stddef.h>

#include "common/ByteBuffer.h"
#include "common/WideString.h"

// The page with the names in every placeholder, as UTF-8 text escaped for
// HTML (text, title and quoted attributes alike), without the trailer. False,
// with page left empty, when the template is damaged or memory runs out.
bool FillWebCardPage(const unsigned char* templ, size_t length, const WideString& senders, ByteBuffer& page);
