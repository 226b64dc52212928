#pragma once
// The card's show: garland, ornaments, star, credit line, greeting, senders,
// the final wait and the ending.

#include <stdint.h>

#include "common/WideString.h"
#include "player/SceneCanvas.h"

// Where the garland turns (rows 0..9; row 10 is never written) and where it
// leaves x and y for the star.
struct Garland {
  int32_t TurnPoints[11][2];  // column 0 = x, column 1 = y
  float x;
  float y;
};

// One green picture, then the 40 ms pause that paces the tree. False once a
// key press has ended the show.
bool StampGreen(SceneCanvas& canvas, float x, float y);

// The twelve runs of green stamps, starting at the base from L to R at
// height y. False if the show ended during it; garland is then incomplete.
bool DrawGarland(SceneCanvas& canvas, int32_t L, int32_t R, float y, Garland& garland);

// The whole show; returns only where a key press ended it (on the window,
// never) or after EndShow.
void PlayScene(SceneCanvas& canvas, const WideString& greetingText, const WideString& sendersText);
