#include "window_thread.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

WindowThread::WindowThread(int windowCount, Round round) : round_(std::move(round)) {
  std::promise<void> ready;
  std::future<void> windowsCreated = ready.get_future();
  thread_ = std::thread([this, windowCount, &ready] { run(windowCount, ready); });
  windowsCreated.wait();
}

WindowThread::~WindowThread() {
  stopRounds();
  exit_ = true;
  // A window thread that died inside a window procedure (a stack overflow,
  // say) never comes back; waiting for it would hang the whole suite.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!finished_ && std::chrono::steady_clock::now() < deadline) Sleep(1);
  if (!finished_) {
    std::fputs("the window thread did not finish: giving up on the test program\n", stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  thread_.join();
}

void WindowThread::run(int windowCount, std::promise<void>& ready) {
  for (int i = 0; i < windowCount; ++i) windows_.push_back(std::make_unique<TestWindow>());
  ready.set_value();
  while (!exit_) {
    roundRunning_ = true;
    if (sending_) {
      round_(windows_);
      ++rounds_;
    }
    roundRunning_ = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (!sending_) Sleep(1);
  }
  windows_.clear();  // destroyed by the thread that owns them
  finished_ = true;
}

bool WindowThread::waitForRounds(long count) {
  const long target = rounds_ + count;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (rounds_ < target) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

void WindowThread::stopRounds() {
  sending_ = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (roundRunning_ && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
}
