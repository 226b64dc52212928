#include "forms/Form.h"

#include <initializer_list>

#include "common/HalfEven.h"
#include "forms/Control.h"
#include "forms/PictureHolder.h"

Form::~Form() {
  // Our pens, brushes and fonts cannot be deleted while selected.
  ReleaseState(windowDc_);
  ReleaseState(background_.dc());
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool Form::Load(HINSTANCE instance, const FormDesign& design) {
  instance_ = instance;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = design.icon;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = design.className;
  RegisterClassExW(&wc);  // fails harmlessly when a second form of the class loads

  RECT r = {0, 0, design.clientWidth, design.clientHeight};
  AdjustWindowRectEx(&r, design.style, FALSE, design.exStyle);
  int width = r.right - r.left, height = r.bottom - r.top;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  backColor_ = design.backColor;
  if (!CreateWindowExW(design.exStyle, design.className, design.caption, design.style, left, top, width, height,
                       design.owner, nullptr, instance, this))
    return false;
  windowDc_ = GetDC(hwnd_);
  font_ = CreatePointFont(fontSpec_, DisplayDpi());
  RebuildPen();
  RebuildBrush();
  ApplyState(windowDc_);
  background_.Resize(ScaleWidth(), ScaleHeight(), backColor_);
  ApplyState(background_.dc());

  Form_Load();
  if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
  return hwnd_ != nullptr;
}

void Form::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
}

int Form::ScaleWidth() const {
  RECT r = {0, 0, 0, 0};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.right;
}

int Form::ScaleHeight() const {
  RECT r = {0, 0, 0, 0};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.bottom;
}

void Form::MoveWindowTo(int left, int top, int width, int height) {
  if (hwnd_) MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void Form::SetFont(const FontSpec& design) {
  fontSpec_ = design;
  UniqueFont font = CreatePointFont(design, DisplayDpi());
  if (!font) return;
  SelectEverywhere(font.get());
  font_ = static_cast<UniqueFont&&>(font);
}

void Form::SetFontSize(double points) {
  FontSpec font = fontSpec_;
  font.points = points;
  SetFont(font);
}

void Form::SetBackColor(COLORREF color) {
  backColor_ = color;
  background_.Fill(color);  // a new back colour clears the form, as a repaint would
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Form::SetForeColor(COLORREF color) {
  foreColor_ = color;
  RebuildPen();
}

void Form::SetFillColor(COLORREF color) {
  fillColor_ = color;
  RebuildBrush();
}

void Form::SetFillSolid(bool solid) {
  fillSolid_ = solid;
  RebuildBrush();
}

void Form::RebuildPen() {
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, foreColor_));
  if (!pen) return;
  SelectEverywhere(pen.get());
  pen_ = static_cast<UniqueGdiObject&&>(pen);
  for (HDC dc : {windowDc_, background_.dc()})
    if (dc) SetTextColor(dc, foreColor_);
}

void Form::RebuildBrush() {
  UniqueGdiObject brush(fillSolid_ ? CreateSolidBrush(fillColor_) : nullptr);
  SelectEverywhere(brush ? brush.get() : GetStockObject(NULL_BRUSH));
  brush_ = static_cast<UniqueGdiObject&&>(brush);
}

// The replaced object is deleted only after this, once nothing holds it.
void Form::SelectEverywhere(HGDIOBJ object) {
  for (HDC dc : {windowDc_, background_.dc()})
    if (dc) SelectObject(dc, object);
}

void Form::ApplyState(HDC dc) {
  if (!dc) return;
  if (font_) SelectObject(dc, font_.get());
  SelectObject(dc, pen_ ? pen_.get() : GetStockObject(BLACK_PEN));
  SelectObject(dc, brush_ ? brush_.get() : GetStockObject(NULL_BRUSH));
  SetTextColor(dc, foreColor_);
  SetBkMode(dc, TRANSPARENT);
}

void Form::ReleaseState(HDC dc) {
  if (!dc) return;
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
}

HDC Form::Canvas() { return persistent_ ? background_.dc() : windowDc_; }

int Form::TextWidth(const WideString& text) { return MeasureTextWidth(Canvas(), text.c_str(), text.length()); }

void Form::PaintPicture(const PictureHolder& picture, double x, double y) {
  picture.PaintAt(Canvas(), static_cast<int>(RoundHalfEven(x)), static_cast<int>(RoundHalfEven(y)), scratch_);
}

void Form::AddControl(Control* control) {
  if (lastControl_)
    lastControl_->next = control;
  else
    firstControl_ = control;
  lastControl_ = control;
}

// Background and controls are composed off screen and shown in one blit,
// so no half-drawn picture (an icon's bare mask, a label without its
// picture beneath) is ever seen.
void Form::ComposeOnto(HDC dc, const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC composed = scratch_.Get(dc, width, height);
  if (!composed) {
    BitBlt(dc, r.left, r.top, width, height, background_.dc(), r.left, r.top, SRCCOPY);
    for (Control* c = firstControl_; c; c = c->next) c->Paint(dc);
    return;
  }
  SetViewportOrgEx(composed, -r.left, -r.top, nullptr);
  BitBlt(composed, r.left, r.top, width, height, background_.dc(), r.left, r.top, SRCCOPY);
  for (Control* c = firstControl_; c; c = c->next) c->Paint(composed);
  SetViewportOrgEx(composed, 0, 0, nullptr);
  BitBlt(dc, r.left, r.top, width, height, composed, 0, 0, SRCCOPY);
}

// Only the rectangles of the visible controls are composed; the rest of the
// background, where nothing lies over it, goes straight to the window.
void Form::OnPaintMessage() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const RECT& r = ps.rcPaint;
  for (Control* c = firstControl_; c; c = c->next) {
    const RECT bounds = {c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    RECT part;
    if (!c->Visible() || !IntersectRect(&part, &bounds, &r)) continue;
    ComposeOnto(dc, part);
    ExcludeClipRect(dc, part.left, part.top, part.right, part.bottom);  // done: kept from the blit below
  }
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, background_.dc(), r.left, r.top, SRCCOPY);
  SelectClipRgn(dc, nullptr);  // the class DC keeps its clipping past EndPaint
  EndPaint(hwnd_, &ps);
  // The class DC keeps its state across BeginPaint; put the form's back.
  ApplyState(windowDc_);
  Form_Paint();
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint handler covers everything from the background
    case WM_PAINT:
      OnPaintMessage();
      return 0;
    case WM_SIZE:
      if (background_.Resize(LOWORD(lParam), HIWORD(lParam), backColor_)) ApplyState(background_.dc());
      return 0;
    case WM_CHAR: {
      short key = static_cast<short>(wParam);
      Form_KeyPress(key);
      return 0;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_DESTROY: {
      short cancel = 0;
      Form_Unload(cancel);
      if (quitOnDestroy_) PostQuitMessage(0);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* form = static_cast<Form*>(created->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
    form->windowDc_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return form->HandleMessage(message, wParam, lParam);
}
