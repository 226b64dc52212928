#pragma once
// The messages the program and the generator's page share, in the program's
// words.

#include "common/WideString.h"

// The card is made: the program's confirmation.
WideString CardCreatedMessage();
// The page's: the card handed to the browser, which downloads it under that
// name; or handed to the system's sharing.
WideString CardHandedMessage(const WideString& fileName);
WideString CardSharedMessage();

// The senders' names hold characters the card cannot show: which, each
// apart, and the question whether to make the card all the same.
WideString UnshownCharactersQuestion(const WideString& characters);
