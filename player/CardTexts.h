#pragma once
// The card's own words, shared by the card window and the web card.

// The credit line's names and site are the card makers' own.
constexpr wchar_t kCreditLine[] =
    L"By Elena Pinetti && Luca Abetini    Per scaricare questo programma visita il sito: carolux.example";

constexpr wchar_t kGreetingText[] = L"Buon Natale e felice anno nuovo";
