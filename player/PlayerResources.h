#pragma once
// Resource numbers of the card, shared by the code, the resource script and
// the build's pack (cmake/Windows.cmake).

#define IDI_CARD_WINDOW 1
#define IDI_NEVE 101
#define IDI_GREEN 102
#define IDI_STAR_BRIGHT 103
#define IDI_STAR_DARK 104
#define IDI_SNOWMAN 105
#define IDI_CANDLE 106
#define IDI_BAUBLE 107

#define IDR_MUSIC 100  // the tune, a Standard MIDI File
#define IDR_CHIME 200  // the chime, a WAVE file
#define IDR_PACK 300   // all of the above but the window's icon, packed
