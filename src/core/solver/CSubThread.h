#pragma once

#include "core/document/PuzzleModel.h"
#include "core/solver/SolveDriver.h"

#include <atomic>
#include <thread>

namespace tessemar {

// One Solve or Hint on a thread of its own: the solve driver's run, then the observer's
// release-capture call and the finished call with the result.
class CSubThread {
  public:
    CSubThread() = default;
    ~CSubThread();
    CSubThread(const CSubThread&) = delete;
    CSubThread& operator=(const CSubThread&) = delete;

    // Takes a copy of the puzzle; see SolveDriver::Prepare.
    void PrepareSolve(SolveObserver* view, const std::atomic<int>& stopRequest,
                      const PuzzleModel& model);

    // Runs the command on the calling thread.
    void OnStartSolve(SolveCommand command, ViewRefresh refresh);
    // Runs the command on a thread of its own; Join waits for its end.
    void Start(SolveCommand command, ViewRefresh refresh);
    void Join();

    const SolveResult& Result() const { return driver_.Result(); }

  private:
    SolveObserver* view_ = nullptr;
    SolveDriver driver_;
    std::thread thread_;
};

}  // namespace tessemar
