// Windows that live on a thread of their own, as AWT's component windows
// live on its toolkit thread, while the test thread calls the entry points
// the way a Java thread does. The thread keeps sending its windows messages
// (one "round" at a time) and dispatches whatever is posted to them.
#pragma once

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "test_window.h"

class WindowThread {
 public:
  using Round = std::function<void(const std::vector<std::unique_ptr<TestWindow>>&)>;

  WindowThread(int windowCount, Round round);
  ~WindowThread();
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  TestWindow& window(int index) { return *windows_[index]; }
  // Waits until `count` more rounds have been completed; false after ten
  // seconds without them.
  bool waitForRounds(long count);
  // Ends the rounds, returning once none is running (or after ten seconds);
  // posted messages are still dispatched until the object is destroyed.
  void stopRounds();

 private:
  void run(int windowCount, std::promise<void>& ready);

  Round round_;
  std::vector<std::unique_ptr<TestWindow>> windows_;
  std::atomic<bool> sending_{true};
  std::atomic<bool> roundRunning_{false};
  std::atomic<bool> exit_{false};
  std::atomic<long> rounds_{0};
  std::atomic<bool> finished_{false};
  std::thread thread_;
};
