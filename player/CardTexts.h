#pragma once
// The card's own words, shared by the card window and the web card. Kept as
// literals so that each program lays them out as it always has.

// The credit line's names and site are the card makers' own.
#define CARD_CREDIT_LINE \
  L"By Elena Pinetti && Luca Abetini    Per scaricare questo programma visita il sito: carolux.example"

#define CARD_GREETING_TEXT L"Buon Natale e felice anno nuovo"
