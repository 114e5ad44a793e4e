// The log view's arithmetic and drawing against a real window of its class:
// scroll bar state, its own state, and which line bands hold drawn text.
#include "log_view.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "log_line_list.h"

namespace {

constexpr char kClassName[] = "gatesetup_log_view_test";

// The start dialog shown during the window's creation is answered by a thread
// timer, whose messages the dialog's own modal loop dispatches.
INT_PTR startDialogAnswer = IDOK;

BOOL CALLBACK AnswerDialog(HWND window, LPARAM answered) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::string(className) == "#32770" && IsWindowVisible(window)) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(startDialogAnswer, BN_CLICKED), 0);
    *reinterpret_cast<bool*>(answered) = true;
  }
  return TRUE;
}

// Ticks until the dialog is there: on a busy machine it may take a while.
void CALLBACK AnswerStartDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  bool answered = false;
  EnumThreadWindows(GetCurrentThreadId(), AnswerDialog, reinterpret_cast<LPARAM>(&answered));
  if (answered) KillTimer(nullptr, timer);
}

HWND CreateLogWindow(INT_PTR answer) {
  startDialogAnswer = answer;
  SetTimer(nullptr, 0, 50, AnswerStartDialog);
  return CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "Morvane Installer",
                         WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 0, 640, 400, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// Removes a quit message left by a destroyed window; returns its exit value or -1.
int TakeQuitMessage() {
  MSG message;
  int value = -1;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) value = static_cast<int>(message.wParam);
  }
  return value;
}

SCROLLINFO ScrollState(HWND window) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(window, SB_VERT, &info);
  return info;
}

class LogViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = LogViewWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    // The parameterised suite registers again in the same process.
    if (RegisterClassExA(&windowClass) == 0) {
      ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    }
  }

  void SetUp() override {
    FreeLines();
    logView = LogViewState{};
    window_ = CreateLogWindow(IDOK);
    ASSERT_NE(window_, nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    ASSERT_GT(LogViewPage(), 3);
  }

  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    TakeQuitMessage();
    FreeLines();
  }

  void AppendLines(int n, const char* text = "xxxxxxxx") {
    for (int i = 0; i < n; ++i) AppendLine(text);
  }

  // Right edge of the text drawn in band (one line's height at the top of the
  // client area counted in lines), 0 when the band holds background only.
  int InkExtent(int band) {
    RECT client;
    GetClientRect(window_, &client);
    const int width = client.right;
    const int height = logView.lineHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC windowDc = GetDC(window_);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(memoryDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, band * height, SRCCOPY);
    GdiFlush();
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    const DWORD backgroundPixel =
        (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    int extent = 0;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if ((pixels[y * width + x] & 0xFFFFFF) != backgroundPixel && x + 1 > extent) extent = x + 1;
      }
    }
    SelectObject(memoryDc, old);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(window_, windowDc);
    return extent;
  }

  // Paints a band with the background, as if it had never been drawn.
  void WipeBand(int band) {
    HDC dc = GetDC(window_);
    RECT rect{0, band * logView.lineHeight, 2000, (band + 1) * logView.lineHeight};
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    GdiFlush();
    ReleaseDC(window_, dc);
  }

  HWND window_ = nullptr;
};

TEST_F(LogViewTest, MeasuresTheFixedFontAndFollowsTheClientHeight) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  DeleteDC(dc);
  EXPECT_EQ(logView.lineHeight, metrics.tmHeight + metrics.tmExternalLeading);

  AppendLines(40);  // more than a page: the scroll bar does not cut its page to the range
  SetWindowPos(window_, nullptr, 0, 0, 640, 300, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(window_, &client);
  EXPECT_EQ(logView.clientHeight, client.bottom);
  const SCROLLINFO state = ScrollState(window_);
  EXPECT_EQ(state.nMin, 0);
  EXPECT_EQ(state.nMax, 39);
  EXPECT_EQ(static_cast<int>(state.nPage), client.bottom / logView.lineHeight);
  EXPECT_EQ(LogViewPage(), client.bottom / logView.lineHeight);
}

TEST_F(LogViewTest, RefreshWhileAllLinesFitDrawsOnlyTheNewLines) {
  AppendLines(2);
  RefreshLogView(window_);
  EXPECT_GT(InkExtent(0), 0);
  EXPECT_GT(InkExtent(1), 0);
  EXPECT_EQ(logView.shownCount, 2);

  WipeBand(0);
  AppendLines(1);
  RefreshLogView(window_);
  EXPECT_EQ(InkExtent(0), 0);  // drawn before, not again
  EXPECT_GT(InkExtent(1), 0);
  EXPECT_GT(InkExtent(2), 0);
  EXPECT_EQ(logView.shownCount, 3);
  EXPECT_EQ(logView.firstNewLine, 0);  // used up by the paint
  EXPECT_EQ(ScrollState(window_).nPos, 0);

  // A refresh without new lines draws nothing.
  WipeBand(2);
  RefreshLogView(window_);
  EXPECT_EQ(InkExtent(2), 0);
}

TEST_F(LogViewTest, RefreshRedrawsEverythingWhenARepaintIsPendingAlready) {
  AppendLines(2);
  RefreshLogView(window_);
  // What a dialog closing over the window leaves while no messages are handled.
  RECT band0{0, 0, 2000, logView.lineHeight};
  InvalidateRect(window_, &band0, TRUE);
  WipeBand(1);
  AppendLines(1);
  RefreshLogView(window_);
  EXPECT_GT(InkExtent(0), 0);
  EXPECT_GT(InkExtent(1), 0);
  EXPECT_GT(InkExtent(2), 0);
}

TEST_F(LogViewTest, RefreshWithExactlyAPageOfLinesKeepsThePosition) {
  const int page = LogViewPage();
  AppendLines(page);
  RefreshLogView(window_);
  EXPECT_EQ(ScrollState(window_).nPos, 0);
  EXPECT_GT(InkExtent(page - 1), 0);
}

TEST_F(LogViewTest, RefreshWithOneLineMoreThanAPageShowsTheLastLineAtTheBottom) {
  const int page = LogViewPage();
  AppendLines(page, "x");
  RefreshLogView(window_);
  AppendLine("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  RefreshLogView(window_);

  const SCROLLINFO state = ScrollState(window_);
  EXPECT_EQ(state.nMin, 0);
  EXPECT_EQ(state.nMax, page);
  EXPECT_EQ(static_cast<int>(state.nPage), page);
  EXPECT_EQ(state.nPos, 1);
  EXPECT_EQ(logView.shownCount, page + 1);
  const int shortLine = InkExtent(0);
  EXPECT_GT(shortLine, 0);
  EXPECT_GT(InkExtent(page - 1), 4 * shortLine);
}

struct ScrollCase {
  const char* what;
  UINT message;  // WM_VSCROLL with a request code, or WM_KEYDOWN with a key
  WPARAM code;
  int start;     // in lines; kLast stands for the last position, count - page
  int expected;  // likewise; positive page multiples via kPage
};

constexpr int kPage = 10000;  // stands for the page in a case's positions
constexpr int kLast = 20000;  // stands for count - page

class LogViewScrollTest : public LogViewTest, public ::testing::WithParamInterface<ScrollCase> {
 protected:
  int Resolve(int value) const {
    if (value >= kLast) return count_ - page_ + (value - kLast);
    if (value >= kPage) return page_ + (value - kPage);
    return value;
  }
  int page_ = 0;
  int count_ = 0;
};

TEST_P(LogViewScrollTest, MovesTheTopLineAndTheScrollBar) {
  const ScrollCase& c = GetParam();
  page_ = LogViewPage();
  count_ = 4 * page_;
  AppendLines(count_);
  RefreshLogView(window_);

  SCROLLINFO position{};
  position.cbSize = sizeof(position);
  position.fMask = SIF_POS;
  position.nPos = Resolve(c.start);
  SetScrollInfo(window_, SB_VERT, &position, TRUE);
  UpdateWindow(window_);

  const WPARAM wParam = c.message == WM_VSCROLL ? MAKEWPARAM(c.code, 0) : c.code;
  EXPECT_EQ(SendMessageA(window_, c.message, wParam, 0), 0);
  EXPECT_EQ(ScrollState(window_).nPos, Resolve(c.expected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    RequestsAndKeys, LogViewScrollTest,
    ::testing::Values(ScrollCase{"line up", WM_VSCROLL, SB_LINEUP, 5, 4},
                      ScrollCase{"line up at the top", WM_VSCROLL, SB_LINEUP, 0, 0},
                      ScrollCase{"line down", WM_VSCROLL, SB_LINEDOWN, 5, 6},
                      ScrollCase{"page up", WM_VSCROLL, SB_PAGEUP, kPage + 2, 2},
                      ScrollCase{"page down", WM_VSCROLL, SB_PAGEDOWN, 1, kPage + 1},
                      ScrollCase{"page down near the end", WM_VSCROLL, SB_PAGEDOWN, kLast - 1,
                                 kLast},
                      ScrollCase{"thumb position", WM_VSCROLL, SB_THUMBPOSITION, 5, 5},
                      ScrollCase{"top", WM_VSCROLL, SB_TOP, 5, 0},
                      ScrollCase{"bottom", WM_VSCROLL, SB_BOTTOM, 5, kLast},
                      ScrollCase{"end scroll", WM_VSCROLL, SB_ENDSCROLL, 5, 5},
                      ScrollCase{"Page Up", WM_KEYDOWN, VK_PRIOR, kPage + 2, 2},
                      ScrollCase{"Page Up at 0", WM_KEYDOWN, VK_PRIOR, 0, 0},
                      ScrollCase{"Page Down", WM_KEYDOWN, VK_NEXT, 1, kPage + 1},
                      ScrollCase{"Page Down at the end", WM_KEYDOWN, VK_NEXT, kLast, kLast},
                      ScrollCase{"Down at the end", WM_KEYDOWN, VK_DOWN, kLast, kLast},
                      ScrollCase{"End", WM_KEYDOWN, VK_END, 2, kLast},
                      ScrollCase{"Home", WM_KEYDOWN, VK_HOME, kLast, 0},
                      ScrollCase{"Up", WM_KEYDOWN, VK_UP, 3, 2},
                      ScrollCase{"Down", WM_KEYDOWN, VK_DOWN, 3, 4},
                      ScrollCase{"Left", WM_KEYDOWN, VK_LEFT, 3, 3},
                      ScrollCase{"Right", WM_KEYDOWN, VK_RIGHT, 3, 3},
                      ScrollCase{"a letter", WM_KEYDOWN, 'A', 3, 3}));

TEST_F(LogViewTest, ScrollingMovesTheDrawnLinesAndPaintsTheUncoveredBand) {
  const int page = LogViewPage();
  AppendLines(1, "x");
  AppendLine("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");  // line 1, wide
  AppendLines(2 * page, "x");
  RefreshLogView(window_);
  SendMessageA(window_, WM_KEYDOWN, VK_HOME, 0);
  ASSERT_GT(InkExtent(1), 4 * InkExtent(0));

  SendMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_GT(InkExtent(0), 4 * InkExtent(1));  // line 1 moved to the top
  EXPECT_GT(InkExtent(page - 1), 0);          // the uncovered bottom band, drawn
}

// A taller window has a larger page, so the scroll bar moves the position up:
// the lines drawn for the old position must not stay where they were.
TEST_F(LogViewTest, GrowingTheWindowRedrawsTheLinesAtThePositionTheScrollBarKeeps) {
  RECT outer;
  GetWindowRect(window_, &outer);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, (outer.bottom - outer.top) / 2,
               SWP_NOMOVE | SWP_NOZORDER);
  const int smallPage = LogViewPage();
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  const int largePage = LogViewPage();
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, (outer.bottom - outer.top) / 2,
               SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_GT(largePage, smallPage + 1);

  // Line 2 comes to the top once the large page shows the last lines.
  AppendLines(2, "x");
  AppendLine("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  AppendLines(largePage - 1, "x");
  RefreshLogView(window_);
  ASSERT_EQ(ScrollState(window_).nPos, largePage + 2 - smallPage);

  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  UpdateWindow(window_);
  ASSERT_EQ(ScrollState(window_).nPos, 2);
  EXPECT_GT(InkExtent(0), 4 * InkExtent(1));  // line 2 at the top
  EXPECT_GT(InkExtent(largePage - 1), 0);     // the last line at the bottom
}

TEST_F(LogViewTest, CloseDestroysTheWindowAndEndsTheMessageLoopWithZero) {
  TakeQuitMessage();
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(TakeQuitMessage(), 0);
}

TEST(LogViewCreationTest, LeavingTheStartDialogWithoutOkYieldsNoWindow) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = LogViewWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "gatesetup_log_view_cancel_test";
  ASSERT_NE(RegisterClassExA(&windowClass), 0);
  logView = LogViewState{};
  startDialogAnswer = IDCANCEL;
  SetTimer(nullptr, 0, 50, AnswerStartDialog);
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 0, 640,
                      400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(logView.lineHeight, 0);  // nothing after the dialog ran
  TakeQuitMessage();
}

}  // namespace
