#pragma once
// Reads a raw deflate stream (stored, fixed and dynamic Huffman blocks) into
// a buffer of known size. Small on purpose: it lives in the card, to unpack
// the card's pictures, which travel compressed.

#include <stddef.h>

// Writes the data of the stream in[0..inLength) into out, which holds
// outLength bytes, and returns how many bytes it wrote; 0 when the stream is
// damaged, ends early, or holds more than outLength bytes.
size_t Inflate(const unsigned char* in, size_t inLength, unsigned char* out, size_t outLength);
