// GoogleTest's Notification is built on std::mutex, which the win32 threading
// model of the cross compilers lacks. This stand-in on a Win32 event is
// force-included into GoogleTest and the test programs (with
// GTEST_HAS_NOTIFICATION_ set, so that GoogleTest takes it instead of its own).
#pragma once

#include <windows.h>

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace internal
}  // namespace testing
