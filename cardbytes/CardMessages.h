#pragma once
// The messages the program and the generator's page share, in the program's
// words.

#include "common/WideString.h"

// The senders' names hold characters the card cannot show: which, each
// apart, and the question whether to make the card all the same.
WideString UnshownCharactersQuestion(const WideString& characters);
