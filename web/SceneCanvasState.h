#pragma once
// What a browser-side canvas keeps of the scene's calls and hands back as
// the card window does: the font size, the credit line's place, the star's.
// The two canvases of the web card differ only in where the drawing goes.

#include <stdint.h>

#include "player/SceneCanvas.h"

// The window's font: Comic Sans MS at 32 points, bold.
constexpr double kWindowFontPoints = 32;

class SceneCanvasState : public SceneCanvas {
 public:
  double FontSize() const override { return points_; }
  void SetFontSize(double points) override { points_ = points; }
  void SetLabelWidth(int width) override { labelWidth_ = width; }
  void SetLabelLeft(int left) override { labelLeft_ = left; }
  void SetLabelTop(int top) override { labelTop_ = top; }
  int LabelLeft() const override { return labelLeft_; }
  int LabelTop() const override { return labelTop_; }
  void SetStar(int16_t starX, int16_t starY) override {
    starX_ = starX;
    starY_ = starY;
  }

 protected:
  double points_ = kWindowFontPoints;
  int labelWidth_ = 0;
  int labelLeft_ = 0;
  int labelTop_ = 0;
  int16_t starX_ = 0;
  int16_t starY_ = 0;
};
