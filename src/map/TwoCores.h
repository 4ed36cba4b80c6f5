// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Splitting one large picture operation between the two cores of a small
// machine, without starting a thread each time.

#include <type_traits>
#include <utility>

namespace wc {

// A borrowed callable; it must outlive the call it is passed to.
class JobRef {
 public:
  template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, JobRef>>>
  JobRef(F& f)
      : object_(&f), call_([](void* o) { (*static_cast<F*>(o))(); }) {}  // NOLINT: implicit on purpose
  void operator()() const { call_(object_); }

 private:
  void* object_;
  void (*call_)(void*);
};

// Runs first on a helper thread and second on the calling one, and returns
// when both have finished; an exception of either is thrown here. The helper
// is started once and kept. While another caller has it, or where there is
// one core only, both run here, one after the other.
void OnBothCores(JobRef first, JobRef second);

template <typename F, typename G>
void OnBothCores(F&& first, G&& second) {
  OnBothCores(JobRef(first), JobRef(second));
}

}  // namespace wc
