#pragma once
// Where a card's own program image ends in its file, read from the image's
// headers, so the senders' field is only taken from bytes that lie behind
// the image: a card cut short must not show its own code as names.

#include <stddef.h>

// How many bytes from the start of a file hold the headers read below.
constexpr size_t ImageHeadersLength = 4096;

// The end of the image in its file: the furthest end of a section's raw
// data, never before the end of the section table. 0 when the bytes are not
// whole headers of a program.
unsigned long long ImageEndFromHeaders(const unsigned char* headers, size_t length);

// True when a file of that length has the whole senders' field behind an
// image that ends at imageEnd (0: no image found, so no field either).
bool FieldFollowsImage(unsigned long long fileLength, unsigned long long imageEnd);
