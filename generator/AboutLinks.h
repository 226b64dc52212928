#pragma once
// The texts of the About window that are built from parts: the version
// caption and the mail links.

#include "common/WideString.h"

// "Versione " + major.minor.revision, each in decimal without leading zeros.
WideString VersionCaption(unsigned major, unsigned minor, unsigned revision);

// "mailto:" + address + "?Subject=" + "Carolux - " and the version caption,
// percent-encoded: mail programs that stop a link at its first space still
// get the whole subject.
WideString MailtoLink(const WideString& address, const WideString& versionCaption);

// A text as a link's query value: letters, digits and "-._~" as they are,
// every other character as %XX of its UTF-8 bytes.
WideString PercentEncoded(const WideString& text);

