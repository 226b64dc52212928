#pragma once
// Reading the senders' field of a card file (Windows side).

#include "common/WideString.h"

// The senders' field of the given card file, spaces trimmed at both ends.
// Whatever fails, it returns: a file that cannot be read, or one too short to
// hold the field behind its own program image, gives 70 NULs.
WideString ReadSendersFrom(const WideString& cardPath);

// The senders' field of the running card, read from its own file as the
// system reports its path (a card renamed to another extension still finds
// its own names).
WideString ReadSenders();
