#pragma once
// Numbers as the messages and captions write them.

#include "common/WideString.h"

// A number in decimal, without leading zeros.
WideString DecimalText(unsigned value);
