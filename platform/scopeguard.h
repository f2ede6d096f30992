// Runs a closing action when a scope ends, however it ends (a return or an exception).
#pragma once

#include <utility>

template <typename F>
class ScopeGuard {
  public:
    explicit ScopeGuard(F action) : action_(std::move(action)) {}
    ~ScopeGuard() { action_(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

  private:
    F action_;
};
