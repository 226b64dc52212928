#pragma once
// The card's resources, each written here once: the code, the resource
// script, the build's pack and the web card's page all read these lines.

#define IDI_CARD_WINDOW 1  // the window's icon, also the file's
#define IDR_PACK 300       // all of the below, packed (cmake/pack_resources.py)

// The card's pictures, one line each: the card window's picture holder, its
// number in the pack, its icon in assets/player, its designed place (pixels
// at 96 dots per inch), its size, and whether it shows from the start. In
// the window's designed creation order, which is its paint order: those
// made before the credit line's label, then those made after it. The show
// numbers them (CardPicture) in the same order.
#define CARD_PICTURES_BEFORE_LABEL(X)                  \
  X(imgNeve, 101, "neve.ico", 32, 104, 32, true)       \
  X(picGreen, 102, "green.ico", 120, 72, 32, true)     \
  X(imgStar1, 104, "star_dark.ico", 176, 0, 48, false) \
  X(imgPupNeve, 105, "snowman.ico", 88, 8, 32, false)
#define CARD_PICTURES_AFTER_LABEL(X)                     \
  X(imgCandle, 106, "candle.ico", 8, 48, 32, false)      \
  X(imgStar0, 103, "star_bright.ico", 128, 0, 48, false) \
  X(picRed, 107, "bauble.ico", 8, 8, 32, false)
#define CARD_PICTURES(X) CARD_PICTURES_BEFORE_LABEL(X) CARD_PICTURES_AFTER_LABEL(X)

// The card's sounds: the tune, a Standard MIDI File, and the chime, a WAVE file.
#define IDR_MUSIC 100
#define IDR_CHIME 200
#define CARD_SOUNDS(X) X(IDR_MUSIC, "tune.mid") X(IDR_CHIME, "chime.wav")
