#pragma once
// The CRC-32 that ZIP archives carry for each member (reflected polynomial
// 0xEDB88320, all bits inverted before and after).

#include <stddef.h>
#include <stdint.h>

// crc: the result for the bytes before these, to go on in pieces; 0 to start.
uint32_t Crc32(const unsigned char* data, size_t length, uint32_t crc = 0);
