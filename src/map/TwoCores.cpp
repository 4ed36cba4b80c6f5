// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/TwoCores.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace wc {

namespace {

class Helper {
 public:
  Helper() {
    if (std::thread::hardware_concurrency() < 2) return;
    try {
      thread_ = std::thread([this] { Loop(); });
    } catch (const std::exception&) {
      // No thread to be had: everything runs on the caller.
    }
  }
  ~Helper() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard lock(m_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

  // False when the helper is missing or taken.
  bool Run(JobRef first, JobRef second) {
    if (!thread_.joinable()) return false;
    std::unique_lock owner(owner_, std::try_to_lock);
    if (!owner) return false;
    {
      std::lock_guard lock(m_);
      job_.emplace(first);
      done_ = false;
      error_ = nullptr;
    }
    wake_.notify_one();
    std::exception_ptr mine;
    try {
      second();
    } catch (...) {
      mine = std::current_exception();
    }
    std::unique_lock lock(m_);
    finished_.wait(lock, [this] { return done_; });
    if (error_) std::rethrow_exception(error_);
    if (mine) std::rethrow_exception(mine);
    return true;
  }

 private:
  void Loop() {
    std::unique_lock lock(m_);
    for (;;) {
      wake_.wait(lock, [this] { return stop_ || job_; });
      if (stop_) return;
      const JobRef job = *job_;
      job_.reset();
      lock.unlock();
      std::exception_ptr error;
      try {
        job();
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      error_ = error;
      done_ = true;
      finished_.notify_one();
    }
  }

  std::mutex owner_;  // held by the caller whose job the helper runs
  std::mutex m_;
  std::condition_variable wake_, finished_;
  std::optional<JobRef> job_;
  bool done_ = false, stop_ = false;
  std::exception_ptr error_;
  std::thread thread_;
};

}  // namespace

void OnBothCores(JobRef first, JobRef second) {
  static Helper helper;
  if (helper.Run(first, second)) return;
  first();
  second();
}

}  // namespace wc
