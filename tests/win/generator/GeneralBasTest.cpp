// The two helpers on the real system: the label fitting of a path on the
// generator's own label size and font, and the save dialog.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "common/HalfEven.h"
#include "forms/ControlForm.h"
#include "forms/TipLabel.h"
#include "forms/Twips.h"
#include "generator/GeneralBas.h"
#include "tests/win/TestFiles.h"

namespace {

std::wstring W(const WideString& s) { return std::wstring(s.c_str(), s.length()); }

// A window like frmWizard as far as the path label goes: its font and lblDir.
class LabelForm : public ControlForm {
 public:
  bool Open() {
    FormDesign d = {};
    d.className = L"CaroluxTestLabelForm";
    d.caption = L"Carolux";
    d.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    d.clientWidth = TwipsToPixels(8205, DisplayDpi());
    d.clientHeight = TwipsToPixels(5835, DisplayDpi());
    d.backColor = GetSysColor(COLOR_BTNFACE);
    return Load(GetModuleHandleW(nullptr), d);
  }
  TipLabel lblDir{*this};

 protected:
  void Form_Load() override {
    SetFont(FontSpec{L"Arial", 8.25, false, false, false});
    RECT r = TwipsRect(120, 1320, 6615, 375, DisplayDpi());
    lblDir.Move(r.left, r.top, r.right - r.left, r.bottom - r.top);
    lblDir.SetVisible(true);
    lblDir.SetNoPrefix(true);  // as frmWizard's: paths show "&" as it is
    CreateToolTips();
    lblDir.AttachToolTip(&ToolTips(), 7);
  }
};

int WidthInWindowFont(HWND hwnd, const std::wstring& text) {
  HDC dc = GetDC(hwnd);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(hwnd, dc);
  return size.cx;
}

class FitLabelTextTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form_.Open()); }
  LabelForm form_;
};

const std::wstring kDeep =
    L"C:\\Documents and Settings\\Utente\\Desktop\\Una cartella dal nome piuttosto lungo\\Ancora un'altra "
    L"cartella\\Natale 2024\\Biglietti per i parenti lontani\\Vavuri.exe";

}  // namespace

TEST_F(FitLabelTextTest, TheLabelHasTheDesignedSize) {
  EXPECT_EQ(form_.lblDir.Width(), TwipsToPixels(6615, DisplayDpi()));
  EXPECT_EQ(form_.lblDir.Height(), TwipsToPixels(375, DisplayDpi()));
  if (DisplayDpi() == 96) {
    EXPECT_EQ(form_.lblDir.Width(), 441);
    EXPECT_EQ(form_.lblDir.Height(), 25);
  }
}

TEST_F(FitLabelTextTest, AShortPathStaysAndHasNoTooltip) {
  form_.lblDir.SetToolTipText(L"un suggerimento di prima");
  WideString fitted = FitLabelText(form_.lblDir, L"C:\\Auguri\\Vavuri.exe", DT_PATH_ELLIPSIS, form_);
  EXPECT_EQ(W(fitted), L"C:\\Auguri\\Vavuri.exe");
  EXPECT_EQ(W(form_.lblDir.Tag()), L"C:\\Auguri\\Vavuri.exe");
  EXPECT_EQ(W(form_.lblDir.ToolTipText()), L"");
  EXPECT_EQ(W(form_.ToolTips().AreaTip(7)), L"");
}

namespace {

// base + some filler + "\Vavuri.exe", as wide in the window's font as
// wanted: the widest not above maxWidth, or the narrowest above minWidth.
std::wstring PathOfWidth(HWND hwnd, const std::wstring& base, int minWidth, int maxWidth) {
  std::wstring best;
  int bestWidth = 0;
  for (int wide = 0; wide < 80; ++wide) {
    for (int narrow = 0; narrow < 8; ++narrow) {
      std::wstring path = base + std::wstring(wide, L'x') + std::wstring(narrow, L'l') + L"\\Vavuri.exe";
      int width = WidthInWindowFont(hwnd, path);
      if (width < minWidth || width > maxWidth) continue;
      bool better = best.empty() || (minWidth == 0 ? width > bestWidth : width < bestWidth);
      if (better) best = path, bestWidth = width;
    }
  }
  return best;
}

}  // namespace

// An "&" shown as it is must be measured too: a path a glyph too wide for the
// label is shortened, one that just fits is left whole.
TEST_F(FitLabelTextTest, AmpersandsAreMeasuredAsTheLabelDrawsThem) {
  const std::wstring base = L"C:\\Auguri & Natale\\";
  const int room = static_cast<int>(RoundHalfEven(form_.lblDir.Width() * 0.97));
  const int ampersand = WidthInWindowFont(form_.hwnd(), L"&");
  ASSERT_GT(ampersand, 1);

  std::wstring fits = PathOfWidth(form_.hwnd(), base, 0, room);
  ASSERT_GE(WidthInWindowFont(form_.hwnd(), fits), room - 2) << "only just fits";
  EXPECT_EQ(W(FitLabelText(form_.lblDir, fits.c_str(), DT_PATH_ELLIPSIS, form_)), fits);
  EXPECT_EQ(W(form_.lblDir.ToolTipText()), L"");

  // Wider than the room by less than the "&": without it, it would fit.
  std::wstring tooWide = PathOfWidth(form_.hwnd(), base, room + 1, room + ampersand - 1);
  ASSERT_FALSE(tooWide.empty());
  std::wstring text = W(FitLabelText(form_.lblDir, tooWide.c_str(), DT_PATH_ELLIPSIS, form_));
  EXPECT_NE(text, tooWide);
  EXPECT_NE(text.find(L"..."), std::wstring::npos) << text;
  EXPECT_LE(WidthInWindowFont(form_.hwnd(), text), room) << text;
  EXPECT_EQ(text.substr(text.size() - 11), L"\\Vavuri.exe");
  EXPECT_EQ(W(form_.lblDir.ToolTipText()), tooWide);
  EXPECT_EQ(W(form_.ToolTips().AreaTip(7)), tooWide);
}

TEST_F(FitLabelTextTest, ADeepPathIsShortenedInItsMiddleKeepingTheFileName) {
  ASSERT_GT(WidthInWindowFont(form_.hwnd(), kDeep), 441) << "the test path must be too wide";
  WideString fitted = FitLabelText(form_.lblDir, kDeep.c_str(), DT_PATH_ELLIPSIS, form_);
  std::wstring text = W(fitted);
  EXPECT_NE(text.find(L"..."), std::wstring::npos) << text;
  EXPECT_LT(text.size(), kDeep.size());
  EXPECT_EQ(text.substr(0, 3), L"C:\\");
  const std::wstring name = L"\\Vavuri.exe";
  ASSERT_GE(text.size(), name.size());
  EXPECT_EQ(text.substr(text.size() - name.size()), name) << text;
  EXPECT_LE(WidthInWindowFont(form_.hwnd(), text), 428) << "fits 0.97 of the label";
  EXPECT_EQ(W(form_.lblDir.Tag()), kDeep);
  EXPECT_EQ(W(form_.lblDir.ToolTipText()), kDeep);
  EXPECT_EQ(W(form_.ToolTips().AreaTip(7)), kDeep);

  // Back to a short path: the long one's tooltip goes, the Tag follows.
  EXPECT_EQ(W(FitLabelText(form_.lblDir, L"C:\\Vavuri.exe", DT_PATH_ELLIPSIS, form_)), L"C:\\Vavuri.exe");
  EXPECT_EQ(W(form_.lblDir.Tag()), L"C:\\Vavuri.exe");
  EXPECT_EQ(W(form_.lblDir.ToolTipText()), L"");
  EXPECT_EQ(W(form_.ToolTips().AreaTip(7)), L"");
  // And a long one again brings its own.
  FitLabelText(form_.lblDir, kDeep.c_str(), DT_PATH_ELLIPSIS, form_);
  EXPECT_EQ(W(form_.ToolTips().AreaTip(7)), kDeep);
}

TEST_F(FitLabelTextTest, PathsOutsideTheCodePageKeepTheirCharacters) {
  std::wstring path = L"D:\\\x65E5\x672C\\\x0391\x03B8\x03AE\x03BD\x03B1\\Auguri \x03B1.exe";
  EXPECT_EQ(W(FitLabelText(form_.lblDir, path.c_str(), DT_PATH_ELLIPSIS, form_)), path);
  std::wstring deep = kDeep.substr(0, kDeep.size() - 10) + L"\x03B1\x03B2\x03B3.exe";
  std::wstring text = W(FitLabelText(form_.lblDir, deep.c_str(), DT_PATH_ELLIPSIS, form_));
  EXPECT_EQ(text.substr(text.size() - 7), L"\x03B1\x03B2\x03B3.exe");
  EXPECT_NE(text.find(L"..."), std::wstring::npos);
}

namespace {

const wchar_t kTitle[] = L"Seleziona cartella e nome dove salvare il biglietto di auguri";
const int kFileNameBox = 1148;  // the dialog's file name box

struct EditSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindFileNameEdit(HWND hwnd, LPARAM lp) {
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  if (GetDlgCtrlID(hwnd) == kFileNameBox && lstrcmpiW(cls, L"Edit") == 0)
    reinterpret_cast<EditSearch*>(lp)->found = hwnd;
  return TRUE;
}

// Answers the dialog from another thread, as a user would: a name, then
// Save (IDOK), or Cancel.
void Answer(const std::wstring& name, int button, std::atomic<bool>* seen) {
  for (int i = 0; i < 200; ++i) {
    HWND dialog = FindWindowW(L"#32770", kTitle);
    if (dialog && IsWindowVisible(dialog)) {
      *seen = true;
      Sleep(300);
      EditSearch search;
      EnumChildWindows(dialog, FindFileNameEdit, reinterpret_cast<LPARAM>(&search));
      if (search.found && !name.empty()) SendMessageW(search.found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      return;
    }
    Sleep(50);
  }
}

const WideString kFilter(L"File eseguibile (*.exe)\0*.exe\0", 30);

}  // namespace

TEST(ShowFileDialog, SaveAddsTheDefaultExtension) {
  ScratchFolder folder(L"dialog");
  std::atomic<bool> seen{false};
  std::thread user(Answer, folder.File(L"Nonni"), IDOK, &seen);
  WideString chosen = ShowFileDialog(nullptr, 2, kTitle, L"Vavuri", kFilter, folder.path().c_str(), L"exe");
  user.join();
  EXPECT_TRUE(seen);
  EXPECT_EQ(W(chosen), folder.File(L"Nonni.exe"));
}

TEST(ShowFileDialog, CancelGivesAnEmptyPathAndNoError) {
  ScratchFolder folder(L"cancel");
  std::atomic<bool> seen{false};
  std::thread user(Answer, std::wstring(), IDCANCEL, &seen);
  DWORD error = 0xDEAD;
  WideString chosen =
      ShowFileDialog(nullptr, 2, kTitle, L"Vavuri", kFilter, folder.path().c_str(), L"exe", &error);
  user.join();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(error, 0u) << "a cancel is not a failure";
}

TEST(ShowFileDialog, TheRecordAsTheSystemReadsIt) {
  std::wstring fileBuffer(kDialogFileBuffer, L'\0'), titleBuffer(kDialogFileBuffer, L'\0');
  wchar_t* file = &fileBuffer[0];
  wchar_t* title = &titleBuffer[0];
  // The record points into these: they outlive it.
  const WideString dialogTitle(kTitle), folder(L"C:\\Auguri"), extension(L"exe"), none;
  OPENFILENAME_NT4W record;
  FillDialogRecord(&record, reinterpret_cast<HWND>(0x1234), 2, dialogTitle, file, title, kFilter, folder, extension);
  EXPECT_EQ(record.lStructSize, sizeof(OPENFILENAME_NT4W));
  EXPECT_EQ(record.hwndOwner, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(record.hInstance, nullptr);
  EXPECT_EQ(record.Flags, 0x806u);
  EXPECT_EQ(record.nFilterIndex, 1u);
  // Room for the longest path the system takes, not the 260 of old.
  EXPECT_EQ(record.nMaxFile, 32768u);
  EXPECT_EQ(record.nMaxFileTitle, 32768u);
  EXPECT_EQ(record.lpstrFile, file);
  EXPECT_EQ(record.lpstrFileTitle, title);
  EXPECT_EQ(record.lpstrCustomFilter, nullptr);
  EXPECT_EQ(record.nFileOffset, 0);
  EXPECT_STREQ(record.lpstrDefExt, L"exe");
  EXPECT_STREQ(record.lpstrInitialDir, L"C:\\Auguri");
  EXPECT_STREQ(record.lpstrTitle, kTitle);
  // Description and pattern, each ended by a NUL, then a second NUL.
  EXPECT_STREQ(record.lpstrFilter, L"File eseguibile (*.exe)");
  EXPECT_STREQ(record.lpstrFilter + 24, L"*.exe");
  EXPECT_EQ(record.lpstrFilter[30], L'\0');
  FillDialogRecord(&record, nullptr, 1, dialogTitle, file, title, kFilter, none, extension);
  EXPECT_EQ(record.Flags, 0x1804u);
}
