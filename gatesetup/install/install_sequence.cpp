#include "install_sequence.h"

#include <direct.h>
#include <objbase.h>
#include <shlobj.h>

#include <cerrno>
#include <cstdio>

#include "examples_links.h"
#include "log_file.h"
#include "log_line_list.h"
#include "log_view.h"
#include "message_buffer.h"
#include "ok_cancel_dialog.h"
#include "payload_reader.h"
#include "resource.h"
#include "unpack_examples.h"

namespace {

constexpr char kWindowClass[] = "gatesetup";
constexpr char kTitle[] = "Morvane Installer";
constexpr char kCopyright[] = "Copyright (C) Morvane. All rights reserved.";

// Each step stays on screen for a moment; no messages are handled meanwhile.
void Pause() { Sleep(1000); }

// A payload that is missing reads as an empty one, which the walk reports as
// damaged.
PayloadReader LoadPayload(HINSTANCE instance) {
  const std::uint8_t* bytes = nullptr;
  DWORD size = 0;
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_PAYLOAD), "BIN");
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  if (loaded != nullptr) {
    bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (bytes != nullptr) size = SizeofResource(instance, found);
  }
  return PayloadReader{bytes, size, payload::PayloadCursor(bytes, size)};
}

bool RegisterLogWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_OWNDC;  // the log view keeps its font selected in its own DC
  windowClass.lpfnWndProc = LogViewWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_GATESETUP));
  windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_GATESETUP));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExA(&windowClass) != 0;
}

void AppendAndRefresh(HWND window, const char* line) {
  AppendLine(line);
  RefreshLogView(window);
}

// Creates the root folder; false (with the error line logged) when its path is
// not found. Anything else, a folder that exists in particular, is left to
// the walk, which checks the folder again.
bool CreateRootFolder(HWND window, const char* rootFolder) {
  if (_mkdir(rootFolder) == 0 || errno != ENOENT) return true;
  FormatMessageText("ERROR: creation of folder %s failed", rootFolder);
  AppendAndRefresh(window, MessageBuffer);
  return false;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunInstallation(HINSTANCE instance) {
  PayloadReader reader = LoadPayload(instance);
  if (!RegisterLogWindowClass(instance)) return 0;
  // The window's creation shows the start dialog; without OK it yields none.
  HWND window =
      CreateWindowExA(WS_EX_CLIENTEDGE, kWindowClass, kTitle, WS_OVERLAPPEDWINDOW | WS_VSCROLL,
                      CW_USEDEFAULT, CW_USEDEFAULT, 640, 400, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 0;

  bool failed = false;
  AppendLine(kTitle);
  AppendLine(kCopyright);
  logView.firstNewLine = 0;
  logView.shownCount = 2;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  Pause();

  char documents[MAX_PATH];
  char rootFolder[MAX_PATH + 32];
  if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK) {
    AppendAndRefresh(window, "ERROR: folder My_Documents not found");
    failed = true;
  } else {
    const int length =
        std::snprintf(rootFolder, sizeof(rootFolder), "%s\\ispLever-examples", documents);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof(rootFolder)) {
      FormatMessageText("ERROR: creation of folder %s\\ispLever-examples failed", documents);
      AppendAndRefresh(window, MessageBuffer);
      failed = true;
    } else {
      failed = !CreateRootFolder(window, rootFolder);
    }
  }

  if (!failed) {
    FormatMessageText("Folder=%s", rootFolder);
    AppendLine(MessageBuffer);
    AppendLine("Decompressing files ...");
    RefreshLogView(window);
    Pause();
  }
  if (!failed) {
    if (UnpackExamples(&reader, window, rootFolder)) {
      AppendLine("Decompression finished");
      AppendLine("Creating program group and desktop icons ...");
    } else {
      AppendLine(MessageBuffer);
      failed = true;
    }
    RefreshLogView(window);
    Pause();
  }
  if (!failed) {
    CoInitialize(nullptr);
    if (CreateExamplesLinks(window, rootFolder)) {
      AppendLine("Program group and desktop icons created");
      AppendLine("Installation successful");
    } else {
      AppendLine("ERROR: creation of program group failed");
      failed = true;
    }
    CoUninitialize();
    RefreshLogView(window);
    Pause();
  }

  if (failed) {
    WriteLogFile();
    return RunMessageLoop();
  }
  Pause();
  ShowWindow(window, SW_HIDE);
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_COMPLETION), window, OkCancelDialogProc, 0);
  DestroyWindow(window);
  return 0;
}
