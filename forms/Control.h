#pragma once
// A windowless control: it owns no window, takes no focus, and is painted by
// its form above the form's background, in the order the form created them.

#include <windows.h>

class Form;

class Control {
 public:
  explicit Control(Form& form);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Visible() const { return visible_; }

  void Move(int left, int top, int width, int height);
  void SetLeft(int left) { Move(left, top_, width_, height_); }
  void SetTop(int top) { Move(left_, top, width_, height_); }
  void SetWidth(int width) { Move(left_, top_, width, height_); }
  void SetVisible(bool visible);

  // Paints the control onto dc (the form's paint context) when it is visible.
  virtual void Paint(HDC dc) const { (void)dc; }

  Control* next = nullptr;  // creation order, kept by the form

 protected:
  void Invalidate() const;
  Form& form_;  // not owned: the form outlives its controls

 private:
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false;
};
