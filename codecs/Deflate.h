#pragma once
// A raw deflate stream (the format of ZIP's method 8): one final block of
// fixed Huffman codes with LZ77 matches, found through hash chains and
// chosen one byte lazily; or stored blocks when those are smaller, as for
// data that does not compress. Small on purpose: it lives in the
// generator's image, in front of the player image.

#include <stddef.h>

// Room the stream of length bytes may need at most.
size_t DeflateBound(size_t length);

// Writes the stream for the data into out, which holds DeflateBound(length)
// bytes, and returns its length; 0 when the working memory could not be had
// (a stream is never empty).
size_t Deflate(const unsigned char* data, size_t length, unsigned char* out);
