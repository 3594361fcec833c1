#include "test_window.h"

#include <map>
#include <mutex>
#include <utility>

namespace {

constexpr wchar_t kUnicodeClass[] = L"StrokelinkTestWindowW";
constexpr char kAnsiClass[] = "StrokelinkTestWindowA";

// Messages are recorded by window; the window thread and the test thread
// may differ.
std::mutex recordMutex;
std::map<HWND, std::vector<ReceivedMessage>> received;

void record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::wstring text) {
  std::lock_guard<std::mutex> guard(recordMutex);
  received[window].push_back({message, wParam, lParam, std::move(text)});
}

LRESULT CALLBACK recordingProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::wstring text;
  if (message == WM_SETTEXT && lParam != 0) text = reinterpret_cast<const wchar_t*>(lParam);
  record(window, message, wParam, lParam, std::move(text));
  if (message >= WM_APP) return answerFor(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK recordingProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::wstring text;
  if (message == WM_SETTEXT && lParam != 0) {
    for (const char* c = reinterpret_cast<const char*>(lParam); *c != '\0'; ++c) {
      text.push_back(static_cast<unsigned char>(*c));
    }
  }
  record(window, message, wParam, lParam, std::move(text));
  if (message >= WM_APP) return answerFor(message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

bool registerClasses() {
  WNDCLASSW unicodeClass{};
  unicodeClass.lpfnWndProc = recordingProcW;
  unicodeClass.hInstance = GetModuleHandleW(nullptr);
  unicodeClass.lpszClassName = kUnicodeClass;
  WNDCLASSA ansiClass{};
  ansiClass.lpfnWndProc = recordingProcA;
  ansiClass.hInstance = GetModuleHandleW(nullptr);
  ansiClass.lpszClassName = kAnsiClass;
  return RegisterClassW(&unicodeClass) != 0 && RegisterClassA(&ansiClass) != 0;
}

}  // namespace

LRESULT answerFor(UINT message, WPARAM wParam, LPARAM lParam) {
  return static_cast<LRESULT>(message) * 1000003 + static_cast<LRESULT>(wParam) * 31 + lParam;
}

TestWindow::TestWindow(WindowCharset charset) : charset_(charset) {
  static const bool classesRegistered = registerClasses();
  window_ = !classesRegistered ? nullptr
            : charset == WindowCharset::kUnicode
                ? CreateWindowExW(0, kUnicodeClass, L"strokelink test", WS_OVERLAPPEDWINDOW, 0, 0,
                                  200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)
                : CreateWindowExA(0, kAnsiClass, "strokelink test", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  originalProc_ = charset == WindowCharset::kUnicode ? recordingProcW : recordingProcA;
  component_.window = window_;
  takeReceived();  // creation messages are of no interest
}

TestWindow::~TestWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  std::lock_guard<std::mutex> guard(recordMutex);
  received.erase(window_);
}

WNDPROC TestWindow::currentProc() const {
  return reinterpret_cast<WNDPROC>(charset_ == WindowCharset::kUnicode
                                       ? GetWindowLongPtrW(window_, GWLP_WNDPROC)
                                       : GetWindowLongPtrA(window_, GWLP_WNDPROC));
}

std::vector<ReceivedMessage> TestWindow::takeReceived() {
  std::lock_guard<std::mutex> guard(recordMutex);
  return std::exchange(received[window_], {});
}

int TestWindow::receivedCount(UINT message) const {
  std::lock_guard<std::mutex> guard(recordMutex);
  const auto found = received.find(window_);
  if (found == received.end()) return 0;
  int count = 0;
  for (const ReceivedMessage& m : found->second) count += m.message == message ? 1 : 0;
  return count;
}
