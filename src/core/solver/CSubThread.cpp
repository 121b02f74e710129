#include "core/solver/CSubThread.h"

namespace tessemar {

CSubThread::~CSubThread() {
    Join();
}

void CSubThread::PrepareSolve(SolveObserver* view, const std::atomic<int>& stopRequest,
                              const PuzzleModel& model) {
    view_ = view;
    driver_.Prepare(view, stopRequest, model);
}

void CSubThread::OnStartSolve(SolveCommand command, ViewRefresh refresh) {
    driver_.Run(command, refresh);
    if (view_ != nullptr) {
        view_->OnSolveReleaseCapture();
        view_->OnSolveFinished(command, driver_.Result());
    }
}

void CSubThread::Start(SolveCommand command, ViewRefresh refresh) {
    Join();
    thread_ = std::thread([this, command, refresh] { OnStartSolve(command, refresh); });
}

void CSubThread::Join() {
    if (thread_.joinable())
        thread_.join();
}

}  // namespace tessemar
