#pragma once
// The texts of the About window that are built from parts: the version
// caption and the mail links.

#include "common/WideString.h"

// "Versione " + major.minor.revision, each in decimal without leading zeros.
WideString VersionCaption(unsigned major, unsigned minor, unsigned revision);

// "mailto:" + address + "?Subject=Carolux - " + the version caption. Nothing
// is percent-encoded: the mail program gets the subject's spaces as they are.
WideString MailtoLink(const WideString& address, const WideString& versionCaption);

// A number in decimal, without leading zeros.
WideString DecimalText(unsigned value);
