#pragma once
// Base of the programs' windows, in the form-and-event shape: the window is
// created hidden, Form_Load runs, then it is shown. Drawing goes either into
// the persistent background (kept across repaints) or straight onto the
// window, with the form's font, colours and fill.

#include <windows.h>

#include "common/WideString.h"
#include "forms/BackgroundImage.h"
#include "forms/Font.h"
#include "forms/ScratchSurface.h"

class Control;
class PictureHolder;

struct FormDesign {
  const wchar_t* className;
  const wchar_t* caption;
  DWORD style;
  DWORD exStyle;
  int clientWidth;  // pixels at the display's resolution
  int clientHeight;
  COLORREF backColor;
  HICON icon;       // not owned
  HWND owner;       // not owned
};

class Form {
 public:
  Form() = default;
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window centred on the screen, runs Form_Load, shows it.
  bool Load(HINSTANCE instance, const FormDesign& design);
  void Unload();  // destroys the window; Form_Unload runs

  HWND hwnd() const { return hwnd_; }
  HINSTANCE instance() const { return instance_; }
  int ScaleWidth() const;
  int ScaleHeight() const;
  void MoveWindowTo(int left, int top, int width, int height);

  // Drawing state, applied to whichever surface drawing goes to.
  void SetFont(const FontSpec& font);
  double FontSize() const { return fontSpec_.points; }
  void SetFontSize(double points);
  void SetBackColor(COLORREF color);
  void SetForeColor(COLORREF color);
  void SetFillColor(COLORREF color);
  void SetFillSolid(bool solid);
  void SetPersistentDrawing(bool on) { persistent_ = on; }
  bool PersistentDrawing() const { return persistent_; }

  // The device context drawing goes to now, with the form's state selected.
  HDC Canvas();
  int TextWidth(const WideString& text);
  void PaintPicture(const PictureHolder& picture, double x, double y);

  BackgroundImage& Background() { return background_; }
  void AddControl(Control* control);

 protected:
  virtual void Form_Load() {}
  virtual void Form_Paint() {}
  virtual void Form_KeyPress(short& keyAscii) { (void)keyAscii; }
  virtual void Form_Unload(short& cancel) { (void)cancel; }
  virtual void OnTimer(UINT_PTR id) { (void)id; }
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool quitOnDestroy_ = false;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaintMessage();
  void ComposeOnto(HDC dc, const RECT& r);
  void ApplyState(HDC dc);
  void RebuildPen();
  void RebuildBrush();
  void ReleaseState(HDC dc);
  void SelectEverywhere(HGDIOBJ object);

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HDC windowDc_ = nullptr;  // the class's own DC: kept by the system for the window's life
  BackgroundImage background_;
  ScratchSurface scratch_;  // where pictures and controls are composed
  bool persistent_ = false;

  FontSpec fontSpec_ = {L"MS Sans Serif", 8.25, false, false, false};
  UniqueFont font_;
  UniqueGdiObject pen_;
  UniqueGdiObject brush_;
  COLORREF backColor_ = RGB(255, 255, 255);
  COLORREF foreColor_ = RGB(0, 0, 0);
  COLORREF fillColor_ = RGB(0, 0, 0);
  bool fillSolid_ = false;

  Control* firstControl_ = nullptr;
  Control* lastControl_ = nullptr;
};
