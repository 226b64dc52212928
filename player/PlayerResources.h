#pragma once
// The card's resources, each written here once: the code, the resource
// script, the build's pack and the web card's page all read these lines.

#define IDI_CARD_WINDOW 1  // the window's icon, also the file's
#define IDR_PACK 300       // all of the below, packed (cmake/pack_resources.py)

// The card's pictures, one line each, in the order the show numbers them
// (CardPicture): the card window's picture holder, its number in the pack,
// its icon in assets/player, its designed place (pixels at 96 dots per inch),
// its size, and whether it shows from the start.
#define CARD_PICTURES(X)                                  \
  X(picGreen, 102, "green.ico", 120, 72, 32, true)        \
  X(picRed, 107, "bauble.ico", 8, 8, 32, false)           \
  X(imgCandle, 106, "candle.ico", 8, 48, 32, false)       \
  X(imgStar0, 103, "star_bright.ico", 128, 0, 48, false)  \
  X(imgStar1, 104, "star_dark.ico", 176, 0, 48, false)    \
  X(imgPupNeve, 105, "snowman.ico", 88, 8, 32, false)     \
  X(imgNeve, 101, "neve.ico", 32, 104, 32, true)

// The card's sounds: the tune, a Standard MIDI File, and the chime, a WAVE file.
#define IDR_MUSIC 100
#define IDR_CHIME 200
#define CARD_SOUNDS(X) X(IDR_MUSIC, "tune.mid") X(IDR_CHIME, "chime.wav")
