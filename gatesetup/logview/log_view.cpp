#include "log_view.h"

#include <cstring>

#include "log_line_list.h"
#include "ok_cancel_dialog.h"
#include "resource.h"

LogViewState logView{};

namespace {

int ScrollPosition(HWND window) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS;
  GetScrollInfo(window, SB_VERT, &info);
  return info.nPos;
}

// Shows the start dialog; on OK selects the fixed-pitch font into the window's
// own device context (class style CS_OWNDC), where it stays for every paint.
void OnCreate(HWND window) {
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_START), window,
                      OkCancelDialogProc, 0) != IDOK) {
    DestroyWindow(window);
    return;
  }
  HDC dc = GetDC(window);
  SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  logView.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
  ReleaseDC(window, dc);
}

void OnSize(HWND window, int height) {
  logView.clientHeight = height;
  const int before = ScrollPosition(window);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = LineCount() - 1;
  info.nPage = static_cast<UINT>(LogViewPage());
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  // A larger page moves the position up (the scroll bar keeps it at most
  // maximum - page + 1); the lines drawn for the old one no longer fit it.
  if (ScrollPosition(window) != before) InvalidateRect(window, nullptr, TRUE);
}

void OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const int position = ScrollPosition(window);
  const int newLine = logView.firstNewLine;
  logView.firstNewLine = 0;
  if (logView.lineHeight > 0) {
    int first = paint.rcPaint.top / logView.lineHeight + position;
    if (first < 0) first = 0;
    if (newLine > 0 && first < newLine) first = newLine;
    int last = paint.rcPaint.bottom / logView.lineHeight + position;
    if (last > LineCount() - 1) last = LineCount() - 1;
    int index = 0;
    for (const char* text = FirstLine(); text != nullptr && index <= last;
         text = NextLine(), ++index) {
      if (index >= first) {
        TextOutA(dc, 0, (index - position) * logView.lineHeight, text,
                 static_cast<int>(std::strlen(text)));
      }
    }
  }
  EndPaint(window, &paint);
}

void OnVerticalScroll(HWND window, int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(window, SB_VERT, &info);
  const int before = info.nPos;
  int position = before;
  switch (request) {
    case SB_LINEUP:
      position = before - 1;
      break;
    case SB_LINEDOWN:
      position = before + 1;
      break;
    case SB_PAGEUP:
      position = before - static_cast<int>(info.nPage);
      break;
    case SB_PAGEDOWN:
      position = before + static_cast<int>(info.nPage);
      break;
    case SB_THUMBTRACK:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = info.nMin;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      break;  // SB_THUMBPOSITION, SB_ENDSCROLL
  }
  info.fMask = SIF_POS;
  info.nPos = position;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  // The scroll bar keeps the position between its minimum and maximum - page + 1.
  const int after = ScrollPosition(window);
  if (after != before) {
    ScrollWindow(window, 0, (before - after) * logView.lineHeight, nullptr, nullptr);
    UpdateWindow(window);
  }
}

void OnKeyDown(HWND window, WPARAM key) {
  int request = -1;
  switch (key) {
    case VK_PRIOR:
      request = SB_PAGEUP;
      break;
    case VK_NEXT:
      request = SB_PAGEDOWN;
      break;
    case VK_END:
      request = SB_BOTTOM;
      break;
    case VK_HOME:
      request = SB_TOP;
      break;
    case VK_UP:
      request = SB_LINEUP;
      break;
    case VK_DOWN:
      request = SB_LINEDOWN;
      break;
    default:
      return;
  }
  SendMessageA(window, WM_VSCROLL, MAKEWPARAM(request, 0), 0);
}

}  // namespace

int LogViewPage() { return logView.lineHeight > 0 ? logView.clientHeight / logView.lineHeight : 0; }

void RefreshLogView(HWND window) {
  const int count = LineCount();
  const int page = LogViewPage();
  if (count > page) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = count - 1;
    info.nPage = static_cast<UINT>(page);
    info.nPos = count - page;  // the last line at the bottom
    SetScrollInfo(window, SB_VERT, &info, TRUE);
    InvalidateRect(window, nullptr, TRUE);
  } else {
    // Only the lines appended since the last refresh need drawing, unless part
    // of the window is waiting to be repainted anyway (uncovered by a dialog
    // that closed while no messages were handled): then everything is drawn.
    if (GetUpdateRect(window, nullptr, FALSE) == 0) logView.firstNewLine = logView.shownCount;
    InvalidateRect(window, nullptr, FALSE);
  }
  UpdateWindow(window);
  logView.shownCount = count;
}

LRESULT CALLBACK LogViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      OnSize(window, HIWORD(lParam));
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_VSCROLL:
      OnVerticalScroll(window, LOWORD(wParam));
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(window, wParam);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
