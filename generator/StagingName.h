#pragma once
// Where a card is put together before it replaces its destination: a
// temporary file in the destination's own folder, so the final step is a
// rename within one volume.

#include "common/WideString.h"

// The temporary file's name for the given attempt number ("~crl" + the
// number in hexadecimal + ".tmp", in the card's folder).
WideString StagingName(const WideString& cardPath, unsigned attempt);
