#pragma once

#include <atomic>
#include <csignal>

namespace tessemar::cli {

// 128 + SIGINT, as shells report it.
constexpr int ExitInterrupted = 130;

// Ctrl+C as the stop request of a long run: while an InterruptScope lives, SIGINT sets
// InterruptRequest() (cleared when the scope begins) instead of ending the program, so that
// the run can end cleanly with what it has.
std::atomic<int>& InterruptRequest();

class InterruptScope {
  public:
    InterruptScope();
    ~InterruptScope();
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

  private:
    struct sigaction previous_ {};
};

}  // namespace tessemar::cli
